#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

// One tab's embedded browser, as the tabbed control uses it. The real engine and the
// scripted stand-in of the tests both implement this; nothing else of an engine is
// visible to the control.
//
// Events are raised synchronously and carry no slot number: the control knows which
// browser raised them.
class BrowserEngine : public QObject
{
    Q_OBJECT

public:
    // Commands a browser runs on its current page, each with the browser's own dialog
    // where the command has one.
    enum class PageCommand
    {
        SaveAs,       // asks where and in which form, then saves the page
        Print,        // asks for the printer, then prints
        PrintPreview, // a preview window, from which the user can print
        Properties,   // a dialog describing the page
        Cut,
        Copy,
        Paste,
        SelectAll,
    };
    Q_ENUM(PageCommand)

    enum class FindOption
    {
        Backward = 0x1,
        CaseSensitive = 0x2,
    };
    Q_DECLARE_FLAGS(FindOptions, FindOption)

    // How many matches a search found and which of them is highlighted (1-based; 0
    // when there is none).
    struct FindResult
    {
        qint32 matches = 0;
        qint32 active = 0;
    };
    using FindCallback = std::function<void(const FindResult &)>;
    // Receives the page body's markup; a null string when there is no page to read.
    using MarkupCallback = std::function<void(const QString &markup)>;

    using QObject::QObject;

    // The window the control places in the tab's page container.
    virtual QWidget *widget() const = 0;

    // Starts loading `url` and returns at once.
    virtual void Navigate(const QString &url) = 0;
    // History steps do nothing when there is no page to go to.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void GoHome() = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;

    virtual void ExecWB(PageCommand command) = 0;
    // Highlights the next match of `text` (the previous one with Backward) and reports
    // the outcome to `done`, later. An empty text ends the search and clears the
    // highlight. A new search supersedes one still running: only the latest reports.
    virtual void FindText(const QString &text, FindOptions options, FindCallback done) = 0;
    // The markup of the page body, the body element included; delivered later, within a
    // few seconds. A null string when the page has no body (an XML or SVG document) or
    // gives no answer in that time.
    virtual void BodyMarkup(MarkupCallback done) = 0;

    // A silent browser shows and prints no error reports of its own.
    virtual void setSilent(bool silent) = 0;
    virtual bool Silent() const = 0;

    virtual QString LocationURL() const = 0;
    virtual QString LocationName() const = 0;
    // True from the start of a load until it has finished.
    virtual bool Busy() const = 0;

Q_SIGNALS:
    // Only the top-level page's navigations are reported; frames are the page's business.
    void BeforeNavigate2(const QString &url);
    void DownloadBegin();
    void DownloadComplete();
    // A full page is 10000.
    void ProgressChange(qint32 progress, qint32 progressMax);
    void PropertyChange(const QString &property);
    void TitleChange(const QString &text);
    void NavigateComplete2(const QString &url);
    // The page is opening a window. A handler that wants it sets `target` to the
    // browser the window is to be loaded into; a null target refuses the window.
    void NewWindow2(BrowserEngine *&target, bool &cancel);
    // The page asks to close its window. The engine never closes anything itself; a
    // handler that acts on the request sets `cancel`.
    void WindowClosing(bool isChildWindow, bool &cancel);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(BrowserEngine::FindOptions)

// Creates the browser of each tab slot; `container` becomes the parent of its widget.
class BrowserEngineFactory
{
public:
    virtual ~BrowserEngineFactory() = default;
    virtual std::unique_ptr<BrowserEngine> create(QWidget *container) = 0;
};

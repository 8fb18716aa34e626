#pragma once

#include "browserengine.h"
#include "builtinpages.h"

#include <QPointer>
#include <QUrl>

class BuiltInPageHandler;
class PagePrinter;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

// A tab's browser on Qt WebEngine: one view, showing one page of a profile shared
// by all tabs of the control.
class WebEngineBrowser final : public BrowserEngine
{
    Q_OBJECT

public:
    WebEngineBrowser(QWebEngineProfile *profile, const QUrl &homePage, QWidget *container);
    ~WebEngineBrowser() override;

    QWidget *widget() const override;
    QWebEnginePage *page() const;

    void Navigate(const QString &url) override;
    void GoBack() override;
    void GoForward() override;
    void GoHome() override;
    void Refresh() override;
    void Stop() override;

    void ExecWB(PageCommand command) override;
    void FindText(const QString &text, FindOptions options, FindCallback done) override;
    void BodyMarkup(MarkupCallback done) override;

    void setSilent(bool silent) override { m_silent = silent; }
    bool Silent() const override { return m_silent; }

    QString LocationURL() const override;
    QString LocationName() const override;
    bool Busy() const override { return m_busy; }

private:
    class Page;
    friend class Page;

    // Gives the view a fresh page and returns it, for a window another page opens here.
    QWebEnginePage *adoptWindow();
    void setPage(Page *page);
    QWebEnginePage *createWindowFor();
    bool acceptNavigation(const QUrl &url, bool isMainFrame);
    void showProperties();

    // A hidden browser left on the blank page is a closed tab kept for reuse. Its page
    // is discarded, which gives the page's renderer memory back to the engine; the page
    // keeps its address, title and history, and loads again when it is next used.
    bool isClosed() const;
    void releaseIfClosed();

    QWebEngineProfile *m_profile;
    QUrl m_homePage;
    QWebEngineView *m_view;
    QPointer<Page> m_page;
    bool m_silent = false;
    bool m_busy = false;
    PagePrinter *m_printer;
    // Numbers the searches: only the latest one reports.
    quint64 m_lastSearch = 0;
    // Inside one of the browser's own operations on the page.
    bool m_operating = false;
    // The engine is reloading a discarded page on its own.
    bool m_restoring = false;
};

// Creates WebEngineBrowsers sharing one private profile: nothing a page stores
// outlives the program. The profile serves the built-in pages.
class WebEngineBrowserFactory final : public BrowserEngineFactory
{
public:
    explicit WebEngineBrowserFactory(QUrl homePage = BuiltInPages::home());
    ~WebEngineBrowserFactory() override;

    std::unique_ptr<BrowserEngine> create(QWidget *container) override;
    QWebEngineProfile *profile() const { return m_profile.get(); }

private:
    // Outlives the profile, which uses it to the end.
    std::unique_ptr<BuiltInPageHandler> m_builtInPages;
    std::unique_ptr<QWebEngineProfile> m_profile;
    QUrl m_homePage;
};

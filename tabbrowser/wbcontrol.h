#pragma once

#include "twipsgeometry.h"

#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

#ifdef TABBROWSER_LUMBRA
#include <QVariant>
#endif

class BrowserEngine;
class BrowserEngineFactory;
class FindBar;
class PictureDropHandler;
class QImage;
class QLabel;
class SourceViewer;
class TextEditorLauncher;

// The tabbed browser: a strip of tab faces along the top and, below it, the page of
// the selected tab. Each tab lives in a numbered slot; slot 0 is permanent, and a
// closed slot is kept, blank, for the next new tab (first closed, first reused).
//
// The control is built twice: Quillet's build, and Lumbra's (TABBROWSER_LUMBRA), which
// differs where this header says so.
//
// Geometry given to and read from the control is in twips. Its children are named as
// elements of their slot: MTab<i> (face), Tstr<i> (title), TIcon<i>, Tcbt<i> (close
// button), WBCnt<i> (page container).
//
// Data dragged onto any element of a tab is taken as a copy: an address (plain text,
// or the first of a dragged link's or file's address list) is opened in that tab,
// which is then selected as by a press on its face; a picture goes, the selection
// unchanged, to the host's picture handler, and without one is refused. Empty text and
// anything else are refused.
class WBControl final : public QWidget
{
    Q_OBJECT

public:
    // Slot 0 is created at once and sent to the engine's home page.
    explicit WBControl(std::unique_ptr<BrowserEngineFactory> engines, QWidget *parent = nullptr);
    ~WBControl() override;

#ifdef TABBROWSER_LUMBRA
    // Opens a tab, selects it and navigates it to `URL`.
    void NewWindow(const QString &URL);
    void OpenURL(const QVariant &URL);
    // The title of the selected tab's page.
    QString Title() const;
#else
    // Opens a tab (in a closed slot if there is one), selects it and, unless `Blank`,
    // navigates it to `URL`.
    void NewWindow(const QString &URL, bool Blank);
    // Shows `URL` as the selected tab's title and navigates the selected tab to it.
    void OpenURL(const QString &URL);
#endif
    void CloseTab(qint16 slot);

    // The selected tab's address; writing it navigates the selected tab.
    QString URL() const;
    void setURL(const QString &New_URL);

    qint16 CurTab() const
    {
        return m_curTab;
    }
    // Open extra tabs, left to right; slot 0 is never among them.
    const QList<qint16> &openSlots() const
    {
        return m_openList;
    }
    // Closed slots, in the order they were closed.
    const QList<qint16> &freeSlots() const
    {
        return m_freeList;
    }
    // The browser of `slot`, or null for a slot not created yet.
    BrowserEngine *browser(qint16 slot) const;

    // Page commands: each acts on the page of the selected tab, with the browser's own
    // dialog where the command has one.
    void SaveFile();
#ifdef TABBROWSER_LUMBRA
    void PrintView();
#else
    void LookPrint();
#endif
    void PrintPage();
    void Getattribute();
    void Cut();
    void Copy();
    void paste();
    void SelectAll();
    void GoHome();
    void RefreshPage();
    void StopLink();
    // History steps; nothing happens when there is no page to go to.
    void Goback();
    void Goforward();
    // Opens the find bar over the selected page and gives the page the keyboard;
    // Ctrl+F on the page does the same.
    void Find();
    // Shows the markup of the selected page's body in the user's text editor. Does
    // nothing while the page is loading; tells the user when the page has no body to
    // show or does not answer.
    void GetFile();
    // The editor GetFile starts: the desktop's text editor unless replaced.
    void setTextEditorLauncher(std::unique_ptr<TextEditorLauncher> launcher);
    // Where pictures dropped on a tab go; none at first.
    void setPictureDropHandler(std::unique_ptr<PictureDropHandler> handler);

    // Twips geometry, as the host lays the control out.
    void setGeometryTwips(double left, double top, double width, double height);

Q_SIGNALS:
    void SelectTab();
    void URLChang(qint16 Index, const QString &URL);
    void ProgressChange(qint16 Index, qint32 Progress, qint32 ProgressMax);
    void DownloadComplete(qint16 Index);
    void PropertyChange(qint16 Index, const QString &szProperty);
    void DownloadBegin(qint16 Index, const QString &URL);
    void NavigateComplete2(qint16 Index, const QString &URL);
    void TitleChange(qint16 Index, const QString &Text);
#ifndef TABBROWSER_LUMBRA
    // A page of slot `Index` is about to open a window; it will open in a new tab.
    void NewWindow2(qint16 Index);
#endif
    void BeforeNavigate2(qint16 Index, const QString &URL);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Slot;
    struct Skin;

    Slot &slot(qint16 index) const
    {
        return *m_slots[static_cast<size_t>(index)];
    }
    Slot &createSlot();
    void connectBrowser(qint16 index);
    void openTab(bool navigate, const QString &URL);
    // The press of the left button on a tab face.
    void selectTab(qint16 index);
    void hidePage(qint16 index);
    void layOutPageArea();
    // Where the selected tab's page container goes.
    QRectF pageArea() const;
    void layOutBrowser(qint16 index, double extraWidth, double extraHeight);
    void layOutStrip();
    void setTitle(qint16 index, const QString &text, const QString &suffix);
    // A page's title on its tab: a blank page is named as such, a long title shortened.
    void showPageTitle(qint16 index, const QString &text);
    void centreTitle(qint16 index);
    double faceLeft(qint16 index) const;
    void moveFace(qint16 index, double left);
    // The find bar of `index`'s page, if it has been opened.
    FindBar *findBar(qint16 index) const;

    void onAddressDropped(qint16 index, const QString &address);
    void onTitleChange(qint16 index, const QString &text);
    void onNewWindow2(qint16 index, BrowserEngine *&target);
    void onWindowClosing(qint16 index, bool &cancel);
    void onDownloadComplete(qint16 index);

    std::unique_ptr<BrowserEngineFactory> m_engines;
    std::unique_ptr<const Skin> m_skin;
    std::vector<std::unique_ptr<Slot>> m_slots;
    QList<qint16> m_openList;
    QList<qint16> m_freeList;
    qint16 m_curTab = 0;
    TwipsGeometry m_geometry{this};
    double m_lineWidth = 0;
    SourceViewer *m_sourceViewer;
    std::unique_ptr<PictureDropHandler> m_pictureDropHandler;
};

#pragma once

#include "searchengines.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class AboutBox;
class BrowserEngineFactory;
class MMenu;
class MenuBt;
class MyMenu;
class PictureViewer;
class StatBar;
class URLEdit;
class WBControl;

// Quillet's main window. It owns every control of the window, lays them out when its
// size changes, and is the one place where an event of one control becomes a call on
// another: the controls never call each other.
class Form1 final : public QWidget
{
    Q_OBJECT

public:
    // `searchEngines` are the engines searches go to, in the engine menu's order.
    explicit Form1(std::unique_ptr<BrowserEngineFactory> engines,
                   const SearchEngineTable &searchEngines = SearchEngines::standard(),
                   QWidget *parent = nullptr);
    ~Form1() override;

    WBControl *WBControl1() const { return m_wbControl; }
    URLEdit *URLEdit1() const { return m_urlEdit; }
    StatBar *StatBar1() const { return m_statBar; }
    // The image viewer, which shows pictures dropped on a tab.
    PictureViewer *pictureViewer() const { return m_pictureViewer; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The outer size is 0.9 of the screen's, window frame included, centred.
    void fitToScreen();
    // Fits the window again the first time its frame is known, and never after.
    void fitOnceFramed();
    void layOut();
    void createMenus();

    // The menu bar: its buttons open and close their menus, and the menus' rows run
    // their commands. `bar` numbers the buttons from the left, File 0 to Help 3.
    struct MenuRow
    {
        QString caption;
        std::function<void()> action;
    };
    void wireMenuBar();
    MyMenu *barMenu(size_t bar) const;
    void openBarMenu(size_t bar);
    // Hides the menu and gives its button the plain look.
    void closeBarMenu(size_t bar);
    void onBarButtonDown(size_t bar);
    void onBarButtonOn(size_t bar);
    void onBarMenuDown(size_t bar, qint16 Index, Qt::MouseButton Button);
    // The main-menu panel MMenu1, shown and hidden by the address bar's menu button.
    void wireMainMenu();
    void onShowMenu();
    // Hides the panel and asks for an address in the open dialog, which opens it in the
    // selected tab or a new one as `caption` says.
    void askForAddress(const QString &caption);
    void loadSearchEngines(const SearchEngineTable &searchEngines);

    // Searches from the address bar and the engine menu MyMenu4.
    void wireSearch();
    void onSelectSerchSite(double X, double Y);
    void onSearchEngineChosen(qint16 Index, Qt::KeyboardModifiers Shift);
    void onSerch(const QString &Word, bool Ctrl);

    // The address bar's requests become calls on the tabbed browser, and the address
    // bar follows the selected tab's address.
    void wireAddressBar();
    void onGoURL(bool Ctrl, const QString &URL);
    void showSelectedAddress();

    // WBControl1's events.
    void onBeforeNavigate2(qint16 Index, const QString &URL);
    void onProgressChange(qint16 Index, qint32 Progress, qint32 ProgressMax);
    void onDownloadComplete(qint16 Index);

    WBControl *m_wbControl;
    URLEdit *m_urlEdit;
    StatBar *m_statBar;
    PictureViewer *m_pictureViewer;
    AboutBox *m_aboutBox;
    MMenu *m_mainMenu;
    std::array<MenuBt *, 4> m_menuBts{};
    // File, Edit, View, search engines, Help.
    std::array<MyMenu *, 5> m_menus{};
    std::array<std::vector<MenuRow>, 4> m_barMenuRows;
    // Query prefixes by engine; entry 5 is a copy of the selected engine's, the one
    // searches use.
    std::array<QString, 6> SearchPrefix;
    std::array<QString, 5> EngineHome;
    bool m_fittedWithFrame = false;
};

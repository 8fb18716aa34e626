#include "form1.h"

#include "browserengine.h"
#include "builtinpages.h"
#include "frmabout.h"
#include "frmopen.h"
#include "menubt.h"
#include "mmenu.h"
#include "mymenu.h"
#include "picturedrophandler.h"
#include "propertybag.h"
#include "showpic.h"
#include "statbar.h"
#include "twips.h"
#include "urledit.h"
#include "wbcontrol.h"

#include <QEvent>
#include <QScreen>
#include <QStyle>

#include <optional>

namespace {

constexpr double ScreenShare = 0.9;
constexpr qint16 EngineMenu = 3;
// The pop-up menu each menu-bar button opens: File, Edit, View, Help.
constexpr std::array<size_t, 4> BarMenus{0, 1, 2, 4};
// A bar menu's top border overlaps its button's bottom edge by this much.
constexpr double BarMenuOverlap = 15;
// Between the address bar and the main-menu panel below it.
constexpr double MainMenuGap = 30;

// The menu-bar captions, as saved with the window's layout.
const std::array<QString, 4> &menuBarCaptions()
{
    static const std::array<QString, 4> captions{
        QStringLiteral("文件(&F)"), QStringLiteral("编辑(&E)"), QStringLiteral("查看(&V)"),
        QStringLiteral("帮助(&H)")};
    return captions;
}

// The address bar ends this far inside the window's outer right edge.
constexpr double AddressBarRightMargin = 240;
constexpr qint32 FullProgress = 10000;

// The percentage to show for a browser's progress report, if any. The scale is fixed at
// 10000 for a full page whatever maximum the browser reports; a maximum of 0 means there
// is nothing to show. Halves go to the even neighbour.
std::optional<qint32> progressPercentage(qint32 progress, qint32 progressMax)
{
    if (progressMax == 0 || progress <= 0 || progress >= FullProgress)
        return std::nullopt;
    const qint32 whole = progress / 100;
    const qint32 rest = progress % 100;
    const bool roundUp = rest > 50 || (rest == 50 && whole % 2 == 1);
    return roundUp ? whole + 1 : whole;
}

// Pictures dropped on a tab open in the image viewer, placed against the main window.
class ViewerForDrops final : public PictureDropHandler
{
public:
    ViewerForDrops(PictureViewer *viewer, QWidget *mainWindow)
        : m_viewer(viewer)
        , m_mainWindow(mainWindow)
    {}

    void showPicture(const QByteArray &encoded) override
    {
        m_viewer->show(encoded, {}, m_mainWindow);
    }

private:
    PictureViewer *m_viewer;
    QWidget *m_mainWindow;
};

} // namespace

Form1::Form1(std::unique_ptr<BrowserEngineFactory> engines, const SearchEngineTable &searchEngines,
             QWidget *parent)
    : QWidget(parent)
    , m_wbControl(new WBControl(std::move(engines), this))
    , m_urlEdit(new URLEdit(this))
    , m_statBar(new StatBar(this))
    , m_pictureViewer(new PictureViewer(this))
    , m_aboutBox(new AboutBox(loginName, this))
    , m_mainMenu(new MMenu(this))
{
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(QIcon(QStringLiteral(":/mainwindow/images/quillet.png")));
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    resize(Twips::toPixels(QSizeF(11085, 8715)));

    m_wbControl->setObjectName(QStringLiteral("WBControl1"));
    m_wbControl->setPictureDropHandler(std::make_unique<ViewerForDrops>(m_pictureViewer, this));
    m_wbControl->setGeometryTwips(0, 840, 7335, 4455);
    m_statBar->setObjectName(QStringLiteral("StatBar1"));
    m_statBar->setGeometryTwips(QRectF(0, 8280, 9735, 360));

    connect(m_wbControl, &WBControl::BeforeNavigate2, this, &Form1::onBeforeNavigate2);
    connect(m_wbControl, &WBControl::ProgressChange, this, &Form1::onProgressChange);
    connect(m_wbControl, &WBControl::DownloadComplete, this, &Form1::onDownloadComplete);

    m_urlEdit->setObjectName(QStringLiteral("URLEdit1"));
    m_urlEdit->setGeometryTwips(120, 120, 10335, 330);
    wireAddressBar();

    createMenus();
    wireMenuBar();
    wireMainMenu();
    wireSearch();
    loadSearchEngines(searchEngines);
    fitToScreen();
    for (size_t engine = 0; engine < searchEngines.size(); ++engine)
        m_menus[EngineMenu]->AddMenu(static_cast<qint16>(engine), searchEngines[engine].name);
    m_menus[EngineMenu]->checkItem(0);
}

void Form1::createMenus()
{
    const double barLefts[] = {60, 930, 1800, 2670};
    for (size_t i = 0; i < m_menuBts.size(); ++i) {
        auto *button = new MenuBt(this);
        button->setObjectName(QStringLiteral("MenuBt%1").arg(i + 1));
        button->move(Twips::toPixels(barLefts[i], 520));
        PropertyBag design;
        design.WriteProperty(QStringLiteral("MCaption"), menuBarCaptions()[i], QString());
        button->ReadProperties(design);
        m_menuBts[i] = button;
    }
    const double menuTops[] = {1800, 2400, 3120, 3720, 4320};
    for (size_t i = 0; i < m_menus.size(); ++i) {
        auto *menu = new MyMenu(this);
        menu->setObjectName(QStringLiteral("MyMenu%1").arg(i + 1));
        menu->move(Twips::toPixels(7800, menuTops[i]));
        menu->hide();
        m_menus[i] = menu;
    }
}

void Form1::wireMenuBar()
{
    const auto focusPageThen = [this](void (WBControl::*command)()) {
        return [this, command] {
            m_wbControl->setFocus();
            (m_wbControl->*command)();
        };
    };
    const auto onBrowser = [this](void (WBControl::*command)()) {
        return [this, command] {
            (m_wbControl->*command)();
        };
    };
    m_barMenuRows = {{
        {{QStringLiteral("新建(&N)"),
          [this] {
              m_wbControl->NewWindow(QStringLiteral("About:Blank"), true);
          }},
         {QStringLiteral("打开(&O)"),
          [this] {
              askForAddress(frmOpen::OpenCaption);
          }},
         {QStringLiteral("保存(&S)"), onBrowser(&WBControl::SaveFile)},
         {QStringLiteral("打印(&P)"), onBrowser(&WBControl::PrintPage)},
         {QStringLiteral("打印预览(&V)"), onBrowser(&WBControl::LookPrint)},
         {QStringLiteral("属性(&R)"), onBrowser(&WBControl::Getattribute)},
         {QStringLiteral("关闭(&C)"),
          [this] {
              close();
          }}},
        {{QStringLiteral("剪切(&T)"), focusPageThen(&WBControl::Cut)},
         {QStringLiteral("复制(&C)"), focusPageThen(&WBControl::Copy)},
         {QStringLiteral("粘贴(&P)"), focusPageThen(&WBControl::paste)},
         {QStringLiteral("全选(&A)"), focusPageThen(&WBControl::SelectAll)},
         {QStringLiteral("查找(&F)"), onBrowser(&WBControl::Find)}},
        {{QStringLiteral("后退(&B)"), onBrowser(&WBControl::Goback)},
         {QStringLiteral("前进(&F)"), onBrowser(&WBControl::Goforward)},
         {QStringLiteral("停止(&S)"), onBrowser(&WBControl::StopLink)},
         {QStringLiteral("刷新(&R)"), onBrowser(&WBControl::RefreshPage)},
         {QStringLiteral("主页(&H)"), onBrowser(&WBControl::GoHome)},
         {QStringLiteral("空白页(&L)"),
          [this] {
              m_wbControl->OpenURL(QStringLiteral("About:Blank"));
          }},
         // Choosing it only closes the menu: there are no favourites to show.
         {QStringLiteral("收藏夹(&F)"),
          [] {
          }},
         {QStringLiteral("源文件(&C)"), onBrowser(&WBControl::GetFile)}},
        {{QStringLiteral("快速入门(&Q)"),
          [this] {
              m_wbControl->NewWindow(BuiltInPages::quickStart().toString(), false);
          }},
         {QStringLiteral("帮助(&P)"),
          [this] {
              m_wbControl->NewWindow(BuiltInPages::help().toString(), false);
          }},
         {QStringLiteral("关于(&A)"),
          [this] {
              m_aboutBox->show(this);
          }}},
    }};

    for (size_t bar = 0; bar < BarMenus.size(); ++bar) {
        MyMenu *menu = barMenu(bar);
        const std::vector<MenuRow> &rows = m_barMenuRows[bar];
        for (size_t row = 0; row < rows.size(); ++row)
            menu->AddMenu(static_cast<qint16>(row), rows[row].caption);
        connect(m_menuBts[bar], &MenuBt::MouseDown, this, [this, bar] { onBarButtonDown(bar); });
        connect(m_menuBts[bar], &MenuBt::MouseOn, this, [this, bar] { onBarButtonOn(bar); });
        connect(menu, &MyMenu::Hide, this, [this, bar] { closeBarMenu(bar); });
        connect(menu, &MyMenu::MouseDown, this, [this, bar](qint16 Index, Qt::MouseButton Button) {
            onBarMenuDown(bar, Index, Button);
        });
    }
}

MyMenu *Form1::barMenu(size_t bar) const
{
    return m_menus[BarMenus[bar]];
}

// Under its button, its top border over the button's bottom edge.
void Form1::openBarMenu(size_t bar)
{
    const QRectF button = Twips::fromPixels(m_menuBts[bar]->geometry());
    MyMenu *menu = barMenu(bar);
    menu->move(Twips::toPixels(button.left(), button.bottom() - BarMenuOverlap));
    menu->raise();
    menu->show();
}

void Form1::closeBarMenu(size_t bar)
{
    m_menuBts[bar]->ShowMS(false);
    m_menuBts[bar]->SetColor(false);
    barMenu(bar)->hide();
}

// Any button toggles the menu; the other menus stay as they are.
void Form1::onBarButtonDown(size_t bar)
{
    MyMenu *menu = barMenu(bar);
    if (menu->isVisible())
        menu->hide();
    else
        openBarMenu(bar);
}

// Once one bar menu is open, the pointer sliding along the bar opens each menu it
// passes over and closes the one before.
void Form1::onBarButtonOn(size_t bar)
{
    bool otherOpen = false;
    for (size_t other = 0; other < BarMenus.size(); ++other)
        otherOpen = otherOpen || (other != bar && barMenu(other)->isVisible());
    if (!otherOpen || barMenu(bar)->isVisible())
        return;
    for (size_t other = 0; other < BarMenus.size(); ++other) {
        if (other != bar)
            closeBarMenu(other);
    }
    m_menuBts[bar]->ShowMS(true);
    openBarMenu(bar);
}

// Only the left button, or a row's accelerator, chooses a row.
void Form1::onBarMenuDown(size_t bar, qint16 Index, Qt::MouseButton Button)
{
    const std::vector<MenuRow> &rows = m_barMenuRows[bar];
    if (Button != Qt::LeftButton || Index < 0 || static_cast<size_t>(Index) >= rows.size())
        return;
    closeBarMenu(bar);
    rows[static_cast<size_t>(Index)].action();
}

void Form1::wireMainMenu()
{
    m_mainMenu->setObjectName(QStringLiteral("MMenu1"));
    m_mainMenu->hide();
    connect(m_urlEdit, &URLEdit::ShowMenu, this, &Form1::onShowMenu);
    connect(m_mainMenu, &MMenu::HideMenu, m_mainMenu, &QWidget::hide);
    connect(m_mainMenu, &MMenu::PrintPage, m_wbControl, &WBControl::PrintPage);
    connect(m_mainMenu, &MMenu::BefoPrint, m_wbControl, &WBControl::LookPrint);
    connect(m_mainMenu, &MMenu::SaveFile, m_wbControl, &WBControl::SaveFile);
    connect(m_mainMenu, &MMenu::NewPage, this,
            [this] { m_wbControl->NewWindow(QStringLiteral("About:Blank"), false); });
    connect(m_mainMenu, &MMenu::OpenClick, this, [this] { askForAddress(frmOpen::OpenCaption); });
    connect(m_mainMenu, &MMenu::InputURL, this, [this] { askForAddress(frmOpen::NewTabCaption); });
    connect(m_mainMenu, &MMenu::CloseClick, this, [this] {
        m_pictureViewer->close();
        close();
    });
}

// The panel hangs 30 twips below the address bar, and the File menu makes way for it.
void Form1::onShowMenu()
{
    closeBarMenu(0);
    if (m_mainMenu->isVisible()) {
        m_mainMenu->hide();
        return;
    }
    const QRectF bar = m_urlEdit->geometryTwips();
    m_mainMenu->move(Twips::toPixels(bar.left(), bar.bottom() + MainMenuGap));
    m_mainMenu->raise();
    m_mainMenu->show();
}

// The open dialog runs its own event loop: it is opened once the press that asked for
// it has been handled, not inside the press handler of the menu or the panel.
void Form1::askForAddress(const QString &caption)
{
    m_mainMenu->hide();
    QMetaObject::invokeMethod(
        this, [this, caption] { frmOpen::run(caption, this, m_wbControl); }, Qt::QueuedConnection);
}

void Form1::wireSearch()
{
    MyMenu *engineMenu = m_menus[EngineMenu];
    connect(engineMenu, &MyMenu::MouseDown, this,
            [this](qint16 index, Qt::MouseButton, Qt::KeyboardModifiers shift) {
                onSearchEngineChosen(index, shift);
            });
    connect(engineMenu, &MyMenu::Hide, this, [this] {
        m_menus[EngineMenu]->hide();
        m_urlEdit->stFocus(2);
    });
    connect(m_urlEdit, &URLEdit::SelectSerchSite, this, &Form1::onSelectSerchSite);
    connect(m_urlEdit, &URLEdit::Serch, this, &Form1::onSerch);
}

void Form1::loadSearchEngines(const SearchEngineTable &searchEngines)
{
    for (size_t engine = 0; engine < searchEngines.size(); ++engine) {
        SearchPrefix[engine] = searchEngines[engine].prefix;
        EngineHome[engine] = searchEngines[engine].home;
    }
    SearchPrefix[5] = SearchPrefix[0];
}

// Any button, and the menu's accelerator keys, choose an engine; Ctrl alone also opens
// the engine's home page in the selected tab. The row comes from the menu, which knows
// nothing of the engine table: a row that names no engine chooses nothing.
void Form1::onSearchEngineChosen(qint16 Index, Qt::KeyboardModifiers Shift)
{
    if (Index < 0 || static_cast<size_t>(Index) >= EngineHome.size())
        return;
    m_menus[EngineMenu]->hide();
    SearchPrefix[5] = SearchPrefix[static_cast<size_t>(Index)];
    m_menus[EngineMenu]->checkItem(Index);
    if (Shift == Qt::ControlModifier)
        m_wbControl->OpenURL(EngineHome[static_cast<size_t>(Index)]);
    m_urlEdit->stFocus(2);
}

// The menu hangs with its top-right corner at the press point. The point is in the
// address bar's twips and is used as the window's as it is: the menu lands 120 twips
// left of and above the selector.
void Form1::onSelectSerchSite(double X, double Y)
{
    MyMenu *engineMenu = m_menus[EngineMenu];
    engineMenu->SetChilMenu(true);
    engineMenu->move(Twips::toPixels(X - Twips::fromPixels(engineMenu->width()), Y));
    engineMenu->setVisible(engineMenu->isHidden());
}

// Searches are not added to the address history.
void Form1::onSerch(const QString &Word, bool Ctrl)
{
    const QString address = SearchEngines::address(SearchPrefix[5], Word);
    if (Ctrl)
        m_wbControl->NewWindow(address, false);
    else
        m_wbControl->OpenURL(address);
}

Form1::~Form1() = default;

void Form1::fitToScreen()
{
    const QRect screen = this->screen()->geometry();
    const QSize outer(qRound(screen.width() * ScreenShare), qRound(screen.height() * ScreenShare));
    const QSize frame = frameGeometry().size() - size();
    resize(outer - frame);
    move(screen.center() - QRect(QPoint(), outer).center());
}

// A window manager tells the frame it puts around the window only after the window is
// mapped, and the platform then reports a move or a resize; the first fit counted the
// frame as nothing. The fit is made again once, as soon as the frame is known, whichever
// event brings it: waiting for the next show would first fit when the user restores the
// window from minimised, throwing away the size and place the user gave it.
void Form1::fitOnceFramed()
{
    if (m_fittedWithFrame || !isVisible() || frameGeometry().size() == size())
        return;
    m_fittedWithFrame = true;
    fitToScreen();
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitOnceFramed();
}

void Form1::moveEvent(QMoveEvent *)
{
    fitOnceFramed();
}

void Form1::resizeEvent(QResizeEvent *)
{
    layOut();
    fitOnceFramed();
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layOut();
}

void Form1::layOut()
{
    if (isMinimized())
        return;
    const QRectF client = Twips::fromPixels(rect());
    const QRectF browser = Twips::fromPixels(m_wbControl->geometry());
    const QRectF status = m_statBar->geometryTwips();
    // A window too short for the browser leaves the browser's height as it was.
    const double fittedHeight = client.height() - browser.top() - status.height();
    m_wbControl->setGeometryTwips(browser.left(), browser.top(), client.width(),
                                  fittedHeight >= 0 ? fittedHeight : browser.height());

    // The address bar follows the outer width, window frame included.
    const QRectF bar = m_urlEdit->geometryTwips();
    const double barWidth =
        Twips::fromPixels(frameGeometry().width()) - bar.left() - AddressBarRightMargin;
    if (barWidth >= 0)
        m_urlEdit->setGeometryTwips(bar.left(), bar.top(), barWidth, bar.height());

    // The status bar stays along the bottom, however short the window.
    m_statBar->setGeometryTwips(QRectF(status.left(), client.height() - status.height(),
                                       Twips::fromPixels(m_wbControl->width()), status.height()));
}

// The tab a browser event comes from does not matter: the status bar shows the latest.
void Form1::onBeforeNavigate2(qint16, const QString &URL)
{
    m_statBar->setLinkInfo(QStringLiteral("正在打开: ") + URL);
}

void Form1::onProgressChange(qint16, qint32 Progress, qint32 ProgressMax)
{
    if (const std::optional<qint32> percent = progressPercentage(Progress, ProgressMax))
        m_statBar->setValue(*percent);
}

void Form1::onDownloadComplete(qint16)
{
    m_statBar->setLinkInfo(QStringLiteral("就绪"));
    showSelectedAddress();
    m_statBar->setValue(100);
}

void Form1::wireAddressBar()
{
    connect(m_urlEdit, &URLEdit::GoURL, this, &Form1::onGoURL);
    connect(m_urlEdit, &URLEdit::StopClick, m_wbControl, &WBControl::StopLink);
    connect(m_urlEdit, &URLEdit::GoHome, m_wbControl, &WBControl::GoHome);
    connect(m_urlEdit, &URLEdit::Goback, m_wbControl, &WBControl::Goback);
    connect(m_urlEdit, &URLEdit::Goforward, m_wbControl, &WBControl::Goforward);
    connect(m_urlEdit, &URLEdit::RefreshPage, m_wbControl, &WBControl::RefreshPage);

    // Whichever tab the event comes from, the bar shows the selected tab's address.
    connect(m_wbControl, &WBControl::SelectTab, this, &Form1::showSelectedAddress);
    connect(m_wbControl, &WBControl::TitleChange, this, &Form1::showSelectedAddress);
}

void Form1::onGoURL(bool Ctrl, const QString &URL)
{
    if (Ctrl)
        m_wbControl->NewWindow(URL, false);
    else
        m_wbControl->OpenURL(URL);
    m_urlEdit->AddURL(URL);
}

// Ignored by the bar while the user is typing in the URL box.
void Form1::showSelectedAddress()
{
    m_urlEdit->setURL(m_wbControl->URL());
}

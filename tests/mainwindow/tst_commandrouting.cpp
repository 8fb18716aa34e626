// The menu bar and its menus as a user drives them with the pointer: buttons toggling
// their menus, the pointer sliding along the bar, and every row's command reaching the
// tabbed browser (on scripted engines, which record what they were asked to do).
#include "builtinpages.h"
#include "findbar.h"
#include "form1.h"
#include "frmabout.h"
#include "frmopen.h"
#include "menubaruser.h"
#include "menubt.h"
#include "mmenu.h"
#include "mymenu.h"
#include "recordinglauncher.h"
#include "scriptedengine.h"
#include "showpic.h"
#include "testmain.h"
#include "toplevelwait.h"
#include "twips.h"
#include "urledit.h"
#include "wbcontrol.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTimer>

#include <algorithm>

namespace {

using namespace MenuBarUser;

struct Window
{
    ScriptedEngineFactory *engines;
    std::unique_ptr<Form1> form;

    Window()
    {
        auto factory = std::make_unique<ScriptedEngineFactory>();
        engines = factory.get();
        form = std::make_unique<Form1>(std::move(factory));
        form->show();
        form->activateWindow();
    }

    WBControl *tabs() const { return form->WBControl1(); }
    ScriptedEngine *selected() const
    {
        return engines->engines[static_cast<size_t>(tabs()->CurTab())];
    }
    MenuBt *button(int bar) const { return MenuBarUser::button(form.get(), bar); }
    MyMenu *menu(int bar) const { return MenuBarUser::menu(form.get(), bar); }
    QWidget *row(int bar, int index) const { return MenuBarUser::row(form.get(), bar, index); }

    MMenu *panel() const { return form->findChild<MMenu *>(QStringLiteral("MMenu1")); }
    QWidget *inPanel(const QString &name) const { return panel()->findChild<QWidget *>(name); }
    // The address bar's menu button.
    QWidget *menuButton() const
    {
        return form->URLEdit1()->findChild<QWidget *>(QStringLiteral("MButton"));
    }
    // Opens the panel, whose auto-hide check then finds the pointer inside it.
    void openPanel() const
    {
        panel()->setPointerSource([this] { return panel()->mapToGlobal(QPoint(5, 5)); });
        click(menuButton());
    }

    static void click(QWidget *target, Qt::MouseButton mouseButton = Qt::LeftButton)
    {
        MenuBarUser::click(target, mouseButton);
    }
    void moveOnto(int bar) const { QTest::mouseMove(button(bar), button(bar)->rect().center()); }

    void choose(int bar, int index) const { MenuBarUser::choose(form.get(), bar, index); }

    // The plain look: not open, and a white outline.
    bool looksPlain(int bar) const
    {
        return !button(bar)->isOpen() &&
               button(bar)->grab().toImage().pixelColor(0, 0) == Qt::white;
    }
    bool looksOpen(int bar) const
    {
        return button(bar)->isOpen() && button(bar)->grab().toImage().pixelColor(0, 0) != Qt::white;
    }
    int openMenus() const
    {
        int open = 0;
        for (int bar = File; bar <= Help; ++bar)
            open += menu(bar)->isVisible() ? 1 : 0;
        return open;
    }
};

// What the modal open dialog was like when it showed. It runs its own event loop, so it
// is looked at and closed from inside that loop.
struct OpenDialogSeen
{
    QString caption;
    QWidget *owner = nullptr;
    bool modal = false;

    // Looks for the dialog once `source` has raised `signal`, the press that opens it.
    template<typename Source, typename Signal>
    void closeWhenShown(QWidget *mainWindow, Source *source, Signal signal)
    {
        QObject::connect(
            source, signal, mainWindow,
            [this, mainWindow] {
                QTimer::singleShot(0, mainWindow, [this] {
                    auto *dialog = waitForTopLevel<frmOpen>();
                    if (!dialog)
                        return;
                    caption = dialog->windowTitle();
                    owner = dialog->parentWidget();
                    modal = dialog->isModal();
                    dialog->reject();
                });
            },
            Qt::SingleShotConnection);
    }
};

template<typename T> qsizetype visibleTopLevels()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::count_if(windows.begin(), windows.end(), [](const QWidget *window) {
        return window->isVisible() && qobject_cast<const T *>(window);
    });
}

QByteArray pngOf(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class CommandRoutingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rows whose command goes to the selected tab's browser: the call it received, and
    // whether the page was given the keyboard focus first.
    void rowsReachTheSelectedBrowser_data()
    {
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("focusesPage");
        QTest::newRow("保存") << int(File) << 2 << "ExecWB SaveAs" << false;
        QTest::newRow("打印") << int(File) << 3 << "ExecWB Print" << false;
        QTest::newRow("打印预览") << int(File) << 4 << "ExecWB PrintPreview" << false;
        QTest::newRow("属性") << int(File) << 5 << "ExecWB Properties" << false;
        QTest::newRow("剪切") << int(Edit) << 0 << "ExecWB Cut" << true;
        QTest::newRow("复制") << int(Edit) << 1 << "ExecWB Copy" << true;
        QTest::newRow("粘贴") << int(Edit) << 2 << "ExecWB Paste" << true;
        QTest::newRow("全选") << int(Edit) << 3 << "ExecWB SelectAll" << true;
        QTest::newRow("后退") << int(View) << 0 << "GoBack" << false;
        QTest::newRow("前进") << int(View) << 1 << "GoForward" << false;
        QTest::newRow("停止") << int(View) << 2 << "Stop" << false;
        QTest::newRow("刷新") << int(View) << 3 << "Refresh" << false;
        QTest::newRow("主页") << int(View) << 4 << "GoHome" << false;
        QTest::newRow("空白页") << int(View) << 5 << "Navigate About:Blank" << false;
    }

    void rowsReachTheSelectedBrowser()
    {
        QFETCH(int, bar);
        QFETCH(int, row);
        QFETCH(QString, call);
        QFETCH(bool, focusesPage);
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        window.tabs()->NewWindow(QStringLiteral("http://second.test/"), false);
        ScriptedEngine *selected = window.selected();
        for (ScriptedEngine *engine : window.engines->engines)
            engine->calls.clear();
        window.form->URLEdit1()->stFocus(1);

        window.choose(bar, row);

        QCOMPARE(selected->calls, QStringList{call});
        const QList<ScriptedEngine *> others(window.engines->engines.begin(),
                                             window.engines->engines.end() - 1);
        for (const ScriptedEngine *other : others)
            QVERIFY(!other->calls.contains(call));
        QVERIFY(!window.menu(bar)->isVisible());
        QVERIFY(window.looksPlain(bar));
        if (focusesPage)
            QCOMPARE(QApplication::focusWidget(), selected->widget());
    }

    // "新建" opens a tab that goes nowhere; typing N in the open File menu is the same.
    void newRowOpensAnUnnavigatedTab_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("pointer") << false;
        QTest::newRow("accelerator") << true;
    }

    void newRowOpensAnUnnavigatedTab()
    {
        QFETCH(bool, byKey);
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        if (byKey) {
            Window::click(window.button(File));
            QTest::keyClick(window.menu(File), Qt::Key_N);
        } else {
            window.choose(File, 0);
        }
        QCOMPARE(window.engines->engines.size(), size_t(2));
        QCOMPARE(window.tabs()->CurTab(), qint16(1));
        QVERIFY(window.selected()->navigations.isEmpty());
        QVERIFY(!window.menu(File)->isVisible());
        QVERIFY(window.looksPlain(File));
    }

    // The Help menu's pages open in a new, selected tab.
    void helpRowsOpenTheBuiltInPages_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QUrl>("page");
        QTest::newRow("快速入门") << 0 << BuiltInPages::quickStart();
        QTest::newRow("帮助") << 1 << BuiltInPages::help();
    }

    void helpRowsOpenTheBuiltInPages()
    {
        QFETCH(int, row);
        QFETCH(QUrl, page);
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        window.choose(Help, row);
        QCOMPARE(window.engines->engines.size(), size_t(2));
        QCOMPARE(window.tabs()->CurTab(), qint16(1));
        QCOMPARE(window.selected()->navigations, QStringList{page.toString()});
    }

    void findRowOpensTheFindBar()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        window.choose(Edit, 4);
        auto *bar = window.tabs()->findChild<FindBar *>();
        QVERIFY(bar);
        QTRY_VERIFY(bar->isVisible());
    }

    void sourceRowHandsTheMarkupToTheEditor()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        auto launcher = std::make_unique<RecordingLauncher>();
        RecordingLauncher *editor = launcher.get();
        window.tabs()->setTextEditorLauncher(std::move(launcher));
        window.selected()->bodyMarkup = QStringLiteral("<body><p>源文件</p></body>");
        window.choose(View, 7);
        QCOMPARE(editor->opened.size(), 1);
        QCOMPARE(QString::fromUtf8(editor->opened.first().content), window.selected()->bodyMarkup);
    }

    void favouritesRowOnlyClosesTheMenu()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        ScriptedEngine *selected = window.selected();
        selected->calls.clear();
        window.choose(View, 6);
        QVERIFY(!window.menu(View)->isVisible());
        QVERIFY(window.looksPlain(View));
        QVERIFY(selected->calls.isEmpty());
        QCOMPARE(window.engines->engines.size(), size_t(1));
        QCOMPARE(visibleTopLevels<QWidget>(), 1);
    }

    // Only the left button chooses: a right press leaves the menu open and runs nothing.
    void rightPressOnARowDoesNothing()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        Window::click(window.button(File));
        Window::click(window.row(File, 0), Qt::RightButton);
        QVERIFY(window.menu(File)->isVisible());
        QCOMPARE(window.engines->engines.size(), size_t(1));
    }

    void openRowAsksForAnAddressModally()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        OpenDialogSeen seen;
        seen.closeWhenShown(window.form.get(), window.menu(File), &MyMenu::MouseDown);
        window.choose(File, 1);
        QTRY_COMPARE(seen.caption, frmOpen::OpenCaption);
        QCOMPARE(seen.owner, window.form.get());
        QVERIFY(seen.modal);
        QVERIFY(!window.menu(File)->isVisible());
        QTRY_VERIFY(!waitForTopLevel<frmOpen>(0));
    }

    // The about box has no owner, and choosing the row again brings the same box.
    void aboutRowShowsTheOneAboutBox()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        window.choose(Help, 2);
        auto *about = waitForTopLevel<frmAbout>();
        QVERIFY(about);
        QVERIFY(!about->parentWidget());
        QVERIFY(!about->isModal());
        window.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        window.choose(Help, 2);
        QCOMPARE(waitForTopLevel<frmAbout>(), about);
        QCOMPARE(visibleTopLevels<frmAbout>(), 1);
        about->close();
    }

    // "关闭" closes the main window and leaves the image viewer open.
    void closeRowClosesOnlyTheMainWindow()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        QVERIFY(window.form->pictureViewer()->show(pngOf(QSize(200, 150)), {}, window.form.get()));
        QPointer<ShowPic> viewer = window.form->pictureViewer()->window();
        window.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        window.choose(File, 6);
        QTRY_VERIFY(!window.form->isVisible());
        QVERIFY(viewer && viewer->isVisible());
        viewer->close();
    }

    // The address bar's menu button closes the File menu and shows the panel 30 twips
    // below the bar; pressed again, it hides the panel.
    void menuButtonTogglesThePanel()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        Window::click(window.button(File));
        QVERIFY(window.menu(File)->isVisible());
        window.openPanel();
        QVERIFY(window.panel()->isVisible());
        QVERIFY(!window.menu(File)->isVisible());
        QVERIFY(window.looksPlain(File));
        const QRectF bar = window.form->URLEdit1()->geometryTwips();
        QCOMPARE(window.panel()->pos(), Twips::toPixels(bar.left(), bar.bottom() + 30));
        Window::click(window.menuButton());
        QVERIFY(!window.panel()->isVisible());
    }

    // The panel's commands, reached as a user does: the large button hovered, then the
    // option in its sub-panel clicked.
    void panelCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("call");   // on the selected tab's browser
        QTest::addColumn<QString>("newTab"); // where a new tab went
        QTest::addColumn<QString>("dialog"); // the open dialog's caption
        QTest::newRow("当前页") << "MMenuButton2"
                                << "TButton1"
                                << ""
                                << ""
                                << "打开文件";
        QTest::newRow("新页面") << "MMenuButton2"
                                << "TButton2"
                                << ""
                                << "About:Blank"
                                << "";
        QTest::newRow("空白页") << "MMenuButton1"
                                << "TButton3"
                                << ""
                                << "About:Blank"
                                << "";
        QTest::newRow("输入URL浏览") << "MMenuButton1"
                                     << "TButton4"
                                     << ""
                                     << ""
                                     << "新建页面";
        QTest::newRow("打印") << "MMenuButton3"
                              << "TButton5"
                              << "ExecWB Print"
                              << ""
                              << "";
        QTest::newRow("打印预览") << "MMenuButton3"
                                  << "TButton6"
                                  << "ExecWB PrintPreview"
                                  << ""
                                  << "";
        QTest::newRow("保存") << "MMenuButton4"
                              << ""
                              << "ExecWB SaveAs"
                              << ""
                              << "";
    }

    void panelCommands()
    {
        QFETCH(QString, command);
        QFETCH(QString, option);
        QFETCH(QString, call);
        QFETCH(QString, newTab);
        QFETCH(QString, dialog);
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        ScriptedEngine *first = window.selected();
        first->calls.clear();
        window.openPanel();
        OpenDialogSeen seen;
        if (!dialog.isEmpty())
            seen.closeWhenShown(window.form.get(), window.panel(), &MMenu::HideMenu);

        QWidget *large = window.inPanel(command);
        QTest::mouseMove(large, large->rect().center());
        Window::click(option.isEmpty() ? large : window.inPanel(option));

        QTRY_VERIFY(!window.panel()->isVisible());
        QCOMPARE(first->calls, call.isEmpty() ? QStringList() : QStringList{call});
        if (newTab.isEmpty()) {
            QCOMPARE(window.engines->engines.size(), size_t(1));
        } else {
            QCOMPARE(window.engines->engines.size(), size_t(2));
            QCOMPARE(window.selected()->navigations, QStringList{newTab});
        }
        if (!dialog.isEmpty()) {
            QTRY_COMPARE(seen.caption, dialog);
            QCOMPARE(seen.owner, window.form.get());
            QVERIFY(seen.modal);
        }
    }

    // The panel's close command closes the image viewer, then the main window.
    void panelCloseClosesTheViewerAndTheWindow()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        QVERIFY(window.form->pictureViewer()->show(pngOf(QSize(200, 150)), {}, window.form.get()));
        QPointer<ShowPic> viewer = window.form->pictureViewer()->window();
        window.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        window.openPanel();
        Window::click(window.inPanel(QStringLiteral("cBt")));
        QTRY_VERIFY(!viewer);
        QTRY_VERIFY(!window.form->isVisible());
    }

    // Any button toggles a bar button's menu, and leaves the other menus alone.
    void barButtonsToggleTheirMenus_data()
    {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
    }

    void barButtonsToggleTheirMenus()
    {
        QFETCH(Qt::MouseButton, mouseButton);
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        Window::click(window.button(Help), mouseButton);
        QVERIFY(window.menu(Help)->isVisible());
        QCOMPARE(window.openMenus(), 1);
        const QRectF button = Twips::fromPixels(window.button(Help)->geometry());
        QCOMPARE(window.menu(Help)->pos(), Twips::toPixels(button.left(), button.bottom() - 15));
        Window::click(window.button(Help), mouseButton);
        QCOMPARE(window.openMenus(), 0);
    }

    // With one menu open, the pointer sliding along the bar opens each menu it passes
    // over and closes the one before; with none open it opens nothing.
    void slidingAlongTheBarSwitchesMenus()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        for (int bar = File; bar <= Help; ++bar)
            window.moveOnto(bar);
        QCOMPARE(window.openMenus(), 0);

        Window::click(window.button(Edit));
        QVERIFY(window.looksOpen(Edit));
        for (const int bar : {int(View), int(Help)}) {
            window.moveOnto(bar);
            QVERIFY(window.menu(bar)->isVisible());
            QCOMPARE(window.openMenus(), 1);
            QVERIFY(window.looksOpen(bar));
            QVERIFY(window.looksPlain(bar - 1));
            const QRectF button = Twips::fromPixels(window.button(bar)->geometry());
            QCOMPARE(window.menu(bar)->pos(), Twips::toPixels(button.left(), button.bottom() - 15));
        }
    }

    // The menu asks to be hidden once the pointer has left it: it goes, and its button
    // looks plain again.
    void hideRequestClosesTheMenuAndResetsItsButton()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        Window::click(window.button(View));
        window.menu(View)->setPointerSource([] { return QPoint(-100, -100); });
        QTRY_VERIFY(!window.menu(View)->isVisible());
        QVERIFY(window.looksPlain(View));
    }
};

QUILLET_TEST_MAIN(CommandRoutingTest)
#include "tst_commandrouting.moc"

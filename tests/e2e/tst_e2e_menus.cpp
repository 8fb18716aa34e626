// Quillet's menus as a user reaches them: the menu bar's rows, the main-menu panel
// opened by the address bar's menu button, and closing the program with a window of
// its own still open.
#include "desktop.h"
#include "loopbackserver.h"
#include "quilletwindow.h"

#include <QTest>

#include <algorithm>

using Face = QuilletWindow::Face;

class E2EMenusTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;

    std::unique_ptr<QuilletWindow> start()
    {
        return std::make_unique<QuilletWindow>(E2E::programPath("quillet"),
                                               static_cast<quint16>(server.url({}).port()));
    }

    // The window is there, in its place (the clicks go where they are aimed), and
    // drawn: its first tab shows as selected.
    static bool isDrawn(const QuilletWindow &quillet)
    {
        return quillet.isValid() &&
               QTest::qWaitFor(
                   [&] {
                       return quillet.isFitted() &&
                              quillet.faceLook(E2E::screenshot(), 0) == Face::Selected;
                   },
                   E2E::DefaultTimeout);
    }

    static void closeWithKeys(const E2E::TopLevel &window)
    {
        QVERIFY(E2E::runTool({QStringLiteral("xdotool"), QStringLiteral("windowactivate"),
                              QStringLiteral("--sync"), window.id()}));
        // The window manager's close binding: the same as the frame's close box.
        E2E::Input::key(QStringLiteral("alt+F4"));
    }

private Q_SLOTS:
    void cleanup() { E2E::saveScreenshotOnFailure(); }

    // "快速入门(&Q)" opens the built-in quick-start page in a new, selected tab.
    void helpRowOpensTheQuickStartPage()
    {
        auto quillet = start();
        QVERIFY2(isDrawn(*quillet), "Quillet's window did not appear");
        E2E::Input::click(quillet->barButton(3));
        E2E::Input::click(quillet->barMenuRow(3, 0));
        E2E_TRY_COMPARE(quillet->faceLook(E2E::screenshot(), 1), Face::Selected);
        QCOMPARE(quillet->faceLook(E2E::screenshot(), 0), Face::Normal);
        // A page of the program's own: nothing was asked of the web.
        QVERIFY(!std::any_of(
            server.requests().begin(), server.requests().end(),
            [](const QString &request) { return request.contains(QLatin1String("quickstart")); }));
    }

    // The panel's "空白页" under "新建" opens a new tab on the blank page.
    void panelOpensABlankTab()
    {
        auto quillet = start();
        QVERIFY2(isDrawn(*quillet), "Quillet's window did not appear");
        E2E::Input::click(quillet->menuButton());
        E2E::Input::moveTo(quillet->panelCommand(0));
        E2E::Input::click(quillet->panelOption(0));
        E2E_TRY_COMPARE(quillet->faceLook(E2E::screenshot(), 1), Face::Selected);
    }

    // "关闭(&C)" while the page is still loading ends the program cleanly.
    void closeRowWhileAPageLoads()
    {
        server.servePage(QStringLiteral("/loading.htm"), QStringLiteral("加载中"),
                         QStringLiteral("<img src='/never.png'>"));
        server.stall(QStringLiteral("/never.png"));
        auto quillet = start();
        QVERIFY2(isDrawn(*quillet), "Quillet's window did not appear");
        E2E::Input::click(quillet->urlBox());
        E2E::Input::type(server.url(QStringLiteral("/loading.htm")).toString());
        E2E::Input::key(QStringLiteral("Return"));
        E2E_TRY_VERIFY(std::any_of(
            server.requests().begin(), server.requests().end(),
            [](const QString &request) { return request.endsWith(QLatin1String("/never.png")); }));

        E2E::Input::click(quillet->barButton(0));
        E2E::Input::click(quillet->barMenuRow(0, 6));
        E2E_TRY_VERIFY(!quillet->process().isRunning());
        QCOMPARE(quillet->process().exitStatus(), std::optional<int>(0));
        const QString errors = quillet->errors();
        QVERIFY2(!errors.contains(QStringLiteral("still not deleted")), qPrintable(errors));
    }

    // Closing the main window leaves the about box, and the program, running; closing
    // the about box then ends the program cleanly.
    void aboutBoxOutlivesTheMainWindow()
    {
        auto quillet = start();
        QVERIFY2(isDrawn(*quillet), "Quillet's window did not appear");
        const pid_t pid = quillet->process().pid();
        E2E::Input::click(quillet->barButton(3));
        E2E::Input::click(quillet->barMenuRow(3, 2));
        const E2E::TopLevel about = E2E::TopLevel::find(QStringLiteral("关于"), pid);
        QVERIFY2(about.isValid(), "the about box did not appear");

        closeWithKeys(quillet->window());
        E2E_TRY_VERIFY(!quillet->window().isShown());
        QVERIFY2(quillet->process().isRunning(), qPrintable(quillet->errors()));
        QVERIFY(about.isShown());

        closeWithKeys(about);
        E2E_TRY_VERIFY(!quillet->process().isRunning());
        QCOMPARE(quillet->process().exitStatus(), std::optional<int>(0));
        const QString errors = quillet->errors();
        QVERIFY2(!errors.contains(QStringLiteral("still not deleted")), qPrintable(errors));
    }
};

QUILLET_E2E_MAIN(E2EMenusTest)
#include "tst_e2e_menus.moc"

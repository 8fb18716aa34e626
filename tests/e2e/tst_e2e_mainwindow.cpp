// Quillet's main window under a window manager: its outer size and place at start, and
// that they stay the user's afterwards.
#include "desktop.h"
#include "loopbackserver.h"
#include "quilletwindow.h"

#include <QTest>

class E2EMainWindowTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;

    static void xdotool(const QStringList &arguments)
    {
        QVERIFY(E2E::runTool(QStringList{QStringLiteral("xdotool")} + arguments));
    }

private Q_SLOTS:
    void cleanup() { E2E::saveScreenshotOnFailure(); }

    void outerSizeIsFittedOnceWithTheFrame()
    {
        QuilletWindow quillet(E2E::programPath("quillet"),
                              static_cast<quint16>(server.url({}).port()));
        QVERIFY2(quillet.isValid(), "Quillet's window did not appear");
        const E2E::TopLevel &window = quillet.window();

        // Frame included, 0.9 of the screen, centred.
        E2E_TRY_VERIFY(quillet.isFitted());
        QVERIFY(!window.frame().isNull());
        const QRect outer = window.outerGeometry();

        // The user moves the window (Alt and the left button) and makes it smaller
        // (Alt and the right button, near the lower right corner).
        const QPoint inside = quillet.page();
        E2E::Input::drag(inside, inside - QPoint(60, 30), 1, QStringLiteral("alt"),
                         [&] { return window.outerGeometry().topLeft() != outer.topLeft(); });
        E2E_TRY_COMPARE(window.outerGeometry().topLeft(), outer.topLeft() - QPoint(60, 30));
        const QRect moved = window.outerGeometry();
        const QPoint corner = moved.bottomRight() - QPoint(40, 40);
        E2E::Input::drag(corner, corner - QPoint(200, 100), 3, QStringLiteral("alt"),
                         [&] { return window.outerGeometry().size() != moved.size(); });
        E2E_TRY_COMPARE(window.outerGeometry().size(), moved.size() - QSize(200, 100));
        const QRect users = window.outerGeometry();
        QCOMPARE(users.topLeft(), moved.topLeft());

        xdotool({QStringLiteral("windowminimize"), window.id()});
        E2E_TRY_VERIFY(window.isMinimized());
        xdotool({QStringLiteral("windowactivate"), window.id()});
        E2E_TRY_VERIFY(!window.isMinimized());
        // Drawn again after the restore, in the user's place.
        E2E_TRY_COMPARE(quillet.faceLook(E2E::screenshot(), 0), QuilletWindow::Face::Selected);
        QCOMPARE(window.outerGeometry(), users);
    }
};

QUILLET_E2E_MAIN(E2EMainWindowTest)
#include "tst_e2e_mainwindow.moc"

// The main window's layout: the browser between the menu bar and the status bar, the
// status bar along the bottom, nothing moved while minimised.
#include "form1.h"
#include "scriptedengine.h"
#include "statbar.h"
#include "testmain.h"
#include "twips.h"
#include "wbcontrol.h"

class MainLayoutTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Form1> window;

    QRect browser() const { return window->WBControl1()->geometry(); }
    QRect status() const { return window->StatBar1()->geometry(); }
    void resizeClient(double width, double height)
    {
        window->resize(Twips::toPixels(QSizeF(width, height)));
    }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<Form1>(std::make_unique<ScriptedEngineFactory>());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    void browserAndStatusBarShareTheClientArea()
    {
        resizeClient(9000, 8000);
        QCOMPARE(browser(), Twips::toPixels(0, 840, 9000, 6800));
        QCOMPARE(status(), Twips::toPixels(0, 7640, 9000, 360));
        QCOMPARE(status().top(), browser().bottom() + 1);
        QCOMPARE(status().bottom(), window->rect().bottom());
    }

    void aWindowTooShortMovesOnlyTheStatusBar()
    {
        resizeClient(9000, 8000);
        const int browserHeight = browser().height();

        resizeClient(6000, 1000);
        QCOMPARE(browser().height(), browserHeight);
        QCOMPARE(browser().width(), window->width());
        QCOMPARE(status(), Twips::toPixels(0, 1000 - 360, 6000, 360));
    }

    void minimisedNothingMovesAndRestoringLaysOut()
    {
        resizeClient(9000, 8000);
        const QRect browserBefore = browser();
        const QRect statusBefore = status();

        window->showMinimized();
        QTRY_VERIFY(window->isMinimized());
        resizeClient(7500, 6000);
        QCOMPARE(browser(), browserBefore);
        QCOMPARE(status(), statusBefore);

        window->showNormal();
        QTRY_VERIFY(!window->isMinimized());
        const QRectF client = Twips::fromPixels(window->rect());
        QCOMPARE(browser(), Twips::toPixels(0, 840, client.width(), client.height() - 840 - 360));
        QCOMPARE(status(), Twips::toPixels(0, client.height() - 360, client.width(), 360));
    }
};

QUILLET_TEST_MAIN(MainLayoutTest)
#include "tst_mainlayout.moc"

// Quillet's main window: start-up geometry, caption and the first tab.
#include "builtinpages.h"
#include "form1.h"
#include "loopbackserver.h"
#include "scriptedengine.h"
#include "showpic.h"
#include "tabfaces.h"
#include "testmain.h"
#include "twips.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QBuffer>
#include <QLabel>
#include <QMimeData>
#include <QScreen>

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensAtNineTenthsOfTheScreenCentred()
    {
        Form1 window(std::make_unique<ScriptedEngineFactory>());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect screen = window.screen()->geometry();
        const QRect outer = window.frameGeometry();
        QCOMPARE(outer.size(), QSize(qRound(screen.width() * 0.9), qRound(screen.height() * 0.9)));
        QVERIFY(qAbs(outer.center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(outer.center().y() - screen.center().y()) <= 1);
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillet"));
    }

    // A picture dropped on a tab, as another program sends it (the file's bytes), opens
    // the image viewer; a second one replaces it in the same window. The tabs stay.
    void picturesDroppedOnATabOpenTheViewer()
    {
        Form1 window(std::make_unique<ScriptedEngineFactory>());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.WBControl1()->NewWindow(QStringLiteral("http://one.test/"), false);

        const auto dropPicture = [&](const QColor &colour) {
            QImage picture(120, 90, QImage::Format_RGB32);
            picture.fill(colour);
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            picture.save(&buffer, "PNG");
            QMimeData data;
            data.setData(QStringLiteral("image/png"), png);
            const TabFaces::DragAndDrop answers =
                TabFaces::drop(TabFaces::face(window.WBControl1(), 0), data);
            QCOMPARE(answers.drop, TabFaces::Copied);
        };
        dropPicture(Qt::darkCyan);
        ShowPic *viewer = window.pictureViewer()->window();
        QVERIFY(viewer);
        QTRY_VERIFY(viewer->isVisible());
        QCOMPARE(viewer->picture().pixelColor(5, 5), QColor(Qt::darkCyan));

        dropPicture(Qt::darkMagenta);
        QCOMPARE(window.pictureViewer()->window(), viewer);
        QCOMPARE(viewer->picture().pixelColor(5, 5), QColor(Qt::darkMagenta));
        QCOMPARE(window.WBControl1()->CurTab(), 1);
        viewer->close();
    }

    void browserFillsTheWidthBelowTheMenuBar()
    {
        Form1 window(std::make_unique<ScriptedEngineFactory>());
        window.show();
        const QRectF browser = Twips::fromPixels(window.WBControl1()->geometry());
        QCOMPARE(browser.topLeft(), QPointF(0, 840));
        QCOMPARE(browser.width(), Twips::fromPixels(window.width()));

        window.resize(window.size() + QSize(10, 0));
        QCOMPARE(window.WBControl1()->width(), window.width());
    }

    void homePageInTheFirstTabAndTheCaptionStays()
    {
        LoopbackServer server;
        server.servePage(QStringLiteral("/page.html"), QStringLiteral("别的标题"));
        Form1 window(std::make_unique<WebEngineBrowserFactory>());
        window.show();
        WBControl *browser = window.WBControl1();
        const QString home = BuiltInPages::home().toString();
        QVERIFY(WebWait::forLocation(browser->browser(0), home));
        QTRY_COMPARE(browser->findChild<QLabel *>(QStringLiteral("Tstr0"))->text(),
                     QStringLiteral("起始页"));

        browser->NewWindow(server.url(QStringLiteral("/page.html")).toString(), false);
        QVERIFY(WebWait::forLocation(browser->browser(1),
                                     server.url(QStringLiteral("/page.html")).toString()));
        QTRY_COMPARE(browser->findChild<QLabel *>(QStringLiteral("Tstr1"))->text(),
                     QStringLiteral("别的标题"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillet"));
    }
};

QUILLET_TEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"

// Lumbra's window and its links timer.
#include "builtinpages.h"
#include "form1.h"
#include "linkrule.h"
#include "loopbackserver.h"
#include "scriptedengine.h"
#include "testmain.h"
#include "twips.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <QWebEnginePage>

namespace {

// The draw that gives each divisor n = floor(r * 5) + 2.
double drawFor(int divisor)
{
    return (divisor - 2) / 5.0 + 0.1;
}

} // namespace

class LinkOpenerTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Form1> makeWindow(ScriptedEngineFactory *&engines)
    {
        auto factory = std::make_unique<ScriptedEngineFactory>();
        engines = factory.get();
        auto window = std::make_unique<Form1>(std::move(factory));
        window->Timer1()->stop();
        return window;
    }

private Q_SLOTS:
    void minuteRule_data()
    {
        QTest::addColumn<int>("minute");
        QTest::addColumn<QList<bool>>("opensForDivisor"); // n = 2, 3, 4, 5, 6
        QTest::newRow("minute 0") << 0 << QList<bool>{true, true, true, true, true};
        QTest::newRow("minute 7") << 7 << QList<bool>{false, false, false, false, false};
        QTest::newRow("minute 12") << 12 << QList<bool>{true, true, true, false, true};
        QTest::newRow("minute 25") << 25 << QList<bool>{false, false, false, true, false};
        QTest::newRow("minute 59") << 59 << QList<bool>{false, false, false, false, false};
    }

    void minuteRule()
    {
        QFETCH(int, minute);
        QFETCH(QList<bool>, opensForDivisor);
        for (int divisor = 2; divisor <= 6; ++divisor)
            QCOMPARE(LinkRule::opensLinks(minute, drawFor(divisor)),
                     opensForDivisor.at(divisor - 2));
        // The ends of the draw's range.
        QCOMPARE(LinkRule::opensLinks(minute, 0.0), minute % 2 == 0);
        QCOMPARE(LinkRule::opensLinks(minute, 0.9999999), minute % 6 == 0);
    }

    void drawsAreUniformAndReseededFromTheClock()
    {
        QList<int> divisorCounts(5, 0);
        QTime time(10, 12, 0);
        for (int tick = 0; tick < 5000; ++tick, time = time.addMSecs(5000)) {
            const double draw = LinkRule::drawSeededFrom(time);
            QVERIFY(draw >= 0.0 && draw < 1.0);
            ++divisorCounts[static_cast<int>(draw * 5)];
        }
        for (int count : std::as_const(divisorCounts))
            QVERIFY2(count > 800 && count < 1200, qPrintable(QString::number(count)));
        QCOMPARE(LinkRule::drawSeededFrom(QTime(10, 0, 30)),
                 LinkRule::drawSeededFrom(QTime(10, 0, 30)));
    }

    void ticksOpenTheLinksPageInTheSelectedTab_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<bool>("opens");
        QTest::newRow("10:00:30, n 6") << QTime(10, 0, 30) << 6 << true;
        QTest::newRow("10:07:10, n 2") << QTime(10, 7, 10) << 2 << false;
        QTest::newRow("10:12:00, n 4") << QTime(10, 12, 0) << 4 << true;
        QTest::newRow("10:12:00, n 5") << QTime(10, 12, 0) << 5 << false;
        QTest::newRow("10:25:55, n 5") << QTime(10, 25, 55) << 5 << true;
    }

    void ticksOpenTheLinksPageInTheSelectedTab()
    {
        QFETCH(QTime, now);
        QFETCH(int, divisor);
        QFETCH(bool, opens);
        ScriptedEngineFactory *engines = nullptr;
        auto window = makeWindow(engines);
        window->WBControl1()->NewWindow(QStringLiteral("http://other.test/"));
        window->setClock([now] { return now; });
        QTime seenBySource;
        window->setRandomSource([&](QTime t) {
            seenBySource = t;
            return drawFor(divisor);
        });
        window->Timer1_Timer();
        QCOMPARE(seenBySource, now);
        const QStringList expected = opens ? QStringList{QStringLiteral("http://other.test/"),
                                                         BuiltInPages::links().toString()}
                                           : QStringList{QStringLiteral("http://other.test/")};
        QCOMPARE(engines->engines.at(1)->navigations, expected);
        QCOMPARE(window->WBControl1()->openSlots(), QList<qint16>{1});
        QVERIFY(engines->engines.at(0)->navigations.isEmpty());
    }

    void windowDesign()
    {
        ScriptedEngineFactory *engines = nullptr;
        auto window = makeWindow(engines);
        window->show();
        QCOMPARE(window->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(Twips::fromPixels(window->size()), QSizeF(12600, 5955));
        QCOMPARE(window->Timer1()->interval(), 5000);
        QCOMPARE(BuiltInPages::links().toString().section(QLatin1Char('/'), 3),
                 QStringLiteral("mylinks.htm"));

        const QRect browser = window->WBControl1()->geometry();
        QCOMPARE(Twips::fromPixels(browser), QRectF(120, 120, 8535, 5655));
        window->resize(window->size() * 2);
        QCOMPARE(window->WBControl1()->geometry(), browser);

        const QStringList before = engines->engines.at(0)->calls;
        QTest::mouseClick(window->Command1(), Qt::LeftButton);
        QCOMPARE(engines->engines.at(0)->calls, before);
        QVERIFY(window->WBControl1()->openSlots().isEmpty());
    }

    // A page's window gets a tab of its own, named as a blank page until the window's
    // page reports its title.
    void windowsOpenedByPagesStartAsBlankTabs()
    {
        LoopbackServer server;
        // Takes the window's request and never answers it.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        server.servePage(QStringLiteral("/mylinks.htm"), QStringLiteral("links"),
                         QStringLiteral("<script>function openIt() { window.open('http://"
                                        "127.0.0.1:%1/never', '_blank'); }</script>")
                             .arg(silent.serverPort()));
        Form1 window(std::make_unique<WebEngineBrowserFactory>());
        window.Timer1()->stop();
        window.setLinksPage(server.url(QStringLiteral("/mylinks.htm")).toString());
        window.setClock([] { return QTime(10, 0, 30); });
        window.show();
        WBControl *control = window.WBControl1();
        window.Timer1_Timer();
        QVERIFY(WebWait::forLocation(control->browser(0),
                                     server.url(QStringLiteral("/mylinks.htm")).toString()));

        QSignalSpy asked(&silent, &QTcpServer::newConnection);
        WebWait::evaluate(static_cast<WebEngineBrowser *>(control->browser(0))->page(),
                          QStringLiteral("openIt(); true"));
        QTRY_COMPARE(control->openSlots(), QList<qint16>{1});
        const auto *tab = control->findChild<QLabel *>(QStringLiteral("Tstr1"));
        QCOMPARE(tab->text(), QStringLiteral("空白页"));
        // The window's page is on its way and has no title yet.
        QVERIFY(asked.count() > 0 || asked.wait());
        QCOMPARE(tab->text(), QStringLiteral("空白页"));
    }

    // Every tick of minute 0 loads the built-in links page again; the tab keeps showing
    // its title, not the address the tick put there.
    void timerNavigatesTheRealEngine()
    {
        const QString links = BuiltInPages::links().toString();
        Form1 window(std::make_unique<WebEngineBrowserFactory>());
        window.Timer1()->stop();
        window.setClock([] { return QTime(10, 0, 30); });
        window.show();
        WBControl *control = window.WBControl1();
        QVERIFY(WebWait::forLocation(control->browser(0), BuiltInPages::home().toString()));
        const auto *tab = control->findChild<QLabel *>(QStringLiteral("Tstr0"));

        // One tick at a time: every tick restarts the navigation.
        window.Timer1()->setSingleShot(true);
        QSignalSpy navigations(control, &WBControl::BeforeNavigate2);
        for (int tick = 1; tick <= 2; ++tick) {
            QSignalSpy complete(control, &WBControl::DownloadComplete);
            window.Timer1()->start(50);
            QVERIFY(complete.wait());
            QCOMPARE(control->browser(0)->LocationURL(), links);
            QCOMPARE(navigations.count(), tick);
            QCOMPARE(navigations.last().at(1).toString(), links);
            QTRY_COMPARE(tab->text(), QStringLiteral("常用网址"));
        }
        QCOMPARE(control->Title(), QStringLiteral("常用网址"));
        QCOMPARE(control->openSlots(), QList<qint16>{});
    }
};

QUILLET_TEST_MAIN(LinkOpenerTest)
#include "tst_linkopener.moc"

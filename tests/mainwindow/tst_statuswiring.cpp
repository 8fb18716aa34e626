// The main window keeps the status bar in step with the tabbed browser's events.
#include "builtinpages.h"
#include "form1.h"
#include "loopbackserver.h"
#include "scriptedengine.h"
#include "statbar.h"
#include "testmain.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QLabel>
#include <QSignalSpy>

namespace {

QString percentageOf(const StatBar *bar)
{
    return bar->findChild<QLabel *>(QStringLiteral("ProgressH"))->text();
}

} // namespace

class StatusWiringTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Form1> window;
    ScriptedEngineFactory *engines = nullptr;

    ScriptedEngine *engine(int slot) const
    {
        return engines->engines.at(static_cast<size_t>(slot));
    }
    StatBar *bar() const { return window->StatBar1(); }
    QString percentage() const { return percentageOf(bar()); }

private Q_SLOTS:
    void init()
    {
        auto factory = std::make_unique<ScriptedEngineFactory>();
        engines = factory.get();
        window = std::make_unique<Form1>(std::move(factory));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    void startsReadyAndFull()
    {
        QCOMPARE(bar()->linkInfo(), QStringLiteral("就绪"));
        QCOMPARE(percentage(), QStringLiteral("100%"));
    }

    void progress_data()
    {
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("progressMax");
        QTest::addColumn<QString>("shown"); // 30% shows that nothing was written
        QTest::newRow("-1") << -1 << 10000 << QStringLiteral("30%");
        QTest::newRow("0") << 0 << 10000 << QStringLiteral("30%");
        QTest::newRow("50, half to even 0") << 50 << 10000 << QStringLiteral("0%");
        QTest::newRow("150, half to even 2") << 150 << 10000 << QStringLiteral("2%");
        QTest::newRow("250, half to even 2") << 250 << 10000 << QStringLiteral("2%");
        QTest::newRow("350, half to even 4") << 350 << 10000 << QStringLiteral("4%");
        QTest::newRow("251 rounds up") << 251 << 10000 << QStringLiteral("3%");
        QTest::newRow("9999") << 9999 << 10000 << QStringLiteral("100%");
        QTest::newRow("10000") << 10000 << 10000 << QStringLiteral("30%");
        QTest::newRow("ProgressMax 0") << 5000 << 0 << QStringLiteral("30%");
        QTest::newRow("scale fixed whatever the maximum") << 5000 << 100 << QStringLiteral("50%");
    }

    void progress()
    {
        QFETCH(int, progress);
        QFETCH(int, progressMax);
        QFETCH(QString, shown);
        Q_EMIT engine(0)->ProgressChange(3000, 10000);
        QCOMPARE(percentage(), QStringLiteral("30%"));
        Q_EMIT engine(0)->ProgressChange(progress, progressMax);
        QCOMPARE(percentage(), shown);
    }

    void aNavigationFromStartToCompletion()
    {
        const QString url = QStringLiteral("http://127.0.0.1:9/page.htm");
        Q_EMIT engine(0)->BeforeNavigate2(url);
        QCOMPARE(bar()->linkInfo(), QStringLiteral("正在打开: ") + url);
        Q_EMIT engine(0)->ProgressChange(4000, 10000);
        QCOMPARE(percentage(), QStringLiteral("40%"));
        QCOMPARE(bar()->Value(), 376);
        Q_EMIT engine(0)->ProgressChange(10000, 10000);
        QCOMPARE(percentage(), QStringLiteral("40%"));
        Q_EMIT engine(0)->TitleChange(QStringLiteral("页面"));
        Q_EMIT engine(0)->DownloadComplete();
        QCOMPARE(bar()->linkInfo(), QStringLiteral("就绪"));
        QCOMPARE(percentage(), QStringLiteral("100%"));
        QCOMPARE(bar()->Value(), 940);
        QCOMPARE(window->windowTitle(), QStringLiteral("Quillet"));
    }

    // Frames start and finish loads of their own: the text follows the latest event.
    void aBackgroundTabUpdatesTheSameBar()
    {
        window->WBControl1()->NewWindow(QStringLiteral("http://127.0.0.1:9/b.htm"), false);
        QCOMPARE(window->WBControl1()->CurTab(), 1);
        Q_EMIT engine(1)->DownloadComplete();
        Q_EMIT engine(0)->BeforeNavigate2(QStringLiteral("http://127.0.0.1:9/a.htm"));
        QCOMPARE(bar()->linkInfo(), QStringLiteral("正在打开: http://127.0.0.1:9/a.htm"));
        Q_EMIT engine(0)->ProgressChange(2000, 10000);
        QCOMPARE(percentage(), QStringLiteral("20%"));
        Q_EMIT engine(1)->DownloadComplete();
        QCOMPARE(bar()->linkInfo(), QStringLiteral("就绪"));
        QCOMPARE(percentage(), QStringLiteral("100%"));
    }

    void theRealEngineGoesFromOpeningToReady()
    {
        window.reset();
        LoopbackServer server;
        server.servePage(QStringLiteral("/page.html"), QStringLiteral("页面"),
                         QStringLiteral("<p>内容</p>"));
        const QString url = server.url(QStringLiteral("/page.html")).toString();
        Form1 real(std::make_unique<WebEngineBrowserFactory>());
        real.show();
        WBControl *browser = real.WBControl1();
        QVERIFY(WebWait::forLocation(browser->browser(0), BuiltInPages::home().toString()));

        // Recorded after the window's own handlers have run.
        QStringList opening;
        QStringList completed;
        connect(browser, &WBControl::BeforeNavigate2, this,
                [&](qint16, const QString &) { opening.append(real.StatBar1()->linkInfo()); });
        connect(browser, &WBControl::DownloadComplete, this, [&](qint16) {
            completed.append(real.StatBar1()->linkInfo() + QLatin1Char(' ') +
                             percentageOf(real.StatBar1()));
        });
        QSignalSpy done(browser, &WBControl::DownloadComplete);
        browser->OpenURL(url);
        QVERIFY(done.wait(WebWait::DefaultTimeout));

        QCOMPARE(opening, QStringList{QStringLiteral("正在打开: ") + url});
        QCOMPARE(completed, QStringList{QStringLiteral("就绪 100%")});
        QCOMPARE(real.StatBar1()->Value(), 940);
        QCOMPARE(real.windowTitle(), QStringLiteral("Quillet"));
    }
};

QUILLET_TEST_MAIN(StatusWiringTest)
#include "tst_statuswiring.moc"

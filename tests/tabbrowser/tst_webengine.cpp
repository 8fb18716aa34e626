// Quillet's tabbed browser on the real engine, with pages served from loopback.
#include "loopbackserver.h"
#include "testmain.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QLabel>
#include <QSignalSpy>
#include <QWebEnginePage>

class WebEngineTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;
    std::unique_ptr<WBControl> control;

    WebEngineBrowser *browser(qint16 slot) const
    {
        return static_cast<WebEngineBrowser *>(control->browser(slot));
    }
    QString title(qint16 slot) const
    {
        return control->findChild<QLabel *>(QStringLiteral("Tstr%1").arg(slot))->text();
    }
    QString url(const QString &path) const { return server.url(path).toString(); }

private Q_SLOTS:
    void initTestCase()
    {
        server.servePage(QStringLiteral("/thirty.html"),
                         QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"));
        server.servePage(QStringLiteral("/short.html"), QStringLiteral("短标题"));
        server.servePage(QStringLiteral("/opener.html"), QStringLiteral("opener"),
                         QStringLiteral("<script>function openIt() {"
                                        " window.open('/popup.html', '_blank'); }</script>"));
        server.servePage(QStringLiteral("/popup.html"), QStringLiteral("popup"),
                         QStringLiteral("<p id=\"content\">opened by script</p>"));
    }

    void init()
    {
        control = std::make_unique<WBControl>(std::make_unique<WebEngineBrowserFactory>());
        control->setGeometryTwips(0, 840, 12000, 9000);
        control->show();
        QVERIFY(WebWait::forLocation(browser(0),
                                     WebEngineBrowserFactory::defaultHomePage().toString()));
    }

    void cleanup() { control.reset(); }

    void firstTabShowsTheBuiltInHomePage()
    {
        QCOMPARE(browser(0)->LocationName(), QStringLiteral("起始页"));
        QTRY_COMPARE(title(0), QStringLiteral("起始页"));
        QCOMPARE(control->URL(), WebEngineBrowserFactory::defaultHomePage().toString());
    }

    void loadRaisesTheEventsInOrder()
    {
        QStringList events;
        connect(control.get(), &WBControl::BeforeNavigate2, this, [&](qint16 i, const QString &u) {
            events.append(QStringLiteral("before %1 %2").arg(i).arg(u));
        });
        connect(control.get(), &WBControl::DownloadBegin, this,
                [&](qint16 i) { events.append(QStringLiteral("begin %1").arg(i)); });
        connect(control.get(), &WBControl::DownloadComplete, this,
                [&](qint16 i) { events.append(QStringLiteral("complete %1").arg(i)); });
        QSignalSpy progress(control.get(), &WBControl::ProgressChange);
        control->OpenURL(url(QStringLiteral("/short.html")));
        QVERIFY(WebWait::forLocation(browser(0), url(QStringLiteral("/short.html"))));
        QTRY_VERIFY(events.contains(QStringLiteral("complete 0")));
        QCOMPARE(events.first(), QStringLiteral("before 0 ") + url(QStringLiteral("/short.html")));
        QVERIFY(events.indexOf(QStringLiteral("begin 0")) <
                events.indexOf(QStringLiteral("complete 0")));
        QVERIFY(browser(0)->Silent());
        QVERIFY(!progress.isEmpty());
        for (const QVariantList &report : std::as_const(progress)) {
            QCOMPARE(report.at(2).toInt(), 10000);
            QVERIFY(report.at(1).toInt() >= 0 && report.at(1).toInt() <= 10000);
        }
        QTRY_COMPARE(title(0), QStringLiteral("短标题"));
    }

    void longTitlesAreShortened()
    {
        control->NewWindow(url(QStringLiteral("/thirty.html")), false);
        QVERIFY(WebWait::forLocation(browser(1), url(QStringLiteral("/thirty.html"))));
        QTRY_COMPARE(title(1), QStringLiteral("abcdefghij..."));
    }

    void blankPagesAreNamedBlank()
    {
        control->NewWindow(url(QStringLiteral("/short.html")), false);
        QTRY_COMPARE(title(1), QStringLiteral("短标题"));
        control->setURL(QStringLiteral("About:Blank"));
        QVERIFY(WebWait::forLocation(browser(1), QStringLiteral("about:blank")));
        QTRY_COMPARE(title(1), QStringLiteral("空白页"));
    }

    void urlPropertyReadsAndWritesTheSelectedTab()
    {
        control->NewWindow(QString(), true);
        control->setURL(url(QStringLiteral("/short.html")));
        QVERIFY(WebWait::forLocation(browser(1), url(QStringLiteral("/short.html"))));
        QCOMPARE(control->URL(), url(QStringLiteral("/short.html")));
        QCOMPARE(browser(0)->LocationURL(), WebEngineBrowserFactory::defaultHomePage().toString());
    }

    void windowOpenedByScriptGetsTheRightmostTab()
    {
        control->NewWindow(QString(), true);
        control->NewWindow(url(QStringLiteral("/opener.html")), false);
        QVERIFY(WebWait::forLocation(browser(2), url(QStringLiteral("/opener.html"))));
        QSignalSpy newWindows(control.get(), &WBControl::NewWindow2);
        WebWait::evaluate(browser(2)->page(), QStringLiteral("openIt()"));
        QVERIFY(newWindows.count() == 1 || newWindows.wait());
        QCOMPARE(newWindows.first().first().value<qint16>(), 2);
        QCOMPARE(control->openSlots(), (QList<qint16>{1, 2, 3}));
        QCOMPARE(control->CurTab(), 3);
        QVERIFY(WebWait::forLocation(browser(3), url(QStringLiteral("/popup.html"))));
        QCOMPARE(
            WebWait::evaluate(browser(3)->page(),
                              QStringLiteral("document.getElementById('content').textContent")),
            QVariant(QStringLiteral("opened by script")));
        QCOMPARE(WebWait::evaluate(browser(3)->page(), QStringLiteral("window.opener !== null")),
                 QVariant(true));
        QTRY_COMPARE(title(3), QStringLiteral("popup"));

        // The window closes itself: its tab closes and the rightmost remaining is selected.
        WebWait::evaluate(browser(3)->page(), QStringLiteral("window.close()"));
        QTRY_COMPARE(control->openSlots(), (QList<qint16>{1, 2}));
        QCOMPARE(control->CurTab(), 2);
        QCOMPARE(control->freeSlots(), QList<qint16>{3});
        QVERIFY(WebWait::forLocation(browser(3), QStringLiteral("about:blank")));
    }

    void closedTabsAreReusedAndBrowseAgain()
    {
        control->NewWindow(url(QStringLiteral("/short.html")), false);
        QVERIFY(WebWait::forLocation(browser(1), url(QStringLiteral("/short.html"))));
        control->CloseTab(1);
        QVERIFY(WebWait::forLocation(browser(1), QStringLiteral("about:blank")));
        control->NewWindow(url(QStringLiteral("/thirty.html")), false);
        QCOMPARE(control->CurTab(), 1);
        QVERIFY(WebWait::forLocation(browser(1), url(QStringLiteral("/thirty.html"))));
        QTRY_COMPARE(title(1), QStringLiteral("abcdefghij..."));
    }
};

QUILLET_TEST_MAIN(WebEngineTest)
#include "tst_webengine.moc"

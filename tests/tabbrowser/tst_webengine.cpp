// Quillet's tabbed browser on the real engine, with pages served from loopback.
#include "builtinpages.h"
#include "loopbackserver.h"
#include "tabfaces.h"
#include "testmain.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>
#include <QWebEnginePage>

namespace {

const QString Blank = QStringLiteral("空白页");

enum class Reuse
{
    NewTab,
    BlankTabThenOpenUrl,
    WindowOpenedByAPage
};

} // namespace

Q_DECLARE_METATYPE(Reuse)

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

    // Opens slot 1 on a page, closes it and waits until it has let go of the page.
    void openAndClose()
    {
        control->NewWindow(url(QStringLiteral("/short.html")), false);
        QVERIFY(WebWait::forLocation(browser(1), url(QStringLiteral("/short.html"))));
        QTRY_COMPARE(title(1), QStringLiteral("短标题"));
        QVERIFY(browser(1)->page()->renderProcessPid() > 0);

        control->CloseTab(1);
        QCOMPARE(control->freeSlots(), QList<qint16>{1});
        QTRY_COMPARE(title(1), Blank);
        QTRY_COMPARE(browser(1)->page()->lifecycleState(),
                     QWebEnginePage::LifecycleState::Discarded);
        QTRY_COMPARE(browser(1)->page()->renderProcessPid(), 0);
        QCOMPARE(title(1), Blank);
        QCOMPARE(browser(1)->LocationURL(), QStringLiteral("about:blank"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        server.servePage(QStringLiteral("/thirty.html"),
                         QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"));
        server.servePage(QStringLiteral("/short.html"), QStringLiteral("短标题"));
        server.servePage(
            QStringLiteral("/opener.html"), QStringLiteral("opener"),
            QStringLiteral("<a id=\"link\" href=\"/popup.html\" target=\"_blank\">"
                           "popup</a><script>"
                           "function openIt() { window.open('/popup.html', '_blank'); }"
                           "function openDetached() {"
                           " window.open('/popup.html', '_blank', 'noopener'); }"
                           "function followLink() {"
                           " document.getElementById('link').click(); }"
                           "</script>"));
        server.servePage(QStringLiteral("/popup.html"), QStringLiteral("popup"),
                         QStringLiteral("<p id=\"content\">opened by script</p>"));
    }

    void init()
    {
        control = std::make_unique<WBControl>(std::make_unique<WebEngineBrowserFactory>());
        control->setGeometryTwips(0, 840, 12000, 9000);
        control->show();
        QVERIFY(WebWait::forLocation(browser(0), BuiltInPages::home().toString()));
    }

    void cleanup() { control.reset(); }

    void firstTabShowsTheBuiltInHomePage()
    {
        QCOMPARE(browser(0)->LocationName(), QStringLiteral("起始页"));
        QTRY_COMPARE(title(0), QStringLiteral("起始页"));
        QCOMPARE(control->URL(), BuiltInPages::home().toString());
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

    // A link dragged from another program onto the title of a tab in the background.
    void droppedAddressLoadsInItsTab()
    {
        control->NewWindow(url(QStringLiteral("/short.html")), false);
        QVERIFY(WebWait::forLocation(browser(1), url(QStringLiteral("/short.html"))));
        QMimeData data;
        data.setUrls({server.url(QStringLiteral("/thirty.html"))});

        const TabFaces::DragAndDrop answers =
            TabFaces::drop(control->findChild<QLabel *>(QStringLiteral("Tstr0")), data);

        QCOMPARE(answers.drop, TabFaces::Copied);
        QCOMPARE(control->CurTab(), 0);
        QVERIFY(WebWait::forLocation(browser(0), url(QStringLiteral("/thirty.html"))));
        QTRY_COMPARE(title(0), QStringLiteral("abcdefghij..."));
        QCOMPARE(browser(1)->LocationURL(), url(QStringLiteral("/short.html")));
        QCOMPARE(TabFaces::look(control.get(), 0), TabFaces::Look::Selected);
    }

    void longTitlesAreShortened()
    {
        control->NewWindow(url(QStringLiteral("/thirty.html")), false);
        QVERIFY(WebWait::forLocation(browser(1), url(QStringLiteral("/thirty.html"))));
        QTRY_COMPARE(title(1), QStringLiteral("abcdefghij..."));
    }

    // Loading the address a tab shows again changes no title, and the engine reports
    // none; the address OpenURL put on the tab must still give way to the title.
    void reloadedAddressShowsThePageTitleAgain()
    {
        const QString address = url(QStringLiteral("/short.html"));
        control->OpenURL(address);
        QVERIFY(WebWait::forLocation(browser(0), address));
        QTRY_COMPARE(title(0), QStringLiteral("短标题"));

        QSignalSpy complete(control.get(), &WBControl::DownloadComplete);
        control->OpenURL(address);
        QCOMPARE(title(0), address.left(10));
        QVERIFY(complete.wait());
        QCOMPARE(title(0), QStringLiteral("短标题"));
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
        QCOMPARE(browser(0)->LocationURL(), BuiltInPages::home().toString());
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

    // The engine lets a script close only a window that was opened by a script or has
    // no history of its own; a slot reused for a window must not lend it the pages of
    // its earlier life.
    void windowClosingItselfClosesItsTabInAReusedSlot_data()
    {
        QTest::addColumn<QString>("opening");
        QTest::newRow("window.open") << QStringLiteral("openIt()");
        QTest::newRow("window.open, no opener") << QStringLiteral("openDetached()");
        QTest::newRow("link to a new window") << QStringLiteral("followLink()");
    }

    void windowClosingItselfClosesItsTabInAReusedSlot()
    {
        QFETCH(QString, opening);
        control->OpenURL(url(QStringLiteral("/opener.html")));
        QVERIFY(WebWait::forLocation(browser(0), url(QStringLiteral("/opener.html"))));
        for (const char *life : {"fresh slot", "reused slot"}) {
            WebWait::evaluate(browser(0)->page(), opening + QStringLiteral("; true"));
            QTRY_COMPARE(control->openSlots(), QList<qint16>{1});
            QWidget *face = control->findChild<QWidget *>(QStringLiteral("MTab1"));
            QVERIFY2(WebWait::forLocation(browser(1), url(QStringLiteral("/popup.html"))), life);
            QTRY_COMPARE(title(1), QStringLiteral("popup"));
            QVERIFY(face->isVisible());

            WebWait::evaluate(browser(1)->page(), QStringLiteral("window.close(); true"));
            QTRY_VERIFY2_WITH_TIMEOUT(control->openSlots().isEmpty(), life, 10000);
            QCOMPARE(control->CurTab(), 0);
            QVERIFY(!face->isVisible());
            // The closed slot lets go of its page before it is reused.
            QTRY_COMPARE(browser(1)->page()->lifecycleState(),
                         QWebEnginePage::LifecycleState::Discarded);
        }
    }

    // A closed tab turns blank and gives its page's renderer back to the engine.
    void closedTabIsBlankAndReleased() { openAndClose(); }

    void closedTabIsReusedAndBrowsesAgain_data()
    {
        QTest::addColumn<Reuse>("reuse");
        QTest::newRow("new tab") << Reuse::NewTab;
        QTest::newRow("blank tab, then an address") << Reuse::BlankTabThenOpenUrl;
        QTest::newRow("window opened by a page") << Reuse::WindowOpenedByAPage;
    }

    void closedTabIsReusedAndBrowsesAgain()
    {
        QFETCH(Reuse, reuse);
        openAndClose();
        QString expectedUrl = url(QStringLiteral("/thirty.html"));
        QString expectedTitle = QStringLiteral("abcdefghij...");
        switch (reuse) {
        case Reuse::NewTab:
            control->NewWindow(expectedUrl, false);
            break;
        case Reuse::BlankTabThenOpenUrl: {
            // Shown again, the engine reloads the blank page by itself; the tab reports
            // no load of its own, as a blank tab that had kept its page would not.
            QSignalSpy began(control.get(), &WBControl::DownloadBegin);
            QSignalSpy completed(control.get(), &WBControl::DownloadComplete);
            QSignalSpy restored(browser(1)->page(), &QWebEnginePage::loadFinished);
            control->NewWindow(QString(), true);
            QVERIFY(restored.wait());
            QCOMPARE(title(1), Blank);
            QCOMPARE(browser(1)->LocationURL(), QStringLiteral("about:blank"));
            QVERIFY(!browser(1)->Busy());
            QCOMPARE(began.count(), 0);
            QCOMPARE(completed.count(), 0);
            control->OpenURL(expectedUrl);
            break;
        }
        case Reuse::WindowOpenedByAPage:
            control->OpenURL(url(QStringLiteral("/opener.html")));
            QVERIFY(WebWait::forLocation(browser(0), url(QStringLiteral("/opener.html"))));
            WebWait::evaluate(browser(0)->page(), QStringLiteral("openIt(); true"));
            expectedUrl = url(QStringLiteral("/popup.html"));
            expectedTitle = QStringLiteral("popup");
            break;
        }
        QTRY_COMPARE(control->openSlots(), QList<qint16>{1});
        QVERIFY(control->freeSlots().isEmpty());
        QCOMPARE(control->CurTab(), 1);
        QVERIFY(WebWait::forLocation(browser(1), expectedUrl));
        QTRY_COMPARE(title(1), expectedTitle);
        QCOMPARE(browser(1)->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);
        QVERIFY(browser(1)->page()->renderProcessPid() > 0);
    }

    void selectedBlankPageIsKept()
    {
        // A blank page on show is an open tab, not a closed one.
        control->NewWindow(QStringLiteral("about:blank"), false);
        QVERIFY(WebWait::forLocation(browser(1), QStringLiteral("about:blank")));
        QTRY_COMPARE(title(1), Blank);
        QSignalSpy states(browser(1)->page(), &QWebEnginePage::lifecycleStateChanged);
        QVERIFY(!states.wait(500));
        QCOMPARE(browser(1)->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);
    }
};

QUILLET_TEST_MAIN(WebEngineTest)
#include "tst_webengine.moc"

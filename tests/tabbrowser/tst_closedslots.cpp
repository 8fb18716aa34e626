// Closed tab slots on the real engine: a closed slot turns blank, gives its page's
// memory back to the engine, and is reused, working, by the next new tab.
#include "loopbackserver.h"
#include "testmain.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QLabel>
#include <QSignalSpy>
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

class ClosedSlotsTest : public QObject
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
        return control->findChild<QLabel *>(QStringLiteral("Tstr") + QString::number(slot))->text();
    }
    QString url(const QString &path) const { return server.url(path).toString(); }

    // Opens slot 1 on the first page, closes it and waits until it has let go of its page.
    void openAndClose()
    {
        control->NewWindow(url(QStringLiteral("/one.html")), false);
        QCOMPARE(control->CurTab(), 1);
        QVERIFY(WebWait::forLocation(browser(1), url(QStringLiteral("/one.html"))));
        QTRY_COMPARE(title(1), QStringLiteral("One"));
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
        server.servePage(QStringLiteral("/one.html"), QStringLiteral("One"));
        server.servePage(QStringLiteral("/two.html"), QStringLiteral("Two"));
    }

    void init()
    {
        control = std::make_unique<WBControl>(
            std::make_unique<WebEngineBrowserFactory>(server.url(QStringLiteral("/one.html"))));
        control->setGeometryTwips(0, 840, 9000, 6000);
        control->show();
        QVERIFY(QTest::qWaitForWindowExposed(control.get()));
        QVERIFY(WebWait::forLocation(browser(0), url(QStringLiteral("/one.html"))));
    }

    void cleanup() { control.reset(); }

    void closedSlotIsBlankAndReleased() { openAndClose(); }

    void closedSlotIsReusedAndLoadsAgain_data()
    {
        QTest::addColumn<Reuse>("reuse");
        QTest::newRow("new tab") << Reuse::NewTab;
        QTest::newRow("blank tab, then an address") << Reuse::BlankTabThenOpenUrl;
        QTest::newRow("window opened by a page") << Reuse::WindowOpenedByAPage;
    }

    void closedSlotIsReusedAndLoadsAgain()
    {
        QFETCH(Reuse, reuse);
        openAndClose();
        const QString two = url(QStringLiteral("/two.html"));
        switch (reuse) {
        case Reuse::NewTab:
            control->NewWindow(two, false);
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
            control->OpenURL(two);
            break;
        }
        case Reuse::WindowOpenedByAPage:
            WebWait::evaluate(browser(0)->page(),
                              QStringLiteral("window.open('%1'); true").arg(two));
            break;
        }
        QTRY_COMPARE(control->openSlots(), QList<qint16>{1});
        QVERIFY(control->freeSlots().isEmpty());
        QCOMPARE(control->CurTab(), 1);
        QVERIFY(WebWait::forLocation(browser(1), two));
        QTRY_COMPARE(title(1), QStringLiteral("Two"));
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

QUILLET_TEST_MAIN(ClosedSlotsTest)
#include "tst_closedslots.moc"

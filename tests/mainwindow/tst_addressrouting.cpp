// The main window's address bar: its place, and its requests turned into calls on the
// tabbed browser, on scripted engines and end to end on the real engine.
#include "builtinpages.h"
#include "form1.h"
#include "loopbackserver.h"
#include "scriptedengine.h"
#include "skinface.h"
#include "statbar.h"
#include "tabfaces.h"
#include "testmain.h"
#include "twips.h"
#include "urledit.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QWebEnginePage>

namespace {

// A main window shown and active, with its engines kept at hand.
template<typename Factory> struct Window
{
    Factory *engines = nullptr;
    std::unique_ptr<Form1> form;

    Window()
    {
        auto factory = std::make_unique<Factory>();
        engines = factory.get();
        form = std::make_unique<Form1>(std::move(factory));
        form->show();
        form->activateWindow();
    }

    URLEdit *bar() const { return form->URLEdit1(); }
    WBControl *tabs() const { return form->WBControl1(); }
};

QLineEdit *urlBox(URLEdit *bar)
{
    return bar->findChild<QLineEdit *>(QStringLiteral("Text1"));
}

// Types `text` over whatever the URL box holds and ends it with Enter.
void typeAddress(URLEdit *bar, const QString &text, Qt::KeyboardModifiers modifiers = {})
{
    bar->stFocus(1);
    QTest::keyClick(urlBox(bar), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(urlBox(bar), text);
    QTest::keyClick(urlBox(bar), Qt::Key_Return, modifiers);
}

} // namespace

class AddressRoutingTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;

    QString url(const QString &path) const { return server.url(path).toString(); }

private Q_SLOTS:
    void initTestCase()
    {
        server.servePage(QStringLiteral("/first.html"), QStringLiteral("first"),
                         QStringLiteral("<a id=\"next\" href=\"/linked.html\">next</a>"));
        server.servePage(QStringLiteral("/second.html"), QStringLiteral("second"));
        server.servePage(QStringLiteral("/linked.html"), QStringLiteral("linked"));
        server.servePage(QStringLiteral("/opener.html"), QStringLiteral("opener"),
                         QStringLiteral("<script>function openIt() {"
                                        " window.open('/second.html', '_blank'); }</script>"));
    }

    void addressBarSitsAtItsPlaceAndFollowsTheOuterWidth()
    {
        Window<ScriptedEngineFactory> w;
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        const QRectF bar = w.bar()->geometryTwips();
        QCOMPARE(bar.topLeft(), QPointF(120, 120));
        QCOMPARE(bar.height(), 330.0);
        const double outer = Twips::fromPixels(w.form->frameGeometry().width());
        QCOMPARE(bar.width(), outer - 360);

        w.form->resize(w.form->size() + QSize(10, 0));
        QTRY_COMPARE(w.bar()->geometryTwips().width(), bar.width() + 150);
    }

    void enterOpensInTheSelectedTabAndJoinsTheHistory()
    {
        Window<ScriptedEngineFactory> w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        typeAddress(w.bar(), QStringLiteral("a.test"));
        QCOMPARE(w.engines->engines.at(0)->navigations, QStringList{"http://a.test"});
        typeAddress(w.bar(), QStringLiteral("http://b.test/"), Qt::ControlModifier);
        QCOMPARE(w.tabs()->CurTab(), 1);
        QCOMPARE(w.engines->engines.at(1)->navigations, QStringList{"http://b.test/"});
        QCOMPARE(w.engines->engines.at(0)->navigations, QStringList{"http://a.test"});
        QCOMPARE(w.bar()->history(), (QStringList{"http://b.test/", "http://a.test"}));

        // A history entry opens in the selected tab and moves to the top.
        QTest::mouseClick(w.bar()->findChild<SkinFace *>(QStringLiteral("btClick")), Qt::LeftButton,
                          {}, QPoint(3, 3));
        auto *dropped = w.bar()->findChild<QListWidget *>();
        QVERIFY(dropped && dropped->isVisible());
        QTest::mouseClick(dropped->viewport(), Qt::LeftButton, {},
                          dropped->visualItemRect(dropped->item(1)).center());
        QCOMPARE(w.engines->engines.at(1)->navigations.last(), QStringLiteral("http://a.test"));
        QCOMPARE(w.bar()->history(), (QStringList{"http://a.test", "http://b.test/"}));
    }

    void pageCommandsGoToTheSelectedTab_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("call");
        QTest::newRow("StopButton") << "StopButton"
                                    << "Stop";
        QTest::newRow("HomeButton") << "HomeButton"
                                    << "GoHome";
        QTest::newRow("BButton") << "BButton"
                                 << "GoBack";
        QTest::newRow("FButton") << "FButton"
                                 << "GoForward";
        QTest::newRow("RefreshButton") << "RefreshButton"
                                       << "Refresh";
    }

    void pageCommandsGoToTheSelectedTab()
    {
        QFETCH(QString, face);
        QFETCH(QString, call);
        Window<ScriptedEngineFactory> w;
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.tabs()->NewWindow(QStringLiteral("http://other.test/"), false);
        const QStringList firstTabCalls = w.engines->engines.at(0)->calls;
        QTest::mouseClick(w.bar()->findChild<SkinFace *>(face), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(w.engines->engines.at(1)->calls.last(), call);
        QCOMPARE(w.engines->engines.at(0)->calls, firstTabCalls);
    }

    void f5InTheUrlBoxRefreshesTheSelectedTab()
    {
        Window<ScriptedEngineFactory> w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.bar()->stFocus(1);
        QTest::keyClick(urlBox(w.bar()), Qt::Key_F5);
        QCOMPARE(w.engines->engines.at(0)->calls.last(), QStringLiteral("Refresh"));
    }

    void addressBarFollowsTheSelectedTab_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<bool>("typing");
        QTest::addColumn<QString>("shown");
        for (const bool typing : {false, true}) {
            const char *suffix = typing ? ", while typing" : "";
            QTest::addRow("tab selected%s", suffix)
                << "SelectTab" << typing << (typing ? "typed" : "http://zero.test/");
            QTest::addRow("background title%s", suffix)
                << "TitleChange" << typing << (typing ? "typed" : "http://one.test/");
            QTest::addRow("background download%s", suffix)
                << "DownloadComplete" << typing << (typing ? "typed" : "http://one.test/");
        }
    }

    void addressBarFollowsTheSelectedTab()
    {
        QFETCH(QString, event);
        QFETCH(bool, typing);
        QFETCH(QString, shown);
        Window<ScriptedEngineFactory> w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.tabs()->NewWindow(QStringLiteral("http://one.test/"), false);
        ScriptedEngine *background = w.engines->engines.at(0);
        background->location = QStringLiteral("http://zero.test/");
        w.engines->engines.at(1)->location = QStringLiteral("http://one.test/");
        w.bar()->stFocus(typing ? 1 : 2);
        if (typing)
            QTest::keyClicks(urlBox(w.bar()), QStringLiteral("typed"));

        if (event == QLatin1String("SelectTab"))
            TabFaces::click(w.tabs(), 0);
        else if (event == QLatin1String("TitleChange"))
            Q_EMIT background->TitleChange(QStringLiteral("background"));
        else
            Q_EMIT background->DownloadComplete();
        QCOMPARE(w.bar()->URL(), shown);
        QCOMPARE(w.form->windowTitle(), QStringLiteral("Quillet"));
    }

    void downloadCompleteWritesTheAddressBetweenTheStatusWrites()
    {
        Window<ScriptedEngineFactory> w;
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        ScriptedEngine *engine = w.engines->engines.at(0);
        engine->location = QStringLiteral("http://done.test/");
        Q_EMIT engine->BeforeNavigate2(engine->location);
        Q_EMIT engine->ProgressChange(3000, 10000);
        StatBar *status = w.form->StatBar1();
        QString statusAtAddressWrite;
        connect(w.bar(), &URLEdit::PropertyChanged, this, [&] {
            statusAtAddressWrite = status->linkInfo() + QLatin1Char(' ') +
                                   status->findChild<QLabel *>(QStringLiteral("ProgressH"))->text();
        });
        Q_EMIT engine->DownloadComplete();
        QCOMPARE(statusAtAddressWrite, QStringLiteral("就绪 30%"));
        QCOMPARE(w.bar()->URL(), QStringLiteral("http://done.test/"));
    }

    void enterLoadsThePageOnTheRealEngine()
    {
        Window<WebEngineBrowserFactory> w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const QString home = BuiltInPages::home().toString();
        BrowserEngine *firstTab = w.tabs()->browser(0);
        QVERIFY(WebWait::forLocation(firstTab, home));
        QTRY_COMPARE(w.bar()->URL(), home);
        const QString first = url(QStringLiteral("/first.html"));
        const QString linked = url(QStringLiteral("/linked.html"));
        const QString second = url(QStringLiteral("/second.html"));

        typeAddress(w.bar(), first);
        QVERIFY(WebWait::forLocation(firstTab, first));
        QCOMPARE(w.bar()->history(), QStringList{first});

        // A link followed on the page does not join the history.
        auto *page = static_cast<WebEngineBrowser *>(firstTab)->page();
        WebWait::evaluate(page, QStringLiteral("document.getElementById('next').click()"));
        QVERIFY(WebWait::forLocation(firstTab, linked));
        QCOMPARE(w.bar()->history(), QStringList{first});

        typeAddress(w.bar(), second);
        QVERIFY(WebWait::forLocation(firstTab, second));
        QCOMPARE(w.bar()->history(), (QStringList{second, first}));

        // The back and forward buttons step the selected tab; the history stays.
        QTest::mouseClick(w.bar()->findChild<SkinFace *>(QStringLiteral("BButton")), Qt::LeftButton,
                          {}, QPoint(5, 5));
        QVERIFY(WebWait::forLocation(firstTab, linked));
        QTest::mouseClick(w.bar()->findChild<SkinFace *>(QStringLiteral("FButton")), Qt::LeftButton,
                          {}, QPoint(5, 5));
        QVERIFY(WebWait::forLocation(firstTab, second));
        QCOMPARE(w.bar()->history(), (QStringList{second, first}));

        typeAddress(w.bar(), first, Qt::ControlModifier);
        QCOMPARE(w.tabs()->CurTab(), 1);
        QVERIFY(WebWait::forLocation(w.tabs()->browser(1), first));
        QCOMPARE(firstTab->LocationURL(), second);
        QCOMPARE(w.bar()->history(), (QStringList{first, second}));
    }

    void pageOpenedWhileInactiveShowsItsAddressOnTheRealEngine()
    {
        Window<WebEngineBrowserFactory> w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        BrowserEngine *firstTab = w.tabs()->browser(0);
        QVERIFY(WebWait::forLoad(firstTab));
        const QString opener = url(QStringLiteral("/opener.html"));
        typeAddress(w.bar(), opener);
        QVERIFY(WebWait::forLocation(firstTab, opener));
        QCOMPARE(QApplication::focusWidget(), urlBox(w.bar()));

        // The user has gone to another window when the page opens its window.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        auto *page = static_cast<WebEngineBrowser *>(firstTab)->page();
        WebWait::evaluate(page, QStringLiteral("openIt()"));
        QTRY_COMPARE(w.tabs()->CurTab(), 1);
        const QString opened = url(QStringLiteral("/second.html"));
        QVERIFY(WebWait::forLocation(w.tabs()->browser(1), opened));
        QTRY_COMPARE(w.bar()->URL(), opened);
    }

    void typedFilePathLoadsThatFileOnTheRealEngine()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("my page.htm"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>local</title></head><body>on disk</body></html>");
        file.close();
        Window<WebEngineBrowserFactory> w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        BrowserEngine *firstTab = w.tabs()->browser(0);
        QVERIFY(WebWait::forLoad(firstTab));

        typeAddress(w.bar(), path);
        const QString fileUrl = QUrl::fromLocalFile(path).toString();
        QVERIFY(WebWait::forLocation(firstTab, fileUrl));
        auto *page = static_cast<WebEngineBrowser *>(firstTab)->page();
        QCOMPARE(WebWait::evaluate(page, QStringLiteral("document.body.textContent")).toString(),
                 QStringLiteral("on disk"));
        QCOMPARE(w.bar()->URL(), fileUrl);
        QCOMPARE(w.bar()->history(), QStringList{fileUrl});
    }
};

QUILLET_TEST_MAIN(AddressRoutingTest)
#include "tst_addressrouting.moc"

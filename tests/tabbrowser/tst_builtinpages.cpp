// The pages built into the programs: where each address is stored, and how the real
// engine shows them, links out of them and refuses what they do not serve.
#include "builtinpages.h"
#include "loopbackserver.h"
#include "testmain.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QWebEnginePage>

namespace {

const QByteArray Html = QByteArrayLiteral("text/html; charset=utf-8");

} // namespace

class BuiltInPagesTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;
    std::unique_ptr<WBControl> control;

    WebEngineBrowser *browser() const
    {
        return static_cast<WebEngineBrowser *>(control->browser(0));
    }
    QString tabTitle() const
    {
        return control->findChild<QLabel *>(QStringLiteral("Tstr0"))->text();
    }
    QVariant evaluate(const QString &script) const
    {
        return WebWait::evaluate(browser()->page(), script);
    }
    // Opens `url` in the tab and waits for the engine to say how the load ended.
    bool load(const QUrl &url)
    {
        QSignalSpy finished(browser()->page(), &QWebEnginePage::loadFinished);
        control->OpenURL(url.toString());
        if (!finished.wait(WebWait::DefaultTimeout))
            return false;
        return finished.last().at(0).toBool();
    }

private Q_SLOTS:
    void initTestCase() { server.servePage(QStringLiteral("/web.html"), QStringLiteral("网页")); }

    void init()
    {
        control = std::make_unique<WBControl>(std::make_unique<WebEngineBrowserFactory>());
        control->setGeometryTwips(0, 840, 12000, 9000);
        control->show();
        QVERIFY(WebWait::forLocation(browser(), BuiltInPages::home().toString()));
    }

    void cleanup() { control.reset(); }

    void addressesMapToResources_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("resource"); // empty: not served
        QTest::addColumn<QByteArray>("mimeType");
        QTest::newRow("home") << BuiltInPages::home().toString() << ":/builtinpages/home/index.html"
                              << Html;
        QTest::newRow("quick start") << BuiltInPages::quickStart().toString()
                                     << ":/builtinpages/quickstart/index.html" << Html;
        QTest::newRow("help") << BuiltInPages::help().toString() << ":/builtinpages/help/index.html"
                              << Html;
        QTest::newRow("links") << BuiltInPages::links().toString()
                               << ":/builtinpages/links/mylinks.htm" << Html;
        QTest::newRow("host without a slash") << "quillet://help"
                                              << ":/builtinpages/help/index.html" << Html;
        QTest::newRow("host in capitals") << "quillet://HELP/index.html"
                                          << ":/builtinpages/help/index.html" << Html;
        QTest::newRow("query and fragment ignored") << "quillet://help/?a=1#tabs"
                                                    << ":/builtinpages/help/index.html" << Html;
        QTest::newRow("stylesheet")
            << "quillet://common/style.css"
            << ":/builtinpages/common/style.css" << QByteArray("text/css; charset=utf-8");
        QTest::newRow("picture") << "quillet://common/icon.png"
                                 << ":/builtinpages/common/icon.png" << QByteArray("image/png");
        QTest::newRow("missing page") << "quillet://help/none.html" << QString() << QByteArray();
        QTest::newRow("unknown host") << "quillet://nothing/" << QString() << QByteArray();
        QTest::newRow("folder of files") << "quillet://common/" << QString() << QByteArray();
        QTest::newRow("path case matters")
            << "quillet://help/INDEX.html" << QString() << QByteArray();
        QTest::newRow("climbing out of the pages")
            << "quillet://help/%2E%2E/%2E%2E/tabbrowser/images/T0.png" << QString() << QByteArray();
        QTest::newRow("climbing into another host")
            << "quillet://help/%2E%2E/links/mylinks.htm" << QString() << QByteArray();
        QTest::newRow("other scheme")
            << "qrc:/builtinpages/help/index.html" << QString() << QByteArray();
        QTest::newRow("no host") << "quillet:help/index.html" << QString() << QByteArray();
    }

    void addressesMapToResources()
    {
        QFETCH(QString, address);
        QFETCH(QString, resource);
        QFETCH(QByteArray, mimeType);
        const auto found = BuiltInPages::resourceFor(QUrl(address));
        QCOMPARE(found.has_value(), !resource.isEmpty());
        if (!found)
            return;
        QCOMPARE(found->path, resource);
        QCOMPARE(found->mimeType, mimeType);
        QVERIFY(QFile::exists(found->path));
    }

    // Each page shows its title on the tab and keeps its short address, styled by the
    // shared stylesheet and with its picture.
    void pagesLoadWithTheirTitles_data()
    {
        QTest::addColumn<QUrl>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("home") << BuiltInPages::home() << QStringLiteral("起始页");
        QTest::newRow("quick start") << BuiltInPages::quickStart() << QStringLiteral("快速入门");
        QTest::newRow("help") << BuiltInPages::help() << QStringLiteral("帮助");
        QTest::newRow("links") << BuiltInPages::links() << QStringLiteral("常用网址");
    }

    void pagesLoadWithTheirTitles()
    {
        QFETCH(QUrl, page);
        QFETCH(QString, title);
        if (page != BuiltInPages::home())
            QVERIFY(load(page));
        QCOMPARE(control->URL(), page.toString());
        QTRY_COMPARE(tabTitle(), title);
        const QString fonts =
            evaluate(QStringLiteral("getComputedStyle(document.body).fontFamily")).toString();
        QVERIFY2(fonts.contains(QStringLiteral("Noto Sans CJK SC")), qPrintable(fonts));
        QTRY_COMPARE(
            evaluate(QStringLiteral("document.querySelector('header img').naturalWidth")).toInt(),
            16);
        QVERIFY(evaluate(QStringLiteral("document.body.innerText.length")).toInt() > 50);
    }

    // The engine's own error page, not a blank tab.
    void missingPageShowsTheEnginesErrorPage()
    {
        const QUrl missing(QStringLiteral("quillet://help/none.html"));
        QVERIFY(!load(missing));
        QCOMPARE(control->URL(), missing.toString());
        QTRY_VERIFY(evaluate(QStringLiteral("document.body.innerText"))
                        .toString()
                        .contains(QStringLiteral("ERR_FILE_NOT_FOUND")));
    }

    // Only reading: a form sent to a built-in page is refused, not answered with the page.
    void postIsRefused()
    {
        QVERIFY(load(BuiltInPages::help()));
        QSignalSpy finished(browser()->page(), &QWebEnginePage::loadFinished);
        evaluate(QStringLiteral("const f = document.createElement('form');"
                                "f.method = 'post'; f.action = 'quillet://help/';"
                                "document.body.append(f); f.submit(); true"));
        QVERIFY(finished.wait());
        QCOMPARE(finished.last().at(0).toBool(), false);
        QVERIFY(evaluate(QStringLiteral("document.title")).toString() != QStringLiteral("帮助"));
    }

    void linkFromABuiltInPageOpensAWebPage()
    {
        QVERIFY(load(BuiltInPages::links()));
        evaluate(QStringLiteral("const a = document.querySelector('ul.links a');"
                                "a.href = '%1'; a.click(); true")
                     .arg(server.url(QStringLiteral("/web.html")).toString()));
        QVERIFY(
            WebWait::forLocation(browser(), server.url(QStringLiteral("/web.html")).toString()));
        QTRY_COMPARE(tabTitle(), QStringLiteral("网页"));
    }

    void builtInPagesLinkToEachOther()
    {
        evaluate(QStringLiteral("document.querySelector('nav a[href=\"%1\"]').click(); true")
                     .arg(BuiltInPages::help().toString()));
        QVERIFY(WebWait::forLocation(browser(), BuiltInPages::help().toString()));
        QTRY_COMPARE(tabTitle(), QStringLiteral("帮助"));
    }
};

QUILLET_TEST_MAIN(BuiltInPagesTest)
#include "tst_builtinpages.moc"

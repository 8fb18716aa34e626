// The engine table and the rule that turns a search text into an address.
#include "searchengines.h"
#include "testmain.h"

#include <QUrl>
#include <QUrlQuery>

class SearchEnginesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tableHoldsTheFiveEngines_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pathAndQuery");
        QTest::newRow("Baidu") << 0 << QStringLiteral("百度搜索") << QStringLiteral("/s?wd=");
        QTest::newRow("Google") << 1 << QStringLiteral("Google")
                                << QStringLiteral("/search?hl=zh-CN&q=");
        QTest::newRow("Yahoo") << 2 << QStringLiteral("Yahoo")
                               << QStringLiteral("/search?ei=gbk&fr=fp-tab-web-ycn&pid=ysearch"
                                                 "&source=yahoo_yhp_0706_search_button&p=");
        QTest::newRow("Soso") << 3 << QStringLiteral("腾讯搜搜")
                              << QStringLiteral("/q?pid=s.idx&w=");
        QTest::newRow("Gougou") << 4 << QStringLiteral("迅雷狗狗")
                                << QStringLiteral("/search?search=");
    }

    void tableHoldsTheFiveEngines()
    {
        QFETCH(int, engine);
        QFETCH(QString, name);
        QFETCH(QString, pathAndQuery);
        const SearchEngine &e = SearchEngines::standard().at(static_cast<size_t>(engine));
        QCOMPARE(e.name, name);
        const QUrl prefix(e.prefix, QUrl::StrictMode);
        const QUrl home(e.home, QUrl::StrictMode);
        QVERIFY(prefix.isValid());
        QVERIFY(prefix.scheme().startsWith(QLatin1String("http")));
        QVERIFY(e.prefix.endsWith(pathAndQuery));
        QCOMPARE(e.prefix, prefix.scheme() + QStringLiteral("://") + prefix.host() + pathAndQuery);
        // Home pages are the root of a host: the search host, except Yahoo's portal.
        QCOMPARE(home.path(), QStringLiteral("/"));
        QVERIFY(!home.hasQuery());
        QCOMPARE(home.host() == prefix.host(), engine != 2);
    }

    void addressAppendsTheEncodedText_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("address");
        const QString baidu = QStringLiteral("http://127.0.0.1/s?wd=");
        const QString yahoo = QStringLiteral("http://127.0.0.1/search?ei=gbk&fr=x&p=");
        QTest::newRow("plain") << baidu << QStringLiteral("abc") << baidu + QStringLiteral("abc");
        QTest::newRow("empty") << baidu << QString() << baidu;
        QTest::newRow("ampersand")
            << baidu << QStringLiteral("a&b") << baidu + QStringLiteral("a%26b");
        QTest::newRow("space, equals, hash, plus")
            << baidu << QStringLiteral("a b=c#d+e") << baidu + QStringLiteral("a%20b%3Dc%23d%2Be");
        QTest::newRow("unreserved kept")
            << baidu << QStringLiteral("Qt-6.4_x~") << baidu + QStringLiteral("Qt-6.4_x~");
        QTest::newRow("Chinese in UTF-8")
            << baidu << QStringLiteral("百度") << baidu + QStringLiteral("%E7%99%BE%E5%BA%A6");
        QTest::newRow("Chinese in GBK")
            << yahoo << QStringLiteral("百度") << yahoo + QStringLiteral("%B0%D9%B6%C8");
        QTest::newRow("GBK, ASCII unchanged")
            << yahoo << QStringLiteral("a&b") << yahoo + QStringLiteral("a%26b");
        // Outside GBK: the four-byte GB18030 form rather than a lost character.
        QTest::newRow("beyond GBK")
            << yahoo << QStringLiteral("😀") << yahoo + QStringLiteral("%949%FC6");
        QTest::newRow("declared ie")
            << QStringLiteral("http://127.0.0.1/s?ie=gbk&wd=") << QStringLiteral("百")
            << QStringLiteral("http://127.0.0.1/s?ie=gbk&wd=%B0%D9");
    }

    void addressAppendsTheEncodedText()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, word);
        QFETCH(QString, address);
        QCOMPARE(SearchEngines::address(prefix, word), address);
    }

    // Whatever the text, the engine receives one more query item, holding the text.
    void textCannotAddQueryParameters_data()
    {
        QTest::addColumn<QString>("word");
        QTest::newRow("a&b") << QStringLiteral("a&b");
        QTest::newRow("injection") << QStringLiteral("x&hl=en&q=other#frag");
        QTest::newRow("percent") << QStringLiteral("100%25 sure");
        QTest::newRow("Chinese") << QStringLiteral("北京 天气&明天");
    }

    void textCannotAddQueryParameters()
    {
        QFETCH(QString, word);
        const QString prefix = SearchEngines::standard().at(1).prefix;
        const QUrl url(SearchEngines::address(prefix, word), QUrl::StrictMode);
        QVERIFY(url.isValid());
        QVERIFY(!url.hasFragment());
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems().size(), 2);
        QCOMPARE(query.queryItemValue(QStringLiteral("hl")), QStringLiteral("zh-CN"));
        QCOMPARE(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), word);
    }
};

QUILLET_TEST_MAIN(SearchEnginesTest)
#include "tst_searchengines.moc"

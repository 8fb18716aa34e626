#include "searchengines.h"

#include <QStringEncoder>
#include <QUrl>
#include <QUrlQuery>

namespace SearchEngines {

const SearchEngineTable &standard()
{
    static const SearchEngineTable table{{
        {QStringLiteral("百度搜索"), QStringLiteral("https://www.baidu.com/s?wd="),
         QStringLiteral("https://www.baidu.com/")},
        {QStringLiteral("Google"), QStringLiteral("https://www.google.com.hk/search?hl=zh-CN&q="),
         QStringLiteral("https://www.google.com.hk/")},
        {QStringLiteral("Yahoo"),
         QStringLiteral("https://hk.search.yahoo.com/search?ei=gbk&fr=fp-tab-web-ycn&pid=ysearch"
                        "&source=yahoo_yhp_0706_search_button&p="),
         QStringLiteral("https://hk.yahoo.com/")},
        {QStringLiteral("腾讯搜搜"), QStringLiteral("http://www.soso.com/q?pid=s.idx&w="),
         QStringLiteral("http://www.soso.com/")},
        {QStringLiteral("迅雷狗狗"), QStringLiteral("http://www.gougou.com/search?search="),
         QStringLiteral("http://www.gougou.com/")},
    }};
    return table;
}

namespace {

// The bytes an engine expects for `word`. GBK is written as GB18030, its superset: the
// same bytes for every character GBK has, and no character lost for the rest.
QByteArray encodeFor(const QString &prefix, const QString &word)
{
    const QUrlQuery query(QUrl(prefix).query());
    QString declared = query.queryItemValue(QStringLiteral("ie"));
    if (declared.isEmpty())
        declared = query.queryItemValue(QStringLiteral("ei"));
    if (declared.compare(QLatin1String("gbk"), Qt::CaseInsensitive) == 0)
        declared = QStringLiteral("GB18030");
    if (!declared.isEmpty()) {
        QStringEncoder encoder(declared.toLatin1().constData());
        if (encoder.isValid())
            return encoder.encode(word);
    }
    return word.toUtf8();
}

} // namespace

QString address(const QString &prefix, const QString &word)
{
    return prefix + QString::fromLatin1(encodeFor(prefix, word).toPercentEncoding());
}

} // namespace SearchEngines

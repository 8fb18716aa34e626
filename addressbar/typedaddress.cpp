#include "typedaddress.h"

#include "webengineenvironment.h"

#include <QStringList>
#include <QUrl>

namespace TypedAddress {

namespace {

// Only these count as a scheme: "localhost:8080" or "example.com:80/a" name a host
// and a port, not a scheme. quillet is the scheme of the program's own pages.
bool hasOwnScheme(const QString &typed)
{
    static const QStringList schemes{QStringLiteral("http"),
                                     QStringLiteral("https"),
                                     QStringLiteral("file"),
                                     QStringLiteral("ftp"),
                                     QStringLiteral("about"),
                                     QStringLiteral("data"),
                                     QStringLiteral("view-source"),
                                     QStringLiteral("qrc"),
                                     QLatin1String(WebEngineEnvironment::BuiltInScheme)};
    const qsizetype colon = typed.indexOf(QLatin1Char(':'));
    return colon > 0 && schemes.contains(typed.left(colon), Qt::CaseInsensitive);
}

} // namespace

QString completed(const QString &typed)
{
    if (hasOwnScheme(typed))
        return typed;
    if (typed.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(typed).toString();
    return QStringLiteral("http://") + typed;
}

} // namespace TypedAddress

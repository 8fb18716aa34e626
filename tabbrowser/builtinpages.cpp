#include "builtinpages.h"

#include "webengineenvironment.h"

#include <QDir>
#include <QFileInfo>

namespace BuiltInPages {

namespace {

const QString Root = QStringLiteral(":/builtinpages/");

struct FileType
{
    QLatin1String suffix;
    QByteArray mimeType;
};

// The kinds of file the pages are made of; anything else in the folder is not served.
const FileType FileTypes[] = {
    {QLatin1String("html"), QByteArrayLiteral("text/html; charset=utf-8")},
    {QLatin1String("htm"), QByteArrayLiteral("text/html; charset=utf-8")},
    {QLatin1String("css"), QByteArrayLiteral("text/css; charset=utf-8")},
    {QLatin1String("png"), QByteArrayLiteral("image/png")},
};

QUrl page(QLatin1String hostAndPath)
{
    return QUrl(QLatin1String(WebEngineEnvironment::BuiltInScheme) + QLatin1String("://") +
                hostAndPath);
}

} // namespace

QUrl home()
{
    return page(QLatin1String("home/"));
}

QUrl quickStart()
{
    return page(QLatin1String("quickstart/"));
}

QUrl help()
{
    return page(QLatin1String("help/"));
}

QUrl links()
{
    return page(QLatin1String("links/mylinks.htm"));
}

std::optional<Resource> resourceFor(const QUrl &url)
{
    const QString host = url.host();
    if (url.scheme() != QLatin1String(WebEngineEnvironment::BuiltInScheme) || host.isEmpty())
        return std::nullopt;
    QString path = url.path(QUrl::FullyDecoded);
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        path += QLatin1String("index.html");
    // A path may not climb out of its host's folder into the rest of the resources.
    const QString file = QDir::cleanPath(host + QLatin1Char('/') + path);
    if (!file.startsWith(host + QLatin1Char('/')))
        return std::nullopt;
    const QFileInfo info(Root + file);
    if (!info.isFile())
        return std::nullopt;
    for (const FileType &type : FileTypes) {
        if (info.suffix() == type.suffix)
            return Resource{info.filePath(), type.mimeType};
    }
    return std::nullopt;
}

} // namespace BuiltInPages

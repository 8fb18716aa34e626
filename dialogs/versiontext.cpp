#include "versiontext.h"

#include <QStringList>

QString shownVersion(const QString &fileVersion)
{
    const QStringList parts = fileVersion.split(QLatin1Char('.'));
    const auto number = [&parts](qsizetype index) {
        return index < parts.size() ? parts.at(index).toUInt() : 0u;
    };
    return QStringLiteral("%1.%2.%3").arg(number(0)).arg(number(1)).arg(number(3));
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A folder only the user can enter, for files handed to other programs. The files stay
// until this object goes, so a program that opens one late still finds it.
class PrivateFiles final
{
public:
    PrivateFiles();

    // Writes `data` to a new file, readable and writable by the user only, named after
    // `nameTemplate` (its XXXXXX become unique letters). Returns the file's path, or an
    // empty string when it could not be written.
    QString write(const QString &nameTemplate, const QByteArray &data);

private:
    QTemporaryDir m_dir;
};

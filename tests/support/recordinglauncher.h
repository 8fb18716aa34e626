#pragma once

#include "texteditorlauncher.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>

#include <sys/stat.h>

// An editor launcher that reads what it was given, as an editor would, then answers
// `opens`: false plays a desktop with no editor.
class RecordingLauncher final : public TextEditorLauncher
{
public:
    struct Opened
    {
        QString path;
        QByteArray content;
        unsigned fileMode = 0;
        unsigned folderMode = 0;
    };

    void open(const QString &filePath, Outcome done) override
    {
        Opened file{filePath, {}, modeOf(filePath), modeOf(QFileInfo(filePath).path())};
        QFile reader(filePath);
        if (reader.open(QIODevice::ReadOnly))
            file.content = reader.readAll();
        opened.append(file);
        done(opens);
    }

    QList<Opened> opened;
    bool opens = true;

private:
    static unsigned modeOf(const QString &path)
    {
        struct stat status
        {
        };
        return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777
                                                                         : 0;
    }
};

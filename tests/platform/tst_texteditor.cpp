// Private files for other programs, and starting the desktop's text editor on one.
#include "privatefiles.h"
#include "testmain.h"
#include "texteditorlauncher.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>
#include <sys/stat.h>

namespace {

unsigned modeOf(const QString &path)
{
    struct stat status
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : 0;
}

} // namespace

class TextEditorTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir bin;
    QByteArray savedPath;

    // Puts an xdg-open in front of the desktop's that runs `script`, or none at all.
    void useOpener(const QByteArray &script)
    {
        const QString opener = bin.filePath(QStringLiteral("xdg-open"));
        QFile::remove(opener);
        if (!script.isEmpty()) {
            QFile file(opener);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n" + script + "\n");
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        qputenv("PATH", QFile::encodeName(bin.path()));
    }

    std::optional<bool> openWithDesktop(const QString &path)
    {
        DesktopTextEditor editor;
        std::optional<bool> opened;
        editor.open(path, [&opened](bool outcome) { opened = outcome; });
        if (!QTest::qWaitFor([&] { return opened.has_value(); }))
            return std::nullopt;
        return opened;
    }

private Q_SLOTS:
    void initTestCase() { savedPath = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", savedPath); }

    void privateFilesAreTheUsersOnly()
    {
        QString path;
        QString folder;
        {
            PrivateFiles files;
            const QByteArray text = "<body>标记</body>";
            path = files.write(QStringLiteral("源-XXXXXX.txt"), text);
            QVERIFY(!path.isEmpty());
            folder = QFileInfo(path).path();
            QCOMPARE(modeOf(path), 0600u);
            QCOMPARE(modeOf(folder), 0700u);
            QVERIFY(QFileInfo(path).fileName().startsWith(QStringLiteral("源-")));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), text);

            const QString second = files.write(QStringLiteral("源-XXXXXX.txt"), text);
            QVERIFY(!second.isEmpty() && second != path);
        }
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(folder));
    }

    void theDesktopOpenerIsGivenTheFile()
    {
        const QString record = bin.filePath(QStringLiteral("opened"));
        useOpener("printf '%s' \"$1\" > '" + QFile::encodeName(record) + "'");
        QCOMPARE(openWithDesktop(QStringLiteral("/tmp/某 文件.txt")), std::optional<bool>(true));
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("/tmp/某 文件.txt"));
    }

    void anOpenerThatFindsNoEditorFails_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("no application") << QByteArray("exit 3");
        QTest::newRow("no opener") << QByteArray();
    }

    void anOpenerThatFindsNoEditorFails()
    {
        QFETCH(QByteArray, script);
        useOpener(script);
        QCOMPARE(openWithDesktop(QStringLiteral("/tmp/x.txt")), std::optional<bool>(false));
    }
};

QUILLET_TEST_MAIN(TextEditorTest)
#include "tst_texteditor.moc"

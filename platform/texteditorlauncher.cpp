#include "texteditorlauncher.h"

#include <QProcess>

#include <memory>
#include <utility>

void DesktopTextEditor::open(const QString &filePath, Outcome done)
{
    auto *opener = new QProcess(this);
    // Exactly one answer, whether the opener ends or never starts.
    auto answer = std::make_shared<Outcome>(std::move(done));
    const auto finish = [opener, answer](bool opened) {
        if (*answer)
            std::exchange(*answer, nullptr)(opened);
        opener->deleteLater();
    };
    connect(opener, &QProcess::finished, this, [finish](int exitCode, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit && exitCode == 0);
    });
    connect(opener, &QProcess::errorOccurred, this, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(false);
    });
    opener->start(QStringLiteral("xdg-open"), {filePath});
}

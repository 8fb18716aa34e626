#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Opens a text file in the user's text editor.
class TextEditorLauncher
{
public:
    using Outcome = std::function<void(bool opened)>;

    virtual ~TextEditorLauncher() = default;

    // Starts the editor on `filePath` and returns at once; `done` learns, later,
    // whether an editor took the file.
    virtual void open(const QString &filePath, Outcome done) = 0;
};

// The desktop's default application for plain text, started through xdg-open. The
// opener's exit status tells whether it found and started an application.
class DesktopTextEditor final : public QObject, public TextEditorLauncher
{
public:
    using QObject::QObject;

    void open(const QString &filePath, Outcome done) override;
};

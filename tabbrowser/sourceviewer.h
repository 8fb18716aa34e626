#pragma once

#include <QObject>

#include <memory>

class PrivateFiles;
class QWidget;
class TextEditorLauncher;

// Shows a page's markup in the user's text editor. The markup goes into a new file
// only the user can read, which the editor is started on; when the file cannot be
// written or no editor takes it, the markup is shown in a window of our own instead.
class SourceViewer final : public QObject
{
public:
    // Our own windows belong to `owner`'s window.
    explicit SourceViewer(QWidget *owner);
    ~SourceViewer() override;

    void setLauncher(std::unique_ptr<TextEditorLauncher> launcher);
    void show(const QString &markup, const QString &pageTitle);

private:
    void showInOwnWindow(const QString &markup, const QString &pageTitle);

    QWidget *m_owner;
    std::unique_ptr<TextEditorLauncher> m_launcher;
    // Made when first needed: nothing is written before the user asks for it.
    std::unique_ptr<PrivateFiles> m_files;
};

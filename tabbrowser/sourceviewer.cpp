#include "sourceviewer.h"

#include "markupwindow.h"
#include "privatefiles.h"
#include "texteditorlauncher.h"

#include <QPointer>
#include <QWidget>

SourceViewer::SourceViewer(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
    , m_launcher(std::make_unique<DesktopTextEditor>())
{}

SourceViewer::~SourceViewer() = default;

void SourceViewer::setLauncher(std::unique_ptr<TextEditorLauncher> launcher)
{
    m_launcher = std::move(launcher);
}

void SourceViewer::show(const QString &markup, const QString &pageTitle)
{
    if (!m_files)
        m_files = std::make_unique<PrivateFiles>();
    const QString path = m_files->write(QStringLiteral("网页源代码-XXXXXX.txt"), markup.toUtf8());
    if (path.isEmpty()) {
        showInOwnWindow(markup, pageTitle);
        return;
    }
    const QPointer<SourceViewer> self(this);
    m_launcher->open(path, [self, markup, pageTitle](bool opened) {
        if (self && !opened)
            self->showInOwnWindow(markup, pageTitle);
    });
}

void SourceViewer::showInOwnWindow(const QString &markup, const QString &pageTitle)
{
    auto *window = new MarkupWindow(markup, pageTitle, m_owner);
    window->show();
}

#include "markupwindow.h"

#include "usermessage.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

MarkupWindow::MarkupWindow(const QString &markup, const QString &pageTitle, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_text(new QPlainTextEdit(markup, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(pageTitle.isEmpty() ? QStringLiteral("网页源代码")
                                       : QStringLiteral("网页源代码 - %1").arg(pageTitle));
    m_text->setObjectName(QStringLiteral("markup"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto *save = new QPushButton(QStringLiteral("另存为(&S)..."), this);
    save->setObjectName(QStringLiteral("saveMarkup"));
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    connect(save, &QPushButton::clicked, this, &MarkupWindow::saveAs);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    resize(720, 540);
}

void MarkupWindow::saveAs()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto *dialog = new QFileDialog(this, QStringLiteral("保存网页源代码"),
                                   QDir(folder).filePath(QStringLiteral("网页源代码.txt")),
                                   QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    connect(dialog, &QFileDialog::fileSelected, this, &MarkupWindow::saveTo);
    dialog->open();
}

void MarkupWindow::saveTo(const QString &path)
{
    QSaveFile file(path);
    const QByteArray text = m_text->toPlainText().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        warnUser(this, QStringLiteral("保存网页源代码"),
                 QStringLiteral("无法将网页源代码保存到“%1”。\n请确认该文件夹存在并且可以写入，"
                                "然后再试一次。")
                     .arg(QDir::toNativeSeparators(path)));
    }
}

#pragma once

#include <QWidget>

class QPlainTextEdit;

// A page's markup as plain text in a window of its own, from which the user can save
// it: where no text editor could be started, the markup still reaches the user.
class MarkupWindow final : public QWidget
{
public:
    MarkupWindow(const QString &markup, const QString &pageTitle, QWidget *parent);

    // Asks for a file and writes the markup there; a failure is told to the user.
    void saveAs();

private:
    void saveTo(const QString &path);

    QPlainTextEdit *m_text;
};

#include "usermessage.h"

#include <QMessageBox>
#include <QPushButton>

void warnUser(QWidget *parent, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box->open();
}

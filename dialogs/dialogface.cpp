#include "dialogface.h"

#include "twips.h"

#include <QLabel>

void layDialogFace(QWidget *dialog, QSizeF size, QPointF logoAt)
{
    dialog->setFixedSize(Twips::toPixels(size));
    QPalette white = dialog->palette();
    white.setColor(QPalette::Window, Qt::white);
    dialog->setPalette(white);
    dialog->setAutoFillBackground(true);

    auto *logo = new QLabel(dialog);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(QPixmap(QStringLiteral(":/dialogs/images/Image1.png")));
    logo->setGeometry(Twips::toPixels(logoAt.x(), logoAt.y(), 660, 660));
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

#include "picturebox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{}

bool PictureBox::isShowing(const QPixmap &picture) const
{
    return m_picture.cacheKey() == picture.cacheKey();
}

void PictureBox::setPicture(const QPixmap &picture)
{
    if (isShowing(picture))
        return;
    m_picture = picture;
    if (!m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
    update();
}

void PictureBox::setBackgroundColor(const QColor &color)
{
    if (m_background == color)
        return;
    m_background = color;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_background.isValid())
        painter.fillRect(rect(), m_background);
    painter.drawPixmap(0, 0, m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

#include "captionlabel.h"

#include <QPainter>

CaptionLabel::CaptionLabel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CaptionLabel::setText(const QString &text)
{
    m_text = text;
    resize(fontMetrics().size(Qt::TextShowMnemonic, m_text));
    update();
}

void CaptionLabel::setBackgroundColor(const QColor &color)
{
    if (m_background == color)
        return;
    m_background = color;
    update();
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop, m_text);
}

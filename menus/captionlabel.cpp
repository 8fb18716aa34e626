#include "captionlabel.h"

#include <QFont>
#include <QPainter>

namespace {

// Noto Sans CJK reserves a tall line for its glyphs: at 10 pixels the whole line,
// access-key underline included, fits in the 14 pixels a menu-bar button's fill leaves
// below the caption's top; at 11 the underline falls below the fill. In pixels, as the
// controls themselves are.
QFont captionFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(10);
    return font;
}

} // namespace

CaptionLabel::CaptionLabel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(captionFont());
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

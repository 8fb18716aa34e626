#include "captionlabel.h"

#include <QFont>
#include <QPainter>

namespace {

QFont captionFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(11);
    return font;
}

// The text as drawn: an ampersand is not drawn, and "&&" draws one ampersand.
QString withoutMnemonics(const QString &text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown.append(text.at(i));
    }
    return shown;
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
    // CJK fonts reserve far more line than their glyphs take: the caption is as tall as
    // its ink and its access-key underline, so that an 11-pixel caption fits in
    // the 18-pixel menu-bar button.
    const QFontMetrics metrics = fontMetrics();
    const QRect ink = metrics.tightBoundingRect(withoutMnemonics(m_text));
    // Captions side by side share a baseline: the ink of full-height characters and a
    // bracket sets the top unless the text reaches higher.
    const QRect fullHeight = metrics.tightBoundingRect(QStringLiteral("文国()"));
    m_inkAscent = qMax(0, -qMin(ink.top(), fullHeight.top()));
    const int underlineBottom = metrics.underlinePos() + metrics.lineWidth() + 1;
    const int descent = qMax(ink.bottom() + 1, underlineBottom);
    resize(metrics.size(Qt::TextShowMnemonic, m_text).width(), m_inkAscent + descent);
    update();
}

void CaptionLabel::setBackgroundColor(const QColor &color)
{
    if (m_background == color)
        return;
    m_background = color;
    update();
}

void CaptionLabel::setTextColor(const QColor &color)
{
    if (m_textColor == color)
        return;
    m_textColor = color;
    update();
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(m_textColor);
    const int lineTop = m_inkAscent - fontMetrics().ascent();
    painter.drawText(QRect(0, lineTop, width(), fontMetrics().height()),
                     Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop, m_text);
}

#include "twipsgeometry.h"

#include "twips.h"

#include <QWidget>

namespace {

QRect pixelsOf(const QRectF &twips)
{
    return Twips::toPixels(twips.left(), twips.top(), twips.width(), twips.height());
}

} // namespace

TwipsGeometry::TwipsGeometry(QWidget *widget)
    : m_widget(widget)
{}

bool TwipsGeometry::set(const QRectF &twips)
{
    const bool resized = twips.size() != get().size();
    // Stored first: the widget may be told of its new size before setGeometry returns.
    m_twips = twips;
    m_widget->setGeometry(pixelsOf(twips));
    return resized;
}

QRectF TwipsGeometry::get() const
{
    return pixelsOf(m_twips) == m_widget->geometry() ? m_twips
                                                     : Twips::fromPixels(m_widget->geometry());
}

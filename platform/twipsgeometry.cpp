#include "twipsgeometry.h"

#include "twips.h"

#include <QWidget>

TwipsGeometry::TwipsGeometry(QWidget *widget)
    : m_widget(widget)
{}

bool TwipsGeometry::set(const QRectF &twips)
{
    const bool resized = twips.size() != get().size();
    // Stored first: the widget may be told of its new size before setGeometry returns.
    m_twips = twips;
    m_widget->setGeometry(Twips::toPixels(twips));
    return resized;
}

QRectF TwipsGeometry::get() const
{
    return Twips::toPixels(m_twips) == m_widget->geometry()
               ? m_twips
               : Twips::fromPixels(m_widget->geometry());
}

#include "frameborder.h"

#include "twips.h"

#include <QWidget>

namespace {

const QColor LineColor(126, 157, 185);
constexpr double OnePixel = Twips::PerPixel;

} // namespace

FrameBorder::Lines FrameBorder::around(QSizeF size)
{
    const double w = size.width();
    const double h = size.height();
    return {QLineF(0, 0, w, 0), QLineF(0, 0, 0, h), QLineF(w - OnePixel, 0, w - OnePixel, h),
            QLineF(0, h - OnePixel, w, h - OnePixel)};
}

FrameBorder::FrameBorder(QWidget *frame, const std::array<QString, 4> &names)
    : QObject(frame)
{
    for (std::size_t edge = 0; edge < m_lines.size(); ++edge) {
        auto *line = new QWidget(frame);
        line->setObjectName(names[edge]);
        line->setAutoFillBackground(true);
        QPalette colors = line->palette();
        colors.setColor(QPalette::Window, LineColor);
        line->setPalette(colors);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_lines[edge] = line;
    }
}

void FrameBorder::place(const Lines &lines)
{
    for (std::size_t edge = 0; edge < m_lines.size(); ++edge) {
        QRectF span = QRectF(lines[edge].p1(), lines[edge].p2()).normalized();
        if (span.width() == 0)
            span.setWidth(OnePixel);
        if (span.height() == 0)
            span.setHeight(OnePixel);
        m_lines[edge]->setGeometry(Twips::toPixels(span));
    }
}

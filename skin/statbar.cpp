#include "statbar.h"

#include "picturebox.h"
#include "twips.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double BarHeight = 360;
// At this width or less a size change lays nothing out.
constexpr double MinimumLayoutWidth = 2500;
constexpr double IconLeft = 60;
constexpr double TextGap = 60;
constexpr double SeparatorShare = 0.8;
constexpr double SeparatorOffset = 1000;
constexpr double SeparatorTop = 35;
constexpr double FrameGap = 100;
constexpr double FrameWidth = 1000;
constexpr double FrameHeight = 250;
constexpr double PercentageGap = 1100;
constexpr double FillInset = 30;
constexpr double FillHeight = 190;
constexpr double FullFill = 940;
constexpr double BorderWidth = 15;
const QColor FillColor(191, 216, 247);
const QColor BorderColor(174, 175, 180);

} // namespace

// The progress frame: a window-coloured box with a one-pixel border, holding the fill.
class StatBar::ProgressFrame final : public QWidget
{
public:
    explicit ProgressFrame(QWidget *parent)
        : QWidget(parent)
    {
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
        resize(Twips::toPixels(QSizeF(FrameWidth, FrameHeight)));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const int right = Twips::toPixels(FrameWidth - BorderWidth);
        const int bottom = Twips::toPixels(FrameHeight - BorderWidth);
        painter.fillRect(0, 0, 1, height(), BorderColor);
        painter.fillRect(0, 0, right, 1, BorderColor);
        painter.fillRect(right, 0, 1, height(), BorderColor);
        painter.fillRect(0, bottom, width(), 1, BorderColor);
    }
};

StatBar::StatBar(QWidget *parent)
    : QWidget(parent)
    , m_background(QStringLiteral(":/skin/images/StatBg.png"))
    , m_icon(QStringLiteral(":/skin/images/SIcon.png"))
    , m_label(new QLabel(QStringLiteral("就绪"), this))
    , m_percentage(new QLabel(this))
    , m_splitBar(new PictureBox(this))
    , m_progressBar(new ProgressFrame(this))
    , m_fill(new QWidget(m_progressBar))
{
    m_label->setObjectName(QStringLiteral("Label1"));
    m_percentage->setObjectName(QStringLiteral("ProgressH"));
    m_splitBar->setObjectName(QStringLiteral("SplitBar"));
    m_progressBar->setObjectName(QStringLiteral("ProgressBar"));
    m_fill->setObjectName(QStringLiteral("Progressbg"));

    // The status text carries page addresses: never read it as markup.
    m_label->setTextFormat(Qt::PlainText);
    m_label->adjustSize();
    const double textTop = (BarHeight - Twips::fromPixels(m_label->height())) / 2;
    m_label->move(Twips::toPixels(IconLeft + Twips::fromPixels(m_icon.width()) + TextGap, textTop));
    // Its left follows the frame.
    m_percentage->move(0, Twips::toPixels(textTop));

    m_splitBar->setPicture(QPixmap(QStringLiteral(":/skin/images/SplitBg.png")));
    // Windows of their own, above the texts.
    m_splitBar->raise();
    m_progressBar->raise();

    QPalette fillPalette = m_fill->palette();
    fillPalette.setColor(QPalette::Window, FillColor);
    m_fill->setPalette(fillPalette);
    // Otherwise it takes the frame's role, the window background.
    m_fill->setBackgroundRole(QPalette::Window);
    m_fill->setAutoFillBackground(true);
    setValue(100);

    placeMovingParts();
    const QRectF initial = Twips::fromPixels(geometry());
    setGeometryTwips(QRectF(initial.topLeft(), QSizeF(initial.width(), BarHeight)));
}

QString StatBar::linkInfo() const
{
    return m_label->text();
}

void StatBar::setLinkInfo(const QString &New_LinkInfo)
{
    m_label->setText(New_LinkInfo);
    m_label->adjustSize();
}

qint32 StatBar::Value() const
{
    return static_cast<qint32>(
        std::min<double>(std::round(m_fillWidth), std::numeric_limits<qint32>::max()));
}

void StatBar::setValue(qint32 New_Value)
{
    const qint32 percent = std::max(New_Value, 0);
    m_fillWidth = static_cast<float>(percent / 100.0 * FullFill);
    m_fill->setGeometry(Twips::toPixels(FillInset, FillInset, m_fillWidth, FillHeight));
    m_percentage->setText(QString::number(percent) + QLatin1Char('%'));
    m_percentage->adjustSize();
}

void StatBar::setGeometryTwips(const QRectF &geometry)
{
    const bool resized = geometry.size() != geometryTwips().size();
    m_geometry = geometry;
    setGeometry(
        Twips::toPixels(geometry.left(), geometry.top(), geometry.width(), geometry.height()));
    // A change smaller than a pixel brings no resize event; laying out twice is harmless.
    if (resized)
        onSizeChanged();
}

QRectF StatBar::geometryTwips() const
{
    const QRect exact = Twips::toPixels(m_geometry.left(), m_geometry.top(), m_geometry.width(),
                                        m_geometry.height());
    return exact == geometry() ? m_geometry : Twips::fromPixels(geometry());
}

void StatBar::resizeEvent(QResizeEvent *)
{
    onSizeChanged();
}

void StatBar::onSizeChanged()
{
    const QRectF current = geometryTwips();
    if (current.width() <= MinimumLayoutWidth)
        return;
    if (current.height() != BarHeight) {
        // The bar is laid out again for the height put back.
        setGeometryTwips(QRectF(current.topLeft(), QSizeF(current.width(), BarHeight)));
        return;
    }
    update();
    placeMovingParts();
}

void StatBar::placeMovingParts()
{
    const double separatorLeft = SeparatorShare * geometryTwips().width() - SeparatorOffset;
    m_splitBar->move(Twips::toPixels(separatorLeft, SeparatorTop));
    // A long status text ends at the separator instead of going on past the frame,
    // under the percentage.
    m_label->setMaximumWidth(std::max(0, m_splitBar->x() - m_label->x()));
    m_label->adjustSize();
    const double frameLeft = separatorLeft + FrameGap;
    m_progressBar->move(Twips::toPixels(frameLeft, (BarHeight - FrameHeight) / 2));
    m_percentage->move(Twips::toPixels(frameLeft + PercentageGap), m_percentage->y());
}

void StatBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(QRect(0, 0, width(), Twips::toPixels(BarHeight)), m_background);
    painter.drawPixmap(
        Twips::toPixels(IconLeft, (BarHeight - Twips::fromPixels(m_icon.height())) / 2), m_icon);
}

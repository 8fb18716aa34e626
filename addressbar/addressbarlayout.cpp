#include "addressbarlayout.h"

#include <array>

namespace {

constexpr double BarHeight = 330;
constexpr double OnePixel = 15;

// The four one-pixel lines around a frame: top, left, right, bottom.
std::array<QLineF, 4> borderOf(QSizeF frame)
{
    const double w = frame.width();
    const double h = frame.height();
    return {QLineF(0, 0, w, 0), QLineF(0, 0, 0, h), QLineF(w - OnePixel, 0, w - OnePixel, h),
            QLineF(0, h - OnePixel, w, h - OnePixel)};
}

// A closed list sits at the foot of its frame, as wide as the frame.
QRectF listUnder(const QRectF &frame, double listHeight)
{
    return {frame.left(), frame.height() - listHeight, frame.width(), listHeight};
}

} // namespace

AddressBarLayout AddressBarLayout::forWidth(double width, const Sizes &sizes)
{
    AddressBarLayout l;
    l.MButton = QRectF(QPointF(0, 0), sizes.navigationButton);
    l.HomeButton = QRectF(QPointF(400, 0), sizes.navigationButton);
    l.BButton = QRectF(QPointF(820, 0), sizes.navigationButton);
    l.FButton = QRectF(QPointF(1180, 0), sizes.navigationButton);

    l.Picture1 = QRectF(1550, 0, width * 0.5, BarHeight);
    l.RefreshButton = QRectF(QPointF(l.Picture1.right() + 30, 0), sizes.refreshButton);
    l.StopButton = QRectF(QPointF(l.RefreshButton.right() + 15, 0), sizes.stopButton);

    l.SButton = QRectF(QPointF(width - sizes.searchButton.width() - sizes.selector.width(), 0),
                       sizes.searchButton);
    l.Selsch = QRectF(QPointF(l.SButton.right(), 0), sizes.selector);

    l.Picture2 = QRectF(l.StopButton.right() + 60, 0,
                        width - l.StopButton.left() - 760 - l.Selsch.width(), BarHeight);

    l.Combo1 = listUnder(l.Picture1, sizes.listHeight);
    l.Combo2 = listUnder(l.Picture2, sizes.listHeight);

    const double p = l.Picture1.width();
    const double h = l.Picture1.height();
    const QSizeF drop = sizes.dropButton;
    l.Image1 = QRectF(30, (h - sizes.iconSize) / 2, sizes.iconSize, sizes.iconSize);
    l.Text1 = QRectF(300, 60, p - drop.width() - 360, h - 120);
    l.btClick = QRectF(QPointF(p - drop.width() - 30, 30), drop);

    const double q = l.Picture2.width();
    l.Text2 = QRectF(60, 60, q - drop.width() - 120, l.Picture1.height() - 120);
    l.SBt = QRectF(QPointF(q - drop.width() - 30, 30), drop);

    const auto urlBorder = borderOf(l.Picture1.size());
    l.Line1 = urlBorder[0];
    l.Line2 = urlBorder[1];
    l.Line3 = urlBorder[2];
    l.Line4 = urlBorder[3];
    const auto searchBorder = borderOf(l.Picture2.size());
    l.Line5 = searchBorder[0];
    l.Line6 = searchBorder[1];
    l.Line7 = searchBorder[2];
    l.Line8 = searchBorder[3];
    return l;
}

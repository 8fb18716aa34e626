#include "addressbarlayout.h"

#include "frameborder.h"

namespace {

constexpr double BarHeight = 330;

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

    const FrameBorder::Lines urlBorder = FrameBorder::around(l.Picture1.size());
    l.Line1 = urlBorder[FrameBorder::Top];
    l.Line2 = urlBorder[FrameBorder::Left];
    l.Line3 = urlBorder[FrameBorder::Right];
    l.Line4 = urlBorder[FrameBorder::Bottom];
    const FrameBorder::Lines searchBorder = FrameBorder::around(l.Picture2.size());
    l.Line5 = searchBorder[FrameBorder::Top];
    l.Line6 = searchBorder[FrameBorder::Left];
    l.Line7 = searchBorder[FrameBorder::Right];
    l.Line8 = searchBorder[FrameBorder::Bottom];
    return l;
}

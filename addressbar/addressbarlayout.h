#pragma once

#include <QLineF>
#include <QRectF>
#include <QSizeF>

// The places of the address bar's elements for one width, in twips. Elements inside
// the two box frames are placed in their frame's coordinates; the rest in the bar's.
struct AddressBarLayout
{
    // The sizes the layout starts from: the faces take their pictures' sizes.
    struct Sizes
    {
        QSizeF navigationButton; // MButton, HomeButton, BButton, FButton
        QSizeF refreshButton;
        QSizeF stopButton;
        QSizeF searchButton;
        QSizeF selector;
        QSizeF dropButton;     // btClick and SBt
        double iconSize = 0;   // Image1 is square
        double listHeight = 0; // the closed height of Combo1 and Combo2
    };

    QRectF MButton;
    QRectF HomeButton;
    QRectF BButton;
    QRectF FButton;
    QRectF Picture1;
    QRectF RefreshButton;
    QRectF StopButton;
    QRectF SButton;
    QRectF Selsch;
    QRectF Picture2;
    QRectF Combo1;
    QRectF Combo2;

    // Inside Picture1.
    QRectF Image1;
    QRectF Text1;
    QRectF btClick;
    QLineF Line1;
    QLineF Line2;
    QLineF Line3;
    QLineF Line4;

    // Inside Picture2.
    QRectF Text2;
    QRectF SBt;
    QLineF Line5;
    QLineF Line6;
    QLineF Line7;
    QLineF Line8;

    // The layout of a bar `width` twips wide and 330 high.
    static AddressBarLayout forWidth(double width, const Sizes &sizes);
};

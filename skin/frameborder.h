#pragma once

#include <QLineF>
#include <QObject>
#include <QSizeF>
#include <QString>

#include <array>

class QWidget;

// The border of a text-box frame: four one-pixel lines of RGB(126,157,185) along the
// frame's edges, over whatever the frame holds. The pointer goes through them to what
// lies below.
class FrameBorder final : public QObject
{
public:
    enum Edge
    {
        Top,
        Left,
        Right,
        Bottom
    };
    // In twips, in the frame's coordinates, indexed by Edge.
    using Lines = std::array<QLineF, 4>;

    // The lines around a frame of `size` twips. The right and bottom lines lie one
    // pixel inside the frame's width and height.
    static Lines around(QSizeF size);

    // Creates the lines as children of `frame`, which owns the border; `names` are the
    // lines' object names, indexed by Edge.
    FrameBorder(QWidget *frame, const std::array<QString, 4> &names);

    // A line is drawn one pixel thick, from its start up to (not including) its end.
    void place(const Lines &lines);

private:
    std::array<QWidget *, 4> m_lines;
};

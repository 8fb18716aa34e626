#pragma once

#include "picturebox.h"

#include <QImage>
#include <QTest>

// A user's view of a tabbed control's faces: clicks that come with the move a real
// pointer makes first, and the skin picture a face shows.
namespace TabFaces {

enum class Look
{
    Selected,
    Normal,
    Hovered,
    Unknown
};

inline PictureBox *face(const QWidget *control, int slot)
{
    return control->findChild<PictureBox *>(QStringLiteral("MTab%1").arg(slot));
}

// A point on the face clear of its title and icon.
inline QPoint spot()
{
    return QPoint(20, 10);
}

inline void moveOnto(const QWidget *control, int slot, QPoint at = spot())
{
    QTest::mouseMove(face(control, slot), at);
}

inline void click(const QWidget *control, int slot, Qt::MouseButton button = Qt::LeftButton,
                  QPoint at = spot())
{
    moveOnto(control, slot, at);
    QTest::mouseClick(face(control, slot), button, {}, at);
}

inline Look look(const QWidget *control, int slot)
{
    const QImage shown = face(control, slot)->picture().toImage();
    const char *const files[] = {"T0", "T1", "T2"};
    for (int i = 0; i < 3; ++i) {
        const QImage skin(
            QStringLiteral(":/tabbrowser/images/%1.png").arg(QLatin1String(files[i])));
        if (shown == skin.convertToFormat(shown.format()))
            return static_cast<Look>(i);
    }
    return Look::Unknown;
}

} // namespace TabFaces

#pragma once

#include "hovertracker.h"
#include "picturebox.h"

#include <QPixmap>

// A clickable face drawn from three skin images: normal, under the pointer, pressed.
// It follows the pointer by itself (HoverTracker) and emits clicked() on a left
// release inside. Owners that light several faces together connect one face's
// tracker to the others' showLook().
class SkinFace final : public PictureBox
{
    Q_OBJECT

public:
    struct Looks
    {
        QPixmap normal;
        QPixmap hover;
        QPixmap pressed;

        // The images <prefix>1.png, <prefix>2.png and <prefix>3.png, for example
        // ":/addressbar/images/B" for B1, B2 and B3.
        static Looks fromPrefix(const QString &prefix);
    };

    explicit SkinFace(Looks looks, QWidget *parent = nullptr);
    ~SkinFace() override;

    void showLook(HoverTracker::Look look);
    // The look shown: the face shows exactly one of its three pictures.
    HoverTracker::Look look() const;
    bool isShowing(HoverTracker::Look shown) const { return look() == shown; }
    using PictureBox::isShowing;
    HoverTracker *tracker() const { return m_tracker; }

Q_SIGNALS:
    void clicked();

private:
    Looks m_looks;
    HoverTracker *m_tracker;
};

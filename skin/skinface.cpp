#include "skinface.h"

SkinFace::Looks SkinFace::Looks::fromPrefix(const QString &prefix)
{
    return {QPixmap(prefix + QStringLiteral("1.png")), QPixmap(prefix + QStringLiteral("2.png")),
            QPixmap(prefix + QStringLiteral("3.png"))};
}

SkinFace::SkinFace(Looks looks, QWidget *parent)
    : PictureBox(parent)
    , m_looks(std::move(looks))
    , m_tracker(new HoverTracker(this))
{
    setBackgroundColor(QColor(255, 0, 255));
    setPicture(m_looks.normal);
    connect(m_tracker, &HoverTracker::lookWanted, this, &SkinFace::showLook);
    connect(m_tracker, &HoverTracker::clicked, this, &SkinFace::clicked);
}

SkinFace::~SkinFace()
{
    HoverTracker::stopTrackingWithin(this);
}

void SkinFace::showLook(HoverTracker::Look look)
{
    switch (look) {
    case HoverTracker::Look::Normal:
        setPicture(m_looks.normal);
        break;
    case HoverTracker::Look::Hover:
        setPicture(m_looks.hover);
        break;
    case HoverTracker::Look::Pressed:
        setPicture(m_looks.pressed);
        break;
    }
}

HoverTracker::Look SkinFace::look() const
{
    if (PictureBox::isShowing(m_looks.pressed))
        return HoverTracker::Look::Pressed;
    if (PictureBox::isShowing(m_looks.hover))
        return HoverTracker::Look::Hover;
    return HoverTracker::Look::Normal;
}

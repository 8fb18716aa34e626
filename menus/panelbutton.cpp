#include "panelbutton.h"

#include "hovertracker.h"
#include "picturebox.h"
#include "twips.h"

#include <QGuiApplication>

PanelButton::~PanelButton()
{
    HoverTracker::stopTrackingWithin(this);
}

PanelButton::PanelButton(const Design &design, QWidget *parent)
    : QWidget(parent)
    , m_face(new PictureBox(this))
    , m_iconBox(new PictureBox(m_face))
    , m_litBackground(design.litBackground)
{
    setFixedSize(Twips::toPixels(design.size));
    m_face->setObjectName(design.faceName);
    m_face->setGeometry(rect());
    m_face->setBackgroundColor(design.faceColor);
    m_iconBox->setObjectName(design.iconName);
    m_iconBox->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_iconBox->hide();

    auto *tracker = new HoverTracker(m_face, HoverTracker::Mode::Highlight);
    connect(tracker, &HoverTracker::lookWanted, this,
            [this](HoverTracker::Look look) { showLit(look != HoverTracker::Look::Normal); });
    const auto reportMove = [this](QPointF at) {
        Q_EMIT MouseMove(QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers(),
                         Twips::fromPixels(at.x()), Twips::fromPixels(at.y()));
    };
    connect(tracker, &HoverTracker::movedInside, this, reportMove);
    connect(tracker, &HoverTracker::movedOutside, this, reportMove);
    connect(tracker, &HoverTracker::pressed, this,
            [this, answered = design.reportedPresses](Qt::MouseButton button, QPointF at,
                                                      Qt::KeyboardModifiers modifiers) {
                if (answered.testFlag(button))
                    Q_EMIT MouseDown(button, modifiers, Twips::fromPixels(at.x()),
                                     Twips::fromPixels(at.y()));
            });
}

void PanelButton::SetIcon(const QPixmap &Icon1, const QPixmap &Icon2)
{
    m_normalIcon = Icon1;
    m_hoverIcon = Icon2;
    m_iconBox->setPicture(m_normalIcon);
    const QPointF place = iconPlace(Twips::fromPixels(m_iconBox->size()));
    m_iconBox->move(Twips::toPixels(place.x(), place.y()));
    m_iconBox->show();
}

void PanelButton::showLit(bool lit)
{
    m_face->setPicture(lit ? m_litBackground : QPixmap());
    if (!m_iconBox->isHidden())
        m_iconBox->setPicture(lit ? m_hoverIcon : m_normalIcon);
}

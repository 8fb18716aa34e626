#include "searchpair.h"

#include "skinface.h"

using Look = HoverTracker::Look;

SearchPair::SearchPair(SkinFace *button, SkinFace *selector, QObject *parent)
    : QObject(parent)
    , m_button(button)
    , m_selector(selector)
{
    for (SkinFace *face : {button, selector})
        face->tracker()->setMode(HoverTracker::Mode::PairedButton);

    connect(button->tracker(), &HoverTracker::lookWanted, this, &SearchPair::onButtonMove);
    connect(selector->tracker(), &HoverTracker::lookWanted, this, &SearchPair::onSelectorMove);

    connect(button->tracker(), &HoverTracker::pressed, this, [this](Qt::MouseButton pressed) {
        if (pressed == Qt::LeftButton && !m_button->isShowing(Look::Pressed))
            onButtonMove(Look::Pressed);
    });
    connect(button->tracker(), &HoverTracker::released, this, &SearchPair::onButtonReleased);

    connect(selector->tracker(), &HoverTracker::pressed, this,
            [this](Qt::MouseButton pressed, QPointF position) {
                if (pressed != Qt::LeftButton)
                    return;
                m_selector->showLook(Look::Pressed);
                Q_EMIT selectorPressed(position);
            });
}

// Over the button, the selector lights as hovered, but not while the button looks
// pressed: then only the button is lit.
void SearchPair::onButtonMove(Look look)
{
    m_button->showLook(look);
    m_selector->showLook(look == Look::Hover ? Look::Hover : Look::Normal);
}

// Over the selector, the button lights as hovered whether or not the selector looks
// pressed.
void SearchPair::onSelectorMove(Look look)
{
    m_selector->showLook(look);
    m_button->showLook(look == Look::Normal ? Look::Normal : Look::Hover);
}

void SearchPair::onButtonReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                  bool inside)
{
    if (button != Qt::LeftButton)
        return;
    m_button->showLook(Look::Normal);
    if (!inside)
        return;
    const Qt::KeyboardModifiers shiftState =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (shiftState == Qt::NoModifier)
        Q_EMIT searchClicked(false);
    else if (shiftState == Qt::ControlModifier)
        Q_EMIT searchClicked(true);
}

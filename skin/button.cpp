#include "button.h"

#include "picturebox.h"
#include "propertybag.h"
#include "twips.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

const QString CaptionKey = QStringLiteral("Caption");
const QString DefaultCaption = QStringLiteral("Button");
constexpr double PressedShiftRight = 20;
constexpr double PressedShiftDown = 5;

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

Button::Button(QWidget *parent)
    : QWidget(parent)
    , m_face(new PictureBox(this))
    , m_caption(new QLabel(this))
{
    for (std::size_t i = 0; i < m_images.size(); ++i)
        m_images[i] = QPixmap(QStringLiteral(":/skin/images/bt%1.png").arg(i));
    setFixedSize(Twips::toPixels(QSizeF(Width, Height)));

    m_face->setObjectName(QStringLiteral("MButton"));
    m_face->setBackgroundColor(QColor(255, 0, 255));
    m_face->setFocusPolicy(Qt::StrongFocus);
    m_face->installEventFilter(this);
    setFocusProxy(m_face);
    showImage(Normal);

    m_caption->setObjectName(QStringLiteral("btStr"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    setCaptionText(DefaultCaption);

    auto *tracker = new HoverTracker(m_face, HoverTracker::Mode::Button);
    connect(tracker, &HoverTracker::lookWanted, this, &Button::onLookWanted);
    // Any release shows the focused look; the tracker asks for the normal look after a
    // left release, and clicks last of all.
    connect(tracker, &HoverTracker::released, this, [this] { showImage(FocusedNormal); });
    connect(tracker, &HoverTracker::clicked, this, [this] {
        placeCaption(false);
        Q_EMIT Click();
    });
}

QString Button::Caption() const
{
    return m_caption->text();
}

void Button::setCaption(const QString &New_Caption)
{
    setCaptionText(New_Caption);
    Q_EMIT PropertyChanged(CaptionKey);
}

void Button::ReadProperties(const PropertyBag &bag)
{
    setCaptionText(bag.ReadProperty(CaptionKey, DefaultCaption).toString());
}

void Button::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(CaptionKey, Caption(), DefaultCaption);
}

void Button::showImage(Image image)
{
    m_face->setPicture(m_images[image]);
}

void Button::onLookWanted(HoverTracker::Look look)
{
    switch (look) {
    case HoverTracker::Look::Normal:
        showImage(m_hasFocus ? FocusedNormal : Normal);
        placeCaption(false);
        break;
    case HoverTracker::Look::Hover:
        showImage(m_hasFocus ? FocusedHover : Hover);
        break;
    case HoverTracker::Look::Pressed:
        showImage(Pressed);
        placeCaption(true);
        break;
    }
}

bool Button::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_face)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        m_hasFocus = true;
        showImage(FocusedNormal);
        break;
    case QEvent::FocusOut:
        m_hasFocus = false;
        m_enterHeld = false;
        showImage(Normal);
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return onKey(static_cast<const QKeyEvent *>(event));
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool Button::onKey(const QKeyEvent *event)
{
    if (!isEnter(event))
        return false;
    if (event->type() == QEvent::KeyPress) {
        m_enterHeld = true;
        showImage(Pressed);
        return true;
    }
    // A held key repeats as presses and releases; only the last release is the user's.
    if (event->isAutoRepeat() || !m_enterHeld)
        return true;
    m_enterHeld = false;
    showImage(FocusedNormal);
    Q_EMIT Click();
    return true;
}

void Button::setCaptionText(const QString &caption)
{
    m_caption->setText(caption);
    m_caption->adjustSize();
    placeCaption(false);
}

void Button::placeCaption(bool pressed)
{
    const QSizeF caption = Twips::fromPixels(m_caption->size());
    double left = (Width - caption.width()) / 2;
    double top = (Height - caption.height()) / 2;
    if (pressed) {
        left += PressedShiftRight;
        top += PressedShiftDown;
    }
    m_caption->move(Twips::toPixels(left, top));
}

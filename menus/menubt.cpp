#include "menubt.h"

#include "captionlabel.h"
#include "hovertracker.h"
#include "menucolors.h"
#include "picturebox.h"
#include "propertybag.h"
#include "twips.h"

namespace {

const QString CaptionKey = QStringLiteral("MCaption");
const QString DefaultCaption = QStringLiteral("菜单(&M)");
constexpr double FillWidth = 840;

} // namespace

MenuBt::~MenuBt()
{
    HoverTracker::stopTrackingWithin(this);
}

MenuBt::MenuBt(QWidget *parent)
    : QWidget(parent)
    , m_outline(new PictureBox(this))
    , m_fill(new PictureBox(m_outline))
    , m_caption(new CaptionLabel(m_fill))
{
    setFixedSize(Twips::toPixels(QSizeF(870, 270)));
    m_outline->setObjectName(QStringLiteral("Picture1"));
    m_outline->setGeometry(Twips::toPixels(0, 0, 870, 270));
    m_fill->setObjectName(QStringLiteral("Picture2"));
    m_fill->setGeometry(Twips::toPixels(15, 15, FillWidth, 240));
    m_caption->setObjectName(QStringLiteral("Label1"));
    setCaption(DefaultCaption);
    applyLook(Look::Normal);

    // The fill follows the pointer with colours and reports presses at once; the
    // caption lets the pointer through to it.
    auto *tracker = new HoverTracker(m_fill, HoverTracker::Mode::Highlight);
    connect(tracker, &HoverTracker::lookWanted, this, [this](HoverTracker::Look look) {
        if (!m_open)
            applyLook(look == HoverTracker::Look::Normal ? Look::Normal : Look::Hover);
    });
    connect(tracker, &HoverTracker::movedInside, this, &MenuBt::MouseOn);
    connect(tracker, &HoverTracker::pressed, this,
            [this](Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers modifiers) {
                if (button == Qt::LeftButton)
                    ShowMS(true);
                Q_EMIT MouseDown(button, modifiers, Twips::fromPixels(at.x()),
                                 Twips::fromPixels(at.y()));
            });
}

void MenuBt::ShowMS(bool Yes)
{
    m_open = Yes;
    if (Yes)
        applyLook(Look::Open);
}

void MenuBt::SetColor(bool cType)
{
    if (!cType)
        applyLook(Look::Normal);
    else if (!m_open)
        applyLook(Look::Hover);
}

QString MenuBt::MCaption() const
{
    return m_caption->text();
}

void MenuBt::setMCaption(const QString &New_MCaption)
{
    setCaption(New_MCaption);
    Q_EMIT PropertyChanged(CaptionKey);
}

void MenuBt::ReadProperties(const PropertyBag &bag)
{
    setCaption(bag.ReadProperty(CaptionKey, DefaultCaption).toString());
}

void MenuBt::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(CaptionKey, MCaption(), DefaultCaption);
}

void MenuBt::applyLook(Look look)
{
    const QColor outline = look == Look::Hover  ? MenuColors::HoverOutline
                           : look == Look::Open ? MenuColors::Border
                                                : MenuColors::Background;
    const QColor fill = look == Look::Hover ? MenuColors::HoverFill : MenuColors::Background;
    m_outline->setBackgroundColor(outline);
    m_fill->setBackgroundColor(fill);
    m_caption->setBackgroundColor(fill);
}

void MenuBt::setCaption(const QString &caption)
{
    m_caption->setText(caption);
    // A caption wider than the fill starts left of it: centred all the same.
    const double width = Twips::fromPixels(m_caption->width());
    m_caption->move(Twips::toPixels((FillWidth - width) / 2, 30));
}

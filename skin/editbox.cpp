#include "editbox.h"

#include "droplist.h"
#include "frameborder.h"
#include "keyascii.h"
#include "propertybag.h"
#include "skinface.h"
#include "twips.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

#include <algorithm>

namespace {

const QString TextKey = QStringLiteral("Text");
constexpr double DefaultWidth = 1500;

} // namespace

EditBox::EditBox(QWidget *parent)
    : QWidget(parent)
    , m_picture1(new QWidget(this))
    , m_text1(new QLineEdit(m_picture1))
    , m_cBt(new SkinFace(DropList::buttonLooks(), m_picture1))
    , m_border(new FrameBorder(m_picture1, {QStringLiteral("Line2"), QStringLiteral("Line1"),
                                            QStringLiteral("Line3"), QStringLiteral("Line4")}))
    , m_combo1(new DropList(m_picture1, this))
{
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setAutoFillBackground(true);
    QPalette colors = m_picture1->palette();
    colors.setColor(QPalette::Window, Qt::white);
    m_picture1->setPalette(colors);

    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setFrame(false);
    m_text1->installEventFilter(this);
    setFocusProxy(m_text1);
    connect(m_text1, &QLineEdit::textChanged, this, &EditBox::Chang);

    m_cBt->setObjectName(QStringLiteral("cBt"));
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->resize(m_combo1->width(), Twips::toPixels(DropList::BoxHeight));
    // Nothing is ever added to the list: it always opens empty.
    connect(m_cBt, &SkinFace::clicked, m_combo1, &DropList::showDropDown);

    m_geometry.set(QRectF(0, 0, DefaultWidth, FixedHeight));
    layOut();
}

EditBox::~EditBox() = default;

QString EditBox::Text() const
{
    return m_text1->text();
}

void EditBox::setText(const QString &New_Text)
{
    m_text1->setText(New_Text);
    Q_EMIT PropertyChanged(TextKey);
}

void EditBox::ReadProperties(const PropertyBag &bag)
{
    m_text1->setText(bag.ReadProperty(TextKey, QString()).toString());
}

void EditBox::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(TextKey, Text(), QString());
}

bool EditBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text1 && !m_delivering) {
        if (event->type() == QEvent::KeyPress)
            return filterKey(static_cast<const QKeyEvent *>(event));
        if (event->type() == QEvent::InputMethod)
            return filterInputMethod(static_cast<const QInputMethodEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool EditBox::filterKey(const QKeyEvent *event)
{
    const char16_t typed = KeyAscii::typed(*event);
    if (typed == KeyAscii::None)
        return false;
    char16_t code = typed;
    Q_EMIT KeyPress(code);
    if (code == KeyAscii::None)
        return true;
    if (code == KeyAscii::SelectAll) {
        m_text1->selectAll();
        return true;
    }
    if (code == typed)
        return false;
    QKeyEvent substitute = KeyAscii::typing(code);
    deliver(&substitute);
    return true;
}

bool EditBox::filterInputMethod(const QInputMethodEvent *event)
{
    const QString committed = event->commitString();
    if (committed.isEmpty())
        return false;
    QString left;
    for (const QChar character : committed) {
        char16_t code = character.unicode();
        Q_EMIT KeyPress(code);
        if (code >= u' ' && code != u'\x7f')
            left.append(QChar(code));
    }
    if (left == committed)
        return false;
    QInputMethodEvent substitute(event->preeditString(), event->attributes());
    substitute.setCommitString(left, event->replacementStart(), event->replacementLength());
    deliver(&substitute);
    return true;
}

void EditBox::deliver(QEvent *event)
{
    const QScopedValueRollback delivering(m_delivering, true);
    QCoreApplication::sendEvent(m_text1, event);
}

void EditBox::setGeometryTwips(double left, double top, double width, double height)
{
    m_geometry.set(QRectF(left, top, width, height));
    layOut();
}

QRectF EditBox::geometryTwips() const
{
    return m_geometry.get();
}

void EditBox::resizeEvent(QResizeEvent *)
{
    layOut();
}

void EditBox::layOut()
{
    const QRectF geometry = m_geometry.get();
    if (geometry.height() != FixedHeight)
        m_geometry.set(QRectF(geometry.topLeft(), QSizeF(geometry.width(), FixedHeight)));
    const double w = geometry.width();
    const double h = FixedHeight;
    m_cBt->showLook(HoverTracker::Look::Normal);
    m_picture1->setGeometry(Twips::toPixels(QRectF(0, 0, w, h)));
    m_border->place(FrameBorder::around(QSizeF(w, h)));
    const QSizeF button = Twips::fromPixels(m_cBt->size());
    m_cBt->setGeometry(Twips::toPixels(QRectF(QPointF(w - 315, 30), button)));
    // A box narrower than its drop button has no room left for the text.
    m_text1->setGeometry(Twips::toPixels(QRectF(60, 60, std::max(w - 345, 0.0), 210)));
    m_combo1->setGeometry(
        Twips::toPixels(QRectF(0, h - DropList::BoxHeight - 5, w, DropList::BoxHeight)));
}

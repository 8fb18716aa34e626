#include "urledit.h"

#include "addressbarlayout.h"
#include "droplist.h"
#include "frameborder.h"
#include "keyascii.h"
#include "propertybag.h"
#include "searchpair.h"
#include "selectonfocus.h"
#include "skinface.h"
#include "twips.h"
#include "typedaddress.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

const QColor BoxTextColor(64, 64, 64);

QString imagePath(const QString &name)
{
    return QStringLiteral(":/addressbar/images/") + name;
}

QLineEdit *createTextBox(const QString &name, QWidget *frame)
{
    auto *box = new QLineEdit(frame);
    box->setObjectName(name);
    box->setFrame(false);
    QPalette colors = box->palette();
    colors.setColor(QPalette::Base, Qt::white);
    colors.setColor(QPalette::Text, BoxTextColor);
    box->setPalette(colors);
    return box;
}

// A container filled with its window colour.
QWidget *createFrame(const QString &name, QWidget *parent)
{
    auto *frame = new QWidget(parent);
    frame->setObjectName(name);
    frame->setAutoFillBackground(true);
    return frame;
}

void setBackground(QWidget *element, const QColor &color)
{
    QPalette colors = element->palette();
    colors.setColor(QPalette::Window, color);
    element->setPalette(colors);
}

// Lines named top, left, right, bottom from `firstLine` on.
FrameBorder *createBorder(QWidget *frame, int firstLine)
{
    const auto name = [firstLine](int edge) {
        return QStringLiteral("Line%1").arg(firstLine + edge);
    };
    return new FrameBorder(frame, {name(FrameBorder::Top), name(FrameBorder::Left),
                                   name(FrameBorder::Right), name(FrameBorder::Bottom)});
}

void place(QWidget *element, const QRectF &twips)
{
    element->setGeometry(Twips::toPixels(twips));
}

QSizeF twipsSize(const QWidget *element)
{
    return Twips::fromPixels(element->size());
}

} // namespace

URLEdit::URLEdit(QWidget *parent)
    : QWidget(parent)
{
    createFrames();
    createFaces();
    createLists();
    setFocusProxy(m_text1);
    m_geometry.set(QRectF(0, 0, MinimumLayoutWidth, FixedHeight));
    layOut();
}

URLEdit::~URLEdit() = default;

SkinFace *URLEdit::addFace(const QString &name, const QString &imagePrefix, QWidget *parent)
{
    return addFace(name, SkinFace::Looks::fromPrefix(imagePath(imagePrefix)), parent);
}

SkinFace *URLEdit::addFace(const QString &name, SkinFace::Looks looks, QWidget *parent)
{
    auto *face = new SkinFace(std::move(looks), parent);
    face->setObjectName(name);
    return face;
}

void URLEdit::createFrames()
{
    m_picture1 = createFrame(QStringLiteral("Picture1"), this);
    setBackground(m_picture1, Qt::white);
    // A click on the frame around the URL box is a click into the box.
    m_picture1->setFocusPolicy(Qt::ClickFocus);
    m_image1 = new QLabel(m_picture1);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setPixmap(QPixmap(imagePath(QStringLiteral("Image1.png"))));
    m_image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_text1 = createTextBox(QStringLiteral("Text1"), m_picture1);
    m_picture1->setFocusProxy(m_text1);
    m_text1->installEventFilter(this);
    SelectOnFocus::watch(m_text1);

    m_picture2 = createFrame(QStringLiteral("Picture2"), this);
    m_text2 = createTextBox(QStringLiteral("Text2"), m_picture2);
    m_text2->setText(QStringLiteral("Search"));
    m_text2->installEventFilter(this);
    SelectOnFocus::watch(m_text2);
}

void URLEdit::createFaces()
{
    m_btClick = addFace(QStringLiteral("btClick"), DropList::buttonLooks(), m_picture1);
    m_sBt = addFace(QStringLiteral("SBt"), DropList::buttonLooks(), m_picture2);
    m_urlBorder = createBorder(m_picture1, 1);
    m_searchBorder = createBorder(m_picture2, 5);

    m_mButton = addFace(QStringLiteral("MButton"), QStringLiteral("M"), this);
    m_homeButton = addFace(QStringLiteral("HomeButton"), QStringLiteral("H"), this);
    m_bButton = addFace(QStringLiteral("BButton"), QStringLiteral("B"), this);
    m_fButton = addFace(QStringLiteral("FButton"), QStringLiteral("F"), this);
    m_refreshButton = addFace(QStringLiteral("RefreshButton"), QStringLiteral("Rs"), this);
    m_stopButton = addFace(QStringLiteral("StopButton"), QStringLiteral("St"), this);
    m_sButton = addFace(QStringLiteral("SButton"), QStringLiteral("Sr"), this);
    m_selsch = addFace(QStringLiteral("Selsch"), QStringLiteral("S"), this);

    connect(m_mButton, &SkinFace::clicked, this, &URLEdit::ShowMenu);
    connect(m_homeButton, &SkinFace::clicked, this, &URLEdit::GoHome);
    connect(m_bButton, &SkinFace::clicked, this, &URLEdit::Goback);
    connect(m_fButton, &SkinFace::clicked, this, &URLEdit::Goforward);
    connect(m_refreshButton, &SkinFace::clicked, this, &URLEdit::RefreshPage);
    connect(m_stopButton, &SkinFace::clicked, this, &URLEdit::StopClick);

    // The search list's button goes back to normal on any release, not just the left.
    connect(m_sBt->tracker(), &HoverTracker::released, m_sBt,
            [this] { m_sBt->showLook(HoverTracker::Look::Normal); });

    auto *searchPair = new SearchPair(m_sButton, m_selsch, this);
    connect(searchPair, &SearchPair::searchClicked, this,
            [this](bool ctrl) { Q_EMIT Serch(m_text2->text(), ctrl); });
    connect(searchPair, &SearchPair::selectorPressed, this, [this](QPointF position) {
        const QPointF selector = m_layout.Selsch.topLeft();
        Q_EMIT SelectSerchSite(selector.x() + Twips::fromPixels(position.x()),
                               selector.y() + Twips::fromPixels(position.y()));
    });
}

void URLEdit::createLists()
{
    QFont listFont;
    listFont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体")});
    listFont.setPointSizeF(10.5);
    const auto createList = [&](const QString &name, const QWidget *frame) {
        auto *list = new DropList(frame, this);
        list->setObjectName(name);
        list->setFont(listFont);
        QPalette colors = list->palette();
        colors.setColor(QPalette::Text, BoxTextColor);
        list->setPalette(colors);
        list->resize(list->width(), Twips::toPixels(DropList::BoxHeight));
        return list;
    };
    m_combo1 = createList(QStringLiteral("Combo1"), m_picture1);
    m_combo2 = createList(QStringLiteral("Combo2"), m_picture2);
    connect(m_btClick, &SkinFace::clicked, m_combo1, &DropList::showDropDown);
    connect(m_sBt, &SkinFace::clicked, m_combo2, &DropList::showDropDown);
    connect(m_combo1, &DropList::Click, this, [this] { onHistoryChosen(m_combo1->text()); });
}

void URLEdit::AddURL(const QString &URL)
{
    const QString key = URL.toUpper();
    const QStringList entries = m_combo1->items();
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        if (entries.at(i).toUpper() == key)
            m_combo1->removeItem(static_cast<int>(i));
    }
    m_combo1->insertItem(0, URL);
}

QStringList URLEdit::history() const
{
    return m_combo1->items();
}

void URLEdit::stFocus(qint16 what)
{
    (what == 1 ? m_text1 : m_text2)->setFocus(Qt::OtherFocusReason);
}

QString URLEdit::URL() const
{
    return m_text1->text();
}

bool URLEdit::inURLBox() const
{
    // The window's focus widget is where the keys go whenever the window is active.
    // It stays the URL box while another window or the history list has the focus,
    // and it follows focus moved in code while the window is inactive, when no
    // focus event tells the box.
    return window()->focusWidget() == m_text1;
}

void URLEdit::setURL(const QString &New_URL)
{
    if (inURLBox())
        return;
    m_text1->setText(New_URL);
    Q_EMIT PropertyChanged(QStringLiteral("URL"));
}

void URLEdit::ReadProperties(const PropertyBag &bag)
{
    m_text1->setText(bag.ReadProperty(QStringLiteral("URL"), QString()).toString());
}

void URLEdit::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("URL"), URL(), QString());
}

bool URLEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_text1 && watched != m_text2)
        return QWidget::eventFilter(watched, event);
    auto *box = static_cast<QLineEdit *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        return box == m_text1 ? filterUrlBoxKey(key) : filterSearchBoxKey(key);
    }
    case QEvent::KeyRelease: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (box == m_text1 && key->key() == Qt::Key_F5 && !key->isAutoRepeat())
            Q_EMIT RefreshPage();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool URLEdit::filterUrlBoxKey(const QKeyEvent *event)
{
    switch (KeyAscii::typed(*event)) {
    case KeyAscii::SelectAll:
        m_text1->selectAll();
        return true;
    case KeyAscii::Cut:
        // With a selection, the box cuts it as usual.
        return !m_text1->hasSelectedText();
    case KeyAscii::Enter:
        goToTypedAddress(false);
        return true;
    case KeyAscii::CtrlEnter:
        goToTypedAddress(true);
        return true;
    default:
        return false;
    }
}

bool URLEdit::filterSearchBoxKey(const QKeyEvent *event)
{
    switch (KeyAscii::typed(*event)) {
    case KeyAscii::Enter:
        Q_EMIT Serch(m_text2->text(), false);
        return true;
    case KeyAscii::CtrlEnter:
        Q_EMIT Serch(m_text2->text(), true);
        return true;
    default:
        return false;
    }
}

void URLEdit::goToTypedAddress(bool ctrl)
{
    const QString typed = m_text1->text();
    if (typed.isEmpty())
        return;
    const QString address = TypedAddress::completed(typed);
    if (address != typed)
        m_text1->setText(address);
    Q_EMIT GoURL(ctrl, m_text1->text());
    m_text1->setCursorPosition(static_cast<int>(m_text1->text().size()));
}

void URLEdit::onHistoryChosen(const QString &text)
{
    if (text.isEmpty())
        return;
    m_text1->setText(text);
    goToTypedAddress(false);
}

void URLEdit::setGeometryTwips(double left, double top, double width, double height)
{
    m_geometry.set(QRectF(left, top, width, height));
    layOut();
}

QRectF URLEdit::geometryTwips() const
{
    return m_geometry.get();
}

void URLEdit::resizeEvent(QResizeEvent *)
{
    layOut();
}

void URLEdit::layOut()
{
    const QRectF geometry = m_geometry.get();
    if (geometry.width() < MinimumLayoutWidth)
        return;
    if (geometry.height() != FixedHeight)
        m_geometry.set(QRectF(geometry.topLeft(), QSizeF(geometry.width(), FixedHeight)));
    AddressBarLayout::Sizes sizes;
    sizes.navigationButton = twipsSize(m_mButton);
    sizes.refreshButton = twipsSize(m_refreshButton);
    sizes.stopButton = twipsSize(m_stopButton);
    sizes.searchButton = twipsSize(m_sButton);
    sizes.selector = twipsSize(m_selsch);
    sizes.dropButton = twipsSize(m_btClick);
    sizes.iconSize = Twips::fromPixels(m_image1->pixmap().height());
    sizes.listHeight = DropList::BoxHeight;
    m_layout = AddressBarLayout::forWidth(geometry.width(), sizes);
    apply(m_layout);
}

void URLEdit::apply(const AddressBarLayout &layout)
{
    place(m_mButton, layout.MButton);
    place(m_homeButton, layout.HomeButton);
    place(m_bButton, layout.BButton);
    place(m_fButton, layout.FButton);
    place(m_picture1, layout.Picture1);
    place(m_refreshButton, layout.RefreshButton);
    place(m_stopButton, layout.StopButton);
    place(m_sButton, layout.SButton);
    place(m_selsch, layout.Selsch);
    place(m_picture2, layout.Picture2);
    place(m_combo1, layout.Combo1);
    place(m_combo2, layout.Combo2);

    place(m_image1, layout.Image1);
    place(m_text1, layout.Text1);
    place(m_btClick, layout.btClick);
    m_urlBorder->place({layout.Line1, layout.Line2, layout.Line3, layout.Line4});

    place(m_text2, layout.Text2);
    place(m_sBt, layout.SBt);
    m_searchBorder->place({layout.Line5, layout.Line6, layout.Line7, layout.Line8});
}

#include "mymenu.h"

#include "autohide.h"
#include "captionlabel.h"
#include "hovertracker.h"
#include "menucolors.h"
#include "menulayout.h"
#include "picturebox.h"
#include "twips.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

using MenuLayout::place;
using MenuLayout::setShown;

constexpr double Width = 2325;
constexpr double RowPitch = 330;
constexpr double Margin = 60;
constexpr double RowWidth = 2235;
constexpr double StripWidth = 315;
constexpr double CheckSize = 300;
constexpr double TopBorderGap = 855;
constexpr double LineWidth = Twips::PerPixel;
constexpr int MaxRows = 99;

// A decorative element showing `picture` stretched to its size; pointer reports pass
// through it to the row below.
QLabel *createStrip(const QPixmap &picture, QWidget *parent, const QString &name)
{
    auto *strip = new QLabel(parent);
    strip->setObjectName(name);
    strip->setScaledContents(true);
    strip->setPixmap(picture);
    strip->setAttribute(Qt::WA_TransparentForMouseEvents);
    return strip;
}

// The row's accelerator letter is the caption's second-to-last character: the letter
// after the ampersand in "新建(&N)".
quint8 acceleratorOf(const QString &caption)
{
    if (caption.isEmpty())
        return 0;
    return MyMenu::MCaption(caption.size() == 1 ? caption : caption.mid(caption.size() - 2, 1));
}

} // namespace

struct MyMenu::Row
{
    PictureBox *frame;
    QLabel *frameStrip;
    PictureBox *face;
    QLabel *strip;
    CaptionLabel *caption;
    PictureBox *checkMark;
};

MyMenu::MyMenu(QWidget *parent)
    : QWidget(parent)
    , m_panel(new PictureBox(this))
    , m_strip(QStringLiteral(":/menus/images/strip.png"))
    , m_check(QStringLiteral(":/menus/images/check.png"))
    , m_autoHide(new AutoHide(this))
{
    setFocusPolicy(Qt::ClickFocus);
    m_panel->setObjectName(QStringLiteral("Picture2"));
    m_panel->setBackgroundColor(MenuColors::Background);

    place(createStrip(m_strip, m_panel, QStringLiteral("Image1")), 30, Margin, StripWidth, 360);
    for (int i = 0; i < 4; ++i) {
        auto *line = new PictureBox(m_panel);
        line->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        line->setBackgroundColor(MenuColors::Border);
        m_lines[i] = line;
    }
    createRow();
    row(0).caption->setText(QStringLiteral("菜单(&M)"));
    setHeightForRows();

    connect(m_autoHide, &AutoHide::pointerOutside, this, &MyMenu::Hide);
}

MyMenu::~MyMenu()
{
    HoverTracker::stopTrackingWithin(this);
}

qint16 MyMenu::itemCount() const
{
    return static_cast<qint16>(m_rows.size());
}

void MyMenu::setPointerSource(std::function<QPoint()> source)
{
    m_autoHide->setPointerSource(std::move(source));
}

quint8 MyMenu::MCaption(const QString &Word)
{
    if (Word.size() != 1)
        return 0;
    const char16_t letter = QChar::toUpper(Word.at(0).unicode());
    return letter >= u'A' && letter <= u'Z' ? static_cast<quint8>(letter) : 0;
}

void MyMenu::AddMenu(qint16 MIndex, const QString &MenuCaption)
{
    // Rows are added one after the other; a row already present just takes the new
    // caption, and an index that would leave a gap is refused.
    if (MIndex < 0 || MIndex > itemCount() || (MIndex == itemCount() && MIndex >= MaxRows))
        return;
    if (MIndex == itemCount())
        createRow();
    row(MIndex).caption->setText(MenuCaption);
    setHeightForRows();
}

void MyMenu::createRow()
{
    const auto index = static_cast<qint16>(m_rows.size());
    const QString number = QString::number(index);
    auto row = std::make_unique<Row>();

    row->frame = new PictureBox(m_panel);
    row->frame->setObjectName(QStringLiteral("MMenu") + number);
    place(row->frame, 30, 30 + RowPitch * index, RowWidth + 30, RowPitch);
    row->frameStrip = createStrip(m_strip, row->frame, QStringLiteral("M2") + number);
    place(row->frameStrip, 0, 0, StripWidth, RowPitch);

    row->face = new PictureBox(row->frame);
    row->face->setObjectName(QStringLiteral("MMu") + number);
    row->face->setFocusPolicy(Qt::ClickFocus);
    place(row->face, 15, 15, RowWidth, 300);
    row->strip = createStrip(m_strip, row->face, QStringLiteral("MBg") + number);
    place(row->strip, -15, 0, StripWidth, 300);

    row->checkMark = new PictureBox(row->face);
    row->checkMark->setObjectName(QStringLiteral("MIcon") + number);
    row->checkMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(row->checkMark, RowWidth - CheckSize, 0, CheckSize, CheckSize);
    row->checkMark->hide();

    row->caption = new CaptionLabel(row->face);
    row->caption->setObjectName(QStringLiteral("Mstr") + number);
    row->caption->move(Twips::toPixels(420, 60));

    // The row follows the pointer with colours and reports presses of any button at
    // once; its caption, strip and check mark let the pointer through to it.
    auto *tracker = new HoverTracker(row->face, HoverTracker::Mode::Highlight);
    connect(tracker, &HoverTracker::lookWanted, this, [this, index](HoverTracker::Look look) {
        setRowLit(index, look != HoverTracker::Look::Normal);
    });
    connect(tracker, &HoverTracker::movedInside, this, [this, index] { Q_EMIT MouseOn(index); });
    connect(tracker, &HoverTracker::movedOutside, this, [this, index] { Q_EMIT Mouseout(index); });
    connect(tracker, &HoverTracker::pressed, this,
            [this, index](Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers modifiers) {
                Q_EMIT MouseDown(index, button, modifiers, Twips::fromPixels(at.x()),
                                 Twips::fromPixels(at.y()));
            });

    row->frame->show();
    row->face->show();
    row->caption->show();
    m_rows.push_back(std::move(row));
    setRowLit(index, false);
}

void MyMenu::setRowLit(qint16 index, bool lit)
{
    const Row &r = row(index);
    r.frame->setBackgroundColor(lit ? MenuColors::HoverOutline : MenuColors::Background);
    r.face->setBackgroundColor(lit ? MenuColors::HoverFill : MenuColors::Background);
    r.caption->setBackgroundColor(lit ? MenuColors::HoverFill : MenuColors::Background);
    setShown(r.strip, !lit);
    setShown(r.frameStrip, !lit);
}

void MyMenu::setHeightForRows()
{
    const double height = Margin + RowPitch * itemCount();
    const QSize size = Twips::toPixels(QSizeF(Width, height));
    if (m_panel->size() != size) {
        m_panel->resize(size);
        layOutBorder(TopBorderGap);
    }
    resize(size);
}

void MyMenu::SetChilMenu(bool isChild)
{
    layOutBorder(isChild ? 0 : TopBorderGap);
}

void MyMenu::layOutBorder(double topStart)
{
    const QSizeF panel = Twips::fromPixels(m_panel->size());
    place(m_lines[0], 0, 0, LineWidth, panel.height());
    place(m_lines[1], topStart, 0, panel.width() - topStart, LineWidth);
    place(m_lines[2], panel.width() - LineWidth, 0, LineWidth, panel.height());
    place(m_lines[3], 0, panel.height() - LineWidth, panel.width(), LineWidth);
}

void MyMenu::checkItem(qint16 Index)
{
    if (Index < 0 || Index >= itemCount())
        return;
    if (m_checked >= 0) {
        row(m_checked).checkMark->setPicture(QPixmap());
        row(m_checked).checkMark->hide();
    }
    row(Index).checkMark->setPicture(m_check);
    row(Index).checkMark->show();
    m_checked = Index;
}

void MyMenu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A pop-up is drawn over the controls beside it.
    raise();
    if (m_checked >= 0) {
        PictureBox *mark = row(m_checked).checkMark;
        mark->setPicture(m_check);
        mark->move(row(m_checked).face->width() - Twips::toPixels(CheckSize), 0);
        mark->show();
    }
    row(0).face->setFocus();
    for (qint16 i = 0; i < itemCount(); ++i)
        setRowLit(i, false);
}

void MyMenu::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key < Qt::Key_A || key > Qt::Key_Z) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Every row whose letter matches answers, in row order.
    for (qint16 i = 0; i < itemCount(); ++i) {
        if (acceleratorOf(row(i).caption->text()) == key)
            Q_EMIT MouseDown(i, Qt::LeftButton, event->modifiers(), 0, 0);
    }
}

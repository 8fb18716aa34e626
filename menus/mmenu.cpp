#include "mmenu.h"

#include "autohide.h"
#include "captionlabel.h"
#include "hovertracker.h"
#include "menucolors.h"
#include "menulayout.h"
#include "mmenubutton.h"
#include "picturebox.h"
#include "skinface.h"
#include "tbutton.h"
#include "twips.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

using MenuLayout::place;
using MenuLayout::setShown;

constexpr QSizeF Size(7025, 6745);
// The right-hand and bottom frame pieces sit this far in from the edges.
constexpr double FrameInset = 20;
constexpr double ColumnHeight = 6000;
constexpr double StripLeft = 2025;
constexpr QSizeF StripSize(4890, 435);
constexpr QSizeF OptionSize(4815, 975);
constexpr double BarTop = 6340;
constexpr int CornerPixels = 6;

enum SubPanel
{
    OpenPanel,
    NewPagePanel,
    PrintPanel,
    NoPanel
};

QPixmap image(const QString &name)
{
    return QPixmap(QStringLiteral(":/menus/images/") + name + QStringLiteral(".png"));
}

PictureBox *createBox(QWidget *parent, const QString &name, const QColor &color)
{
    auto *box = new PictureBox(parent);
    box->setObjectName(name);
    box->setBackgroundColor(color);
    return box;
}

struct Command
{
    const char *name;
    const char16_t *caption;
    bool more;
    const char *icon;
    const char16_t *description;
    SubPanel subPanel;
};

// Top to bottom in the command column.
const Command Commands[] = {
    {"MMenuButton1", u"新建", true, "New", u"新建一个页面浏览", NewPagePanel},
    {"MMenuButton2", u"打开", true, "Open", u"打开网络上的URL或本地的文件", OpenPanel},
    {"MMenuButton4", u"保存", false, "Save", u"保存当前页面", NoPanel},
    {"MMenuButton3", u"打印", true, "Print", u"打印当前的页面", PrintPanel},
};

struct Option
{
    const char *name;
    SubPanel subPanel;
    int place; // 0 top, 1 bottom
    const char16_t *title;
    const char16_t *help;
    const char *icon;
    void (MMenu::*first)();
    void (MMenu::*second)();
};

const Option Options[] = {
    {"TButton1", OpenPanel, 0, u"当前页", u"在当前页面打开", "Current", &MMenu::OpenClick,
     &MMenu::HideMenu},
    {"TButton2", OpenPanel, 1, u"新页面", u"建立一个新选项卡打开", "Tab", &MMenu::HideMenu,
     &MMenu::NewPage},
    {"TButton3", NewPagePanel, 0, u"空白页", u"新建一个空白选项卡", "Blank", &MMenu::NewPage,
     &MMenu::HideMenu},
    {"TButton4", NewPagePanel, 1, u"输入URL浏览", u"输入新URL或本地文件路径打开", "Address",
     &MMenu::InputURL, &MMenu::HideMenu},
    {"TButton5", PrintPanel, 0, u"打印", u"打印当前浏览的页面", "PrintNow", &MMenu::HideMenu,
     &MMenu::PrintPage},
    {"TButton6", PrintPanel, 1, u"打印预览", u"预览打印后的效果", "Preview", &MMenu::HideMenu,
     &MMenu::BefoPrint},
};

} // namespace

MMenu::~MMenu()
{
    HoverTracker::stopTrackingWithin(this);
}

MMenu::MMenu(QWidget *parent)
    : QWidget(parent)
    , m_column(createBox(this, QStringLiteral("Picture1"), Qt::white))
    , m_strip(createBox(this, QStringLiteral("Picture2"), MenuColors::PanelBackground))
    , m_description(new CaptionLabel(m_strip))
    , m_autoHide(new AutoHide(this))
{
    setFixedSize(Twips::toPixels(Size));
    setAutoFillBackground(true);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, MenuColors::PanelBackground);
    setPalette(ground);

    createFrame();
    createCommands();
    createOptions();
    createBottomBar();
    clipToRoundedRect();
    connect(m_autoHide, &AutoHide::pointerOutside, this, [this] {
        Q_EMIT HideMenu();
        setDescription(QString());
    });
}

void MMenu::setPointerSource(std::function<QPoint()> source)
{
    m_autoHide->setPointerSource(std::move(source));
}

void MMenu::createFrame()
{
    struct Piece
    {
        const char *name;
        bool stretched;
    };
    const Piece pieces[] = {{"TLeft", false}, {"Tmain", true},  {"TRight", false},
                            {"MLeft", true},  {"MRight", true}, {"LDown", false},
                            {"MDown", true},  {"RDown", false}};
    std::array<QRectF, 8> at; // twips, in the order above
    std::array<QLabel *, 8> labels;
    for (size_t i = 0; i < labels.size(); ++i) {
        const QString name = QString::fromLatin1(pieces[i].name);
        auto *piece = new QLabel(this);
        piece->setObjectName(name);
        const QPixmap picture = image(name);
        piece->setPixmap(picture);
        piece->setScaledContents(pieces[i].stretched);
        labels[i] = piece;
        at[i] = QRectF(QPointF(), Twips::fromPixels(picture.size()));
    }
    enum
    {
        TLeft,
        Tmain,
        TRight,
        MLeft,
        MRight,
        LDown,
        MDown,
        RDown
    };
    const double width = Size.width();
    const double height = Size.height();
    at[Tmain] = QRectF(at[TLeft].width(), 0, width, at[Tmain].height());
    at[TRight].moveTopLeft({width - at[MRight].width() - FrameInset, 0});
    at[MLeft] = QRectF(0, at[TLeft].height(), at[MLeft].width(), height - at[TLeft].height());
    at[MRight] = QRectF(width - at[MRight].width() - FrameInset, at[TRight].height(),
                        at[MRight].width(), at[MLeft].height());
    at[LDown].moveTopLeft({0, height - at[LDown].height() - FrameInset});
    at[MDown] = QRectF(at[LDown].width(), height - at[MDown].height() - FrameInset,
                       width - at[LDown].width(), at[MDown].height());
    at[RDown].moveTopLeft(
        {width - at[RDown].width() - FrameInset, height - at[RDown].height() - FrameInset});
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i]->setGeometry(Twips::toPixels(at[i]));
}

void MMenu::createCommands()
{
    const QSize leftEdge = findChild<QLabel *>(QStringLiteral("MLeft"))->size();
    const QSize topLeft = findChild<QLabel *>(QStringLiteral("TLeft"))->size();
    const double columnLeft = Twips::fromPixels(leftEdge.width());
    const double columnTop = Twips::fromPixels(topLeft.height());
    place(m_column, columnLeft, columnTop, 1905, ColumnHeight);
    place(createBox(this, QStringLiteral("Line1"), QColor(197, 197, 197)), 2010, columnTop,
          Twips::PerPixel, ColumnHeight);

    place(m_strip, StripLeft, columnTop, StripSize.width(), StripSize.height());
    m_description->setObjectName(QStringLiteral("Label1"));
    m_description->setBackgroundColor(MenuColors::PanelBackground);
    m_description->setTextColor(MenuColors::PanelText);
    m_description->move(Twips::toPixels(360, 120));
    m_description->setText(QString());
    place(createBox(m_strip, QStringLiteral("Line2"), QColor(216, 216, 216)), 15,
          StripSize.height() - 15, StripSize.width() - 45, Twips::PerPixel);

    for (size_t i = 0; i < m_commands.size(); ++i) {
        const Command &command = Commands[i];
        auto *button = new MMenuButton(m_column);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setCaption(QString::fromUtf16(command.caption));
        button->setMore(command.more);
        const QString icon = QString::fromLatin1(command.icon);
        button->SetIcon(image(icon + QLatin1Char('1')), image(icon + QLatin1Char('2')));
        button->move(0, static_cast<int>(i) * button->height());
        m_commands[i] = button;
    }
}

void MMenu::createOptions()
{
    const QRect strip = m_strip->geometry();
    for (size_t i = 0; i < m_subPanels.size(); ++i) {
        PictureBox *panel =
            createBox(this, QStringLiteral("Picture%1").arg(i + 3), MenuColors::PanelBackground);
        place(panel, Twips::fromPixels(strip.left()) + 40,
              Twips::fromPixels(strip.top() + strip.height()) + 30, OptionSize.width(),
              2 * OptionSize.height());
        panel->hide();
        m_subPanels[i] = panel;
    }
    for (size_t i = 0; i < m_options.size(); ++i) {
        const Option &option = Options[i];
        auto *button = new TButton(m_subPanels[option.subPanel]);
        button->setObjectName(QString::fromLatin1(option.name));
        button->setTName(QString::fromUtf16(option.title));
        button->setTHelp(QString::fromUtf16(option.help));
        const QString icon = QString::fromLatin1(option.icon);
        button->SetIcon(image(icon + QLatin1Char('1')), image(icon + QLatin1Char('2')));
        button->move(Twips::toPixels(0, option.place * OptionSize.height()));
        connect(button, &TButton::MouseDown, this, [this, option](Qt::MouseButton pressed) {
            if (pressed != Qt::LeftButton)
                return;
            Q_EMIT(this->*option.first)();
            Q_EMIT(this->*option.second)();
        });
        m_options[i] = button;
    }
    for (size_t i = 0; i < m_commands.size(); ++i) {
        const Command &command = Commands[i];
        PictureBox *panel = command.subPanel == NoPanel ? nullptr : m_subPanels[command.subPanel];
        connect(m_commands[i], &MMenuButton::MouseMove, this,
                [this, panel, description = QString::fromUtf16(command.description)] {
                    describe(description, panel);
                });
    }
    connect(m_commands[2], &MMenuButton::MouseDown, this, [this](Qt::MouseButton pressed) {
        if (pressed != Qt::LeftButton)
            return;
        Q_EMIT HideMenu();
        Q_EMIT SaveFile();
    });
}

void MMenu::createBottomBar()
{
    // The option button acts on the press, the close button on a release inside; neither
    // has a pressed picture.
    const QPixmap optionLit = image(QStringLiteral("X2"));
    auto *option = new SkinFace({image(QStringLiteral("X1")), optionLit, optionLit}, this);
    option->setObjectName(QStringLiteral("XBt"));
    // The bar shows through the rounded corners.
    option->setBackgroundColor(Qt::transparent);
    option->tracker()->setMode(HoverTracker::Mode::Highlight);
    option->move(Twips::toPixels(3330, BarTop));
    connect(option->tracker(), &HoverTracker::pressed, this, [this](Qt::MouseButton pressed) {
        if (pressed == Qt::LeftButton)
            Q_EMIT OptionClick();
    });

    const QPixmap closeLit = image(QStringLiteral("C2"));
    auto *close = new SkinFace({image(QStringLiteral("C1")), closeLit, closeLit}, this);
    close->setObjectName(QStringLiteral("cBt"));
    close->setBackgroundColor(Qt::transparent);
    close->move(Twips::toPixels(5295, BarTop));
    connect(close, &SkinFace::clicked, this, &MMenu::CloseClick);
}

void MMenu::clipToRoundedRect()
{
    // Whole pixels, as a window region is measured: 468 x 449 for 7025 x 6745 twips.
    const QSize clip = Twips::toWholePixels(Size);
    const int r = CornerPixels / 2;
    QRegion region(r, 0, clip.width() - 2 * r, clip.height());
    region += QRegion(0, r, clip.width(), clip.height() - 2 * r);
    for (const QPoint corner : {QPoint(0, 0), QPoint(clip.width() - CornerPixels, 0),
                                QPoint(0, clip.height() - CornerPixels),
                                QPoint(clip.width() - CornerPixels, clip.height() - CornerPixels)})
        region += QRegion(QRect(corner, QSize(CornerPixels, CornerPixels)), QRegion::Ellipse);
    setMask(region);
}

void MMenu::describe(const QString &description, PictureBox *subPanel)
{
    for (PictureBox *panel : m_subPanels) {
        if (panel != subPanel)
            setShown(panel, false);
    }
    setDescription(description);
    if (subPanel)
        setShown(subPanel, true);
}

void MMenu::setDescription(const QString &description)
{
    if (m_description->text() != description)
        m_description->setText(description);
}

void MMenu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A pop-up is drawn over the controls beside it.
    raise();
    setDescription(QString());
    for (PictureBox *panel : m_subPanels)
        setShown(panel, false);
    for (MMenuButton *button : m_commands)
        button->ClearBg();
    for (TButton *button : m_options)
        button->setdefskin();
}

void MMenu::mousePressEvent(QMouseEvent *event)
{
    // Presses on the frame pieces come here too: only the bare background asks to hide.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        Q_EMIT HideMenu();
    event->accept();
}

#include "frmabout.h"

#include "button.h"
#include "dialogface.h"
#include "placement.h"
#include "twips.h"
#include "versiontext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace {

const QColor TextColor(64, 64, 64);
// Between a label and the one that follows it on the same line.
constexpr double LabelGap = 90;

// The company field of the build's version information.
const QString Company = QStringLiteral("Quillet 开发组");

} // namespace

frmAbout::frmAbout(const QString &userName)
    : QWidget(nullptr, UnownedDialogFlags)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("关于"));
    layDialogFace(this, QSizeF(Width, Height), QPointF(240, 240));

    // The shadow first, so that the name is drawn over it.
    QFont title;
    title.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"),
                       QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    title.setPointSizeF(26.25);
    for (const auto &[name, left, top, color] :
         {std::tuple{QStringLiteral("Label2"), 1095, 335, QColor(192, 192, 192)},
          std::tuple{QStringLiteral("Label1"), 1080, 240, TextColor}}) {
        QLabel *label = addLabel(name, QStringLiteral("Quillet"), left, top);
        label->setAutoFillBackground(false);
        label->setFont(title);
        label->adjustSize();
        setTextColor(label, color);
    }

    addLabel(QStringLiteral("Label3"), QStringLiteral("版本:"), 480, 1440);
    addLabel(QStringLiteral("Label4"), shownVersion(QStringLiteral(QUILLET_FILE_VERSION)), 1080,
             1440);
    addLabel(QStringLiteral("Label6"), QStringLiteral("设计与编写: Quillet 开发组"), 480, 1800);
    addLabel(QStringLiteral("Label7"),
             QStringLiteral("本软件可免费使用和分发，使用风险由用户自负。"), 480, 2160);
    const QLabel *address =
        addLabel(QStringLiteral("Label8"), QStringLiteral("E-mail: ") + ContactAddress, 480, 2640);
    // The link and the note follow the address, however long it is, never over it.
    const auto after = [](const QLabel *label, double least) {
        return std::max(least, Twips::fromPixels(label->geometry().right() + 1) + LabelGap);
    };
    m_copyLink =
        addLabel(QStringLiteral("Label10"), QStringLiteral("<-复制"), after(address, 2640), 2640);
    m_copyLink->setCursor(Qt::PointingHandCursor);
    m_copyLink->installEventFilter(this);
    m_copied = addLabel(QStringLiteral("Label11"), QStringLiteral("E-mail地址已复制!"),
                        after(m_copyLink, 3600), 2620);
    setTextColor(m_copied, QColor(0, 128, 0));
    m_copied->hide();
    addLabel(QStringLiteral("Label9"), userLine(userName), 480, 3120);
    addLabel(QStringLiteral("Label5"), QStringLiteral("版权所有 © ") + Company, 120, 3840);

    auto *ok = new Button(this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setCaption(QStringLiteral("确定"));
    ok->move(Twips::toPixels(4560, 3720));
    connect(ok, &Button::Click, this, &QWidget::close);
}

QString frmAbout::userLine(const QString &userName)
{
    return QStringLiteral("授权给: ") +
           (userName.isEmpty() ? QStringLiteral("未知用户名") : userName);
}

QLabel *frmAbout::addLabel(const QString &name, const QString &text, double left, double top)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    setTextColor(label, TextColor);
    label->move(Twips::toPixels(left, top));
    label->adjustSize();
    return label;
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_copyLink && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        QGuiApplication::clipboard()->setText(ContactAddress);
        m_copied->show();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

AboutBox::AboutBox(UserNameQuery userName, QObject *parent)
    : QObject(parent)
    , m_userName(std::move(userName))
{}

void AboutBox::show(const QWidget *mainWindow)
{
    if (!m_dialog) {
        m_dialog = new frmAbout(m_userName());
        // A window the window system knows has its frame counted in its outer size.
        m_dialog->winId();
        const QRectF main = Twips::fromPixels(mainWindow->frameGeometry());
        const QSizeF outer = Twips::fromPixels(m_dialog->frameGeometry().size());
        placeAgainst(m_dialog,
                     QPointF(main.left() + (main.width() - outer.width()) / 2,
                             main.top() + (main.height() - outer.height()) / 2),
                     mainWindow);
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

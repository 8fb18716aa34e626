#include "frmopen.h"

#include "button.h"
#include "dialogface.h"
#include "editbox.h"
#include "placement.h"
#include "twips.h"
#include "typedaddress.h"
#include "wbcontrol.h"

#include <QFileDialog>
#include <QLabel>

frmOpen::frmOpen(const QString &caption, QWidget *mainWindow, WBControl *browser,
                 FileQuestion askForFile)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint)
    , m_browser(browser)
    , m_askForFile(std::move(askForFile))
{
    setWindowTitle(caption);
    setModal(true);
    layDialogFace(this, QSizeF(Width, Height), QPointF(120, 120));

    auto *prompt =
        new QLabel(QStringLiteral("请输入文档或网络上的URL地址，Quillet将为您打开:"), this);
    prompt->setObjectName(QStringLiteral("Label1"));
    prompt->move(Twips::toPixels(960, 240));
    prompt->adjustSize();

    Button *ok = addButton(QStringLiteral("Button1"), QStringLiteral("确定"), 4440, 1440);
    Button *cancel = addButton(QStringLiteral("Button2"), QStringLiteral("取消"), 5760, 1440);
    m_address = new EditBox(this);
    m_address->setObjectName(QStringLiteral("EditBox1"));
    m_address->setGeometryTwips(960, 720, 4695, EditBox::FixedHeight);
    Button *browseButton = addButton(QStringLiteral("Button3"), QStringLiteral("浏览"), 5760, 720);
    // Qt orders only widgets that take the focus themselves, and the skinned controls
    // hand it on to their faces.
    setTabOrder(m_address->focusProxy(), browseButton->focusProxy());
    setTabOrder(browseButton->focusProxy(), ok->focusProxy());
    setTabOrder(ok->focusProxy(), cancel->focusProxy());

    m_error = new QLabel(QStringLiteral("您没有输入正确的文档路径或URL!"), this);
    m_error->setObjectName(QStringLiteral("Label2"));
    QFont bold;
    bold.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")});
    bold.setPointSize(9);
    bold.setBold(true);
    m_error->setFont(bold);
    setTextColor(m_error, QColor(255, 0, 0));
    m_error->move(Twips::toPixels(960, 1200));
    m_error->adjustSize();
    m_error->hide();

    connect(ok, &Button::Click, this, &frmOpen::confirm);
    connect(cancel, &Button::Click, this, &QDialog::reject);
    connect(browseButton, &Button::Click, this, &frmOpen::browse);
    connect(m_address, &EditBox::KeyPress, this, [this](char16_t &keyAscii) {
        if (keyAscii == u'\r') {
            keyAscii = 0;
            confirm();
        }
    });
    connect(m_address, &EditBox::Chang, m_error, &QWidget::hide);

    // A window the window system knows has its frame counted in its outer size.
    winId();
    const QPointF corner = Twips::fromPixels(mainWindow->frameGeometry()).topLeft();
    placeAgainst(this, corner + QPointF(600, 1080), mainWindow);
    ok->setFocus();
}

void frmOpen::run(const QString &caption, QWidget *mainWindow, WBControl *browser,
                  FileQuestion askForFile)
{
    frmOpen dialog(caption, mainWindow, browser, std::move(askForFile));
    dialog.exec();
}

QString frmOpen::askWithFileDialog(QWidget *owner, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
}

Button *frmOpen::addButton(const QString &name, const QString &caption, double left, double top)
{
    auto *button = new Button(this);
    button->setObjectName(name);
    button->setCaption(caption);
    button->move(Twips::toPixels(left, top));
    return button;
}

void frmOpen::confirm()
{
    const QString typed = m_address->Text();
    // Spaces alone name nothing the engine could load; they get the same answer as
    // an empty box rather than a blank tab.
    if (typed.trimmed().isEmpty()) {
        m_error->show();
        return;
    }
    const QString address = TypedAddress::completed(typed);
    if (windowTitle() == OpenCaption) {
        m_browser->OpenURL(address);
        accept();
    } else if (windowTitle() == NewTabCaption) {
        m_browser->NewWindow(address, false);
        accept();
    }
}

void frmOpen::browse()
{
    const QString path =
        m_askForFile(this, OpenCaption, QStringLiteral("HTML文件 (*.htm *.html *.mht)"));
    if (!path.isEmpty())
        m_address->setText(path);
}

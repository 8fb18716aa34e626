#include "form1.h"

#include "browserengine.h"
#include "statbar.h"
#include "twips.h"
#include "wbcontrol.h"

#include <QEvent>
#include <QScreen>
#include <QStyle>

#include <optional>

namespace {

constexpr double ScreenShare = 0.9;
constexpr qint32 FullProgress = 10000;

// The percentage to show for a browser's progress report, if any. The scale is fixed at
// 10000 for a full page whatever maximum the browser reports; a maximum of 0 means there
// is nothing to show. Halves go to the even neighbour.
std::optional<qint32> progressPercentage(qint32 progress, qint32 progressMax)
{
    if (progressMax == 0 || progress <= 0 || progress >= FullProgress)
        return std::nullopt;
    const qint32 whole = progress / 100;
    const qint32 rest = progress % 100;
    const bool roundUp = rest > 50 || (rest == 50 && whole % 2 == 1);
    return roundUp ? whole + 1 : whole;
}

} // namespace

Form1::Form1(std::unique_ptr<BrowserEngineFactory> engines, QWidget *parent)
    : QWidget(parent)
    , m_wbControl(new WBControl(std::move(engines), this))
    , m_statBar(new StatBar(this))
{
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(QIcon(QStringLiteral(":/mainwindow/images/quillet.png")));
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    resize(Twips::toPixels(QSizeF(11085, 8715)));

    m_wbControl->setObjectName(QStringLiteral("WBControl1"));
    m_wbControl->setGeometryTwips(0, 840, 7335, 4455);
    m_statBar->setObjectName(QStringLiteral("StatBar1"));
    m_statBar->setGeometryTwips(QRectF(0, 8280, 9735, 360));

    connect(m_wbControl, &WBControl::BeforeNavigate2, this, &Form1::onBeforeNavigate2);
    connect(m_wbControl, &WBControl::ProgressChange, this, &Form1::onProgressChange);
    connect(m_wbControl, &WBControl::DownloadComplete, this, &Form1::onDownloadComplete);

    fitToScreen();
}

Form1::~Form1() = default;

void Form1::fitToScreen()
{
    const QRect screen = this->screen()->geometry();
    const QSize outer(qRound(screen.width() * ScreenShare), qRound(screen.height() * ScreenShare));
    const QSize frame = frameGeometry().size() - size();
    resize(outer - frame);
    move(screen.center() - QRect(QPoint(), outer).center());
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The frame's size is known only once the window is on screen.
    if (!m_fittedWithFrame && frameGeometry().size() != size()) {
        m_fittedWithFrame = true;
        fitToScreen();
    }
}

void Form1::resizeEvent(QResizeEvent *)
{
    layOut();
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layOut();
}

void Form1::layOut()
{
    if (isMinimized())
        return;
    const QRectF client = Twips::fromPixels(rect());
    const QRectF browser = Twips::fromPixels(m_wbControl->geometry());
    const QRectF status = m_statBar->geometryTwips();
    // A window too short for the browser leaves the browser's height as it was.
    const double fittedHeight = client.height() - browser.top() - status.height();
    m_wbControl->setGeometryTwips(browser.left(), browser.top(), client.width(),
                                  fittedHeight >= 0 ? fittedHeight : browser.height());
    // The status bar stays along the bottom, however short the window.
    m_statBar->setGeometryTwips(QRectF(status.left(), client.height() - status.height(),
                                       Twips::fromPixels(m_wbControl->width()), status.height()));
}

// The tab a browser event comes from does not matter: the status bar shows the latest.
void Form1::onBeforeNavigate2(qint16, const QString &URL)
{
    m_statBar->setLinkInfo(QStringLiteral("正在打开: ") + URL);
}

void Form1::onProgressChange(qint16, qint32 Progress, qint32 ProgressMax)
{
    if (const std::optional<qint32> percent = progressPercentage(Progress, ProgressMax))
        m_statBar->setValue(*percent);
}

void Form1::onDownloadComplete(qint16)
{
    m_statBar->setLinkInfo(QStringLiteral("就绪"));
    m_statBar->setValue(100);
}

#include "quilletwindow.h"

#include "twips.h"

#include <QFile>
#include <QPainter>

namespace {

// Places in twips, in the main window's client area unless said otherwise.
constexpr double BarLeft = 120;
constexpr double BarTop = 120;
constexpr double BarMiddle = 165;
constexpr double BrowserTop = 840;
constexpr double PageTop = BrowserTop + 480;
constexpr double FirstFaceLeft = 60;
constexpr double FaceWidth = 2700;
// In the face: the close button's left and top, and its size.
constexpr QRectF CloseButton(2415, 105, 225, 210);
// In the bar: where the URL box frame starts, and the text box inside it.
constexpr double UrlFrameLeft = 1550;
constexpr double TextLeft = 300;
// In the bar, from the URL frame's right edge to the search frame: the refresh and stop
// buttons with their gaps, and the search box's own left margin.
constexpr double UrlFrameToSearchText = 30 + 330 + 15 + 330 + 60 + 60;
constexpr double SelectorWidth = 195;
constexpr double SearchButtonWidth = 330;
// In the engine menu: its width, the first row's top, a row's height, and the check
// mark's left and size within the menu.
constexpr double MenuWidth = 2325;
constexpr double FirstRowTop = 45;
constexpr double RowHeight = 330;
constexpr double CheckLeft = 1980;
constexpr double CheckSize = 300;

// The menu bar: its buttons' lefts, their top and size; a bar menu's top border lies
// over its button's bottom edge.
constexpr double BarButtonLefts[] = {60, 930, 1800, 2670};
constexpr double BarButtonTop = 520;
constexpr QSizeF BarButton(870, 270);
constexpr double BarMenuTop = BarButtonTop + 270 - 15;
// The main-menu panel, 30 below the address bar: its command column and the large
// buttons in it, and its sub-panels with their two options.
constexpr double PanelTop = BarTop + 330 + 30;
constexpr QPointF PanelColumn(90, 270);
constexpr QSizeF PanelCommand(1905, 660);
constexpr QPointF PanelSubPanel(2065, 735);
constexpr QSizeF PanelOption(4815, 975);

QImage skin(const char *path)
{
    return QImage(QStringLiteral(QUILLET_SOURCE_DIR "/") + QLatin1String(path))
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

QuilletWindow::QuilletWindow(const QString &binary, quint16 proxyPort)
    : m_process(E2E::startProgram(binary, proxyPort, {}, {}, m_logDir.filePath("stderr")))
    , m_window(E2E::TopLevel::find(QStringLiteral("Quillet"), m_process->pid()))
    , m_faces{skin("tabbrowser/images/T0.png"), skin("tabbrowser/images/T1.png"),
              skin("tabbrowser/images/T2.png")}
    , m_closeButtons{skin("tabbrowser/images/tc0.png"), skin("tabbrowser/images/tc1.png")}
    , m_check(skin("menus/images/check.png"))
{}

bool QuilletWindow::isFitted() const
{
    const QRect screen(QPoint(), E2E::ScreenSize);
    const QRect outer = m_window.outerGeometry();
    return outer.size() == QSize(qRound(screen.width() * 0.9), qRound(screen.height() * 0.9)) &&
           qAbs(outer.center().x() - screen.center().x()) <= 1 &&
           qAbs(outer.center().y() - screen.center().y()) <= 1;
}

QPoint QuilletWindow::at(double left, double top) const
{
    return m_window.atTwips(left, top);
}

QRect QuilletWindow::face(int position) const
{
    return QRect(at(FirstFaceLeft + FaceWidth * position, BrowserTop), m_faces[0].size());
}

QPoint QuilletWindow::closeButton(int position) const
{
    return at(FirstFaceLeft + FaceWidth * position + CloseButton.center().x(),
              BrowserTop + CloseButton.center().y());
}

double QuilletWindow::barWidth() const
{
    return Twips::fromPixels(m_window.outerGeometry().width()) - BarLeft - 240;
}

QPoint QuilletWindow::inBar(double left, double top) const
{
    return at(BarLeft + left, BarTop + top);
}

QPoint QuilletWindow::barButton(int bar) const
{
    return at(BarButtonLefts[bar] + BarButton.width() / 2, BarButtonTop + BarButton.height() / 2);
}

QPoint QuilletWindow::barMenuRow(int bar, int row) const
{
    return at(BarButtonLefts[bar] + MenuWidth / 2,
              BarMenuTop + FirstRowTop + RowHeight * row + RowHeight / 2);
}

QPoint QuilletWindow::menuButton() const
{
    return inBar(165, 165);
}

QPoint QuilletWindow::panelCommand(int index) const
{
    return at(BarLeft + PanelColumn.x() + PanelCommand.width() / 2,
              PanelTop + PanelColumn.y() + PanelCommand.height() * (index + 0.5));
}

QPoint QuilletWindow::panelOption(int place) const
{
    return at(BarLeft + PanelSubPanel.x() + PanelOption.width() / 2,
              PanelTop + PanelSubPanel.y() + PanelOption.height() * (place + 0.5));
}

QString QuilletWindow::errors() const
{
    QFile log(m_logDir.filePath(QStringLiteral("stderr")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

QPoint QuilletWindow::urlBox() const
{
    return inBar(UrlFrameLeft + TextLeft + 300, BarMiddle);
}

QPoint QuilletWindow::searchBox() const
{
    return inBar(UrlFrameLeft + barWidth() * 0.5 + UrlFrameToSearchText + 300, BarMiddle);
}

QPoint QuilletWindow::searchButton() const
{
    return inBar(barWidth() - SelectorWidth - SearchButtonWidth / 2, BarMiddle);
}

QPoint QuilletWindow::engineSelector() const
{
    return inBar(barWidth() - SelectorWidth / 2, BarMiddle);
}

QPoint QuilletWindow::page() const
{
    return at(1500, PageTop + 1500);
}

QPoint QuilletWindow::engineRow(int row) const
{
    return checkMark(row).center() - QPoint(Twips::toPixels(CheckLeft / 2), 0);
}

QRect QuilletWindow::checkMark(int row) const
{
    // The menu hangs with its top-right corner at the press point taken as window
    // coordinates although it is the bar's, so it sits one bar offset up and left.
    const QPoint press = engineSelector() - at(BarLeft, BarTop);
    const QPoint menu = press - QPoint(Twips::toPixels(MenuWidth), 0) + at(0, 0);
    return QRect(menu + Twips::toPixels(CheckLeft, FirstRowTop + RowHeight * row),
                 Twips::toPixels(QSizeF(CheckSize, CheckSize)));
}

QuilletWindow::Face QuilletWindow::faceLook(const QImage &shot, int position) const
{
    // The face's top rows: no title, icon or close button reaches there.
    const QRect band(0, 0, m_faces[0].width(), 4);
    for (size_t look = 0; look < m_faces.size(); ++look) {
        if (E2E::shows(shot, face(position).topLeft(), m_faces[look], band))
            return static_cast<Face>(look);
    }
    return Face::None;
}

bool QuilletWindow::showsCheckMark(const QImage &shot, int row) const
{
    return E2E::shows(shot, checkMark(row).topLeft(), m_check);
}

bool QuilletWindow::showsCloseButton(const QImage &shot, int position) const
{
    // The button's pictures are partly transparent: what shows is each of them on the
    // selected face.
    const QPoint offset = Twips::toPixels(CloseButton.left(), CloseButton.top());
    for (const QImage &button : m_closeButtons) {
        QImage onFace = m_faces[0].copy(QRect(offset, button.size()));
        QPainter(&onFace).drawImage(0, 0, button);
        if (E2E::shows(shot, face(position).topLeft() + offset, onFace))
            return true;
    }
    return false;
}

QColor QuilletWindow::pageColour(const QImage &shot) const
{
    const QPoint point = page();
    return shot.rect().contains(point) ? shot.pixelColor(point) : QColor();
}

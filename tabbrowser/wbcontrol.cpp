#include "wbcontrol.h"

#include "browserengine.h"
#include "findbar.h"
#include "hovertracker.h"
#include "picturebox.h"
#include "picturedrophandler.h"
#include "sourceviewer.h"
#include "tabdroptarget.h"
#include "texteditorlauncher.h"
#include "twips.h"
#include "usermessage.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QShortcut>

#include <limits>
#include <optional>

namespace {

// Strip geometry, in twips.
constexpr double TabPitch = 2700;
constexpr double FirstFaceLeft = 60;
constexpr double PageTop = 480;
constexpr double MinimumLayoutHeight = 600;
constexpr double BrowserOverhang = 20;
constexpr double IconLeft = 60;
constexpr double IconSize = 255;
constexpr double FirstIconDrop = 20;
constexpr double CloseButtonMargin = 60;
constexpr double TitleRoom = 600;
constexpr qsizetype ShortTitleLength = 10;
constexpr double LineTops[] = {405, 420, 435, 450, 465};
const QColor OuterLineColor(136, 167, 211);
const QColor InnerLineColor(214, 229, 251);

QString blankPageTitle()
{
    return QStringLiteral("空白页");
}

bool isBlankAddress(const QString &url)
{
    return url.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0;
}

// The first `count` characters, never splitting a surrogate pair.
QString firstCharacters(const QString &text, qsizetype count)
{
    qsizetype end = 0;
    for (qsizetype taken = 0; taken < count && end < text.size(); ++taken)
        end += text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    return text.left(end);
}

double widthOf(const QWidget *widget)
{
    return Twips::fromPixels(widget->width());
}

double heightOf(const QWidget *widget)
{
    return Twips::fromPixels(widget->height());
}

} // namespace

struct WBControl::Skin
{
    QPixmap selected{QStringLiteral(":/tabbrowser/images/T0.png")};
    QPixmap unselected{QStringLiteral(":/tabbrowser/images/T1.png")};
    QPixmap hovered{QStringLiteral(":/tabbrowser/images/T2.png")};
    QPixmap closeNormal{QStringLiteral(":/tabbrowser/images/tc0.png")};
    QPixmap closeHover{QStringLiteral(":/tabbrowser/images/tc1.png")};
    QPixmap closePressed{QStringLiteral(":/tabbrowser/images/tc2.png")};
    QPixmap pageIcon{QStringLiteral(":/tabbrowser/images/Icon1.png")};
};

struct WBControl::Slot
{
    PictureBox *face = nullptr;
    QLabel *title = nullptr;
    QLabel *icon = nullptr;
    PictureBox *closeButton = nullptr;
    HoverTracker *faceHover = nullptr;
    QWidget *container = nullptr;
    // The browser's margins are no whole number of pixels: the container keeps its twips.
    std::optional<TwipsGeometry> containerGeometry;
    std::unique_ptr<BrowserEngine> browser;
};

WBControl::WBControl(std::unique_ptr<BrowserEngineFactory> engines, QWidget *parent)
    : QWidget(parent)
    , m_engines(std::move(engines))
    , m_skin(std::make_unique<const Skin>())
    , m_sourceViewer(new SourceViewer(this))
{
    Slot &first = createSlot();
    first.face->setPicture(m_skin->selected);
    first.faceHover->setTracking(false);
    moveFace(0, FirstFaceLeft);
    first.title->setText(QStringLiteral("MTabBox"));
    first.title->adjustSize();
    centreTitle(0);
    first.icon->move(
        Twips::toPixels(IconLeft, (heightOf(first.face) - IconSize) / 2 + FirstIconDrop));
    first.closeButton->hide();
    first.container->show();
    setFocusProxy(first.browser->widget());
    first.browser->GoHome();
    // The engine has no find window of its own; the page's Ctrl+F opens ours.
    new QShortcut(QKeySequence::Find, this, this, &WBControl::Find, Qt::WidgetWithChildrenShortcut);
}

WBControl::~WBControl()
{
    HoverTracker::stopTrackingWithin(this);
    // As the pages go, the engine answers their unfinished scripts with nothing. For a
    // view of the source asked for meanwhile that is no page without a body: with the
    // viewer gone first, nothing is told.
    delete m_sourceViewer;
    // Browsers hold the engine's pages, which must go before the engine factory does.
    m_slots.clear();
}

WBControl::Slot &WBControl::createSlot()
{
    const auto index = static_cast<qint16>(m_slots.size());
    auto &created = m_slots.emplace_back(std::make_unique<Slot>());
    Slot &s = *created;
    const QString number = QString::number(index);

    s.face = new PictureBox(this);
    s.face->setObjectName(QStringLiteral("MTab") + number);
    s.face->setPicture(m_skin->selected);
    // The face lights under the pointer and selects its tab on a press; pressing and
    // releasing give it no look of their own.
    s.faceHover = new HoverTracker(s.face, HoverTracker::Mode::Highlight);
    connect(s.faceHover, &HoverTracker::lookWanted, this, [this, index](HoverTracker::Look look) {
        slot(index).face->setPicture(look == HoverTracker::Look::Normal ? m_skin->unselected
                                                                        : m_skin->hovered);
    });
    connect(s.faceHover, &HoverTracker::pressed, this, [this, index](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            selectTab(index);
    });
    auto *drops = new TabDropTarget(s.face, [this] { return m_pictureDropHandler != nullptr; });
    connect(drops, &TabDropTarget::addressDropped, this,
            [this, index](const QString &address) { onAddressDropped(index, address); });
    connect(drops, &TabDropTarget::pictureDropped, this,
            [this](const QByteArray &encoded) { m_pictureDropHandler->showPicture(encoded); });

    // Title and icon let the pointer through to the face beneath them.
    s.title = new QLabel(s.face);
    s.title->setObjectName(QStringLiteral("Tstr") + number);
    s.title->setTextFormat(Qt::PlainText);
    s.title->setAttribute(Qt::WA_TransparentForMouseEvents);

    s.icon = new QLabel(s.face);
    s.icon->setObjectName(QStringLiteral("TIcon") + number);
    s.icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    s.icon->setPixmap(m_skin->pageIcon);
    s.icon->setAlignment(Qt::AlignCenter);
    s.icon->resize(Twips::toPixels(QSizeF(IconSize, IconSize)));
    s.icon->move(Twips::toPixels(IconLeft, (heightOf(s.face) - IconSize) / 2));

    s.closeButton = new PictureBox(s.face);
    s.closeButton->setObjectName(QStringLiteral("Tcbt") + number);
    s.closeButton->setPicture(m_skin->closeNormal);
    s.closeButton->move(
        Twips::toPixels(widthOf(s.face) - widthOf(s.closeButton) - CloseButtonMargin,
                        (heightOf(s.face) - heightOf(s.closeButton)) / 2));
    auto *closeHover = new HoverTracker(s.closeButton);
    connect(closeHover, &HoverTracker::lookWanted, this, [this, index](HoverTracker::Look look) {
        const Skin &skin = *m_skin;
        const QPixmap &picture = look == HoverTracker::Look::Normal  ? skin.closeNormal
                                 : look == HoverTracker::Look::Hover ? skin.closeHover
                                                                     : skin.closePressed;
        slot(index).closeButton->setPicture(picture);
    });
    connect(closeHover, &HoverTracker::clicked, this, [this, index] { CloseTab(index); });

    s.container = new QWidget(this);
    s.container->setObjectName(QStringLiteral("WBCnt") + number);
    s.container->setAutoFillBackground(true);
    s.container->setPalette(QPalette(Qt::white));
    s.container->hide();
    s.containerGeometry.emplace(s.container);

    s.browser = m_engines->create(s.container);
    connectBrowser(index);

    // Faces stay above the page containers.
    s.face->raise();
    return s;
}

void WBControl::connectBrowser(qint16 index)
{
    BrowserEngine *engine = slot(index).browser.get();
    connect(engine, &BrowserEngine::BeforeNavigate2, this,
            [this, index, engine](const QString &url) {
                engine->setSilent(true);
                Q_EMIT BeforeNavigate2(index, url);
            });
    connect(engine, &BrowserEngine::DownloadBegin, this,
            [this, index, engine] { Q_EMIT DownloadBegin(index, engine->LocationURL()); });
    connect(engine, &BrowserEngine::DownloadComplete, this,
            [this, index] { onDownloadComplete(index); });
    connect(engine, &BrowserEngine::NavigateComplete2, this,
            [this, index](const QString &url) { Q_EMIT NavigateComplete2(index, url); });
    connect(engine, &BrowserEngine::ProgressChange, this,
            [this, index](qint32 progress, qint32 progressMax) {
                Q_EMIT ProgressChange(index, progress, progressMax);
            });
    connect(engine, &BrowserEngine::PropertyChange, this,
            [this, index](const QString &property) { Q_EMIT PropertyChange(index, property); });
    connect(engine, &BrowserEngine::TitleChange, this,
            [this, index](const QString &text) { onTitleChange(index, text); });
    connect(engine, &BrowserEngine::NewWindow2, this,
            [this, index](BrowserEngine *&target, bool &) { onNewWindow2(index, target); });
    connect(engine, &BrowserEngine::WindowClosing, this,
            [this, index](bool, bool &cancel) { onWindowClosing(index, cancel); });
}

BrowserEngine *WBControl::browser(qint16 index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_slots.size())
        return nullptr;
    return slot(index).browser.get();
}

#ifdef TABBROWSER_LUMBRA
void WBControl::NewWindow(const QString &URL)
{
    openTab(true, URL);
}

void WBControl::OpenURL(const QVariant &URL)
{
    const QString text = URL.toString();
    setTitle(m_curTab, text, QString());
    slot(m_curTab).browser->Navigate(text);
}

QString WBControl::Title() const
{
    return slot(m_curTab).browser->LocationName();
}
#else
void WBControl::NewWindow(const QString &URL, bool Blank)
{
    openTab(!Blank, URL);
}

void WBControl::OpenURL(const QString &URL)
{
    setTitle(m_curTab, URL, QString());
    slot(m_curTab).browser->Navigate(URL);
}
#endif

void WBControl::openTab(bool navigate, const QString &URL)
{
    const bool reused = !m_freeList.isEmpty();
    if (!reused && m_slots.size() > static_cast<size_t>(std::numeric_limits<qint16>::max()))
        return;
    qint16 index = 0;
    if (reused) {
        index = m_freeList.first();
        slot(index).closeButton->setPicture(m_skin->closeNormal);
    } else {
        index = static_cast<qint16>(m_slots.size());
        createSlot();
    }
    Slot &s = slot(index);
    const qint16 leftNeighbour = m_openList.isEmpty() ? 0 : m_openList.last();
    moveFace(index, faceLeft(leftNeighbour) + TabPitch);
    s.face->show();

    // Until its page reports a title the tab names what it is about to show.
    setTitle(index, navigate && !isBlankAddress(URL) ? URL : blankPageTitle(), QString());
    if (navigate)
        s.browser->Navigate(URL);

    s.containerGeometry->set(pageArea());
    s.container->show();
    layOutBrowser(index, 2 * BrowserOverhang, 2 * BrowserOverhang);
    s.browser->widget()->show();

    selectTab(index);
    m_openList.append(index);
    if (reused)
        m_freeList.removeFirst();
}

void WBControl::CloseTab(qint16 index)
{
    if (index == 0) {
        // The first tab is permanent: a page there that closes itself leaves it blank.
        slot(0).browser->Navigate(QStringLiteral("About:Blank"));
        return;
    }
    // Only an open tab can be closed; a late request from a closed slot changes nothing.
    if (!m_openList.contains(index))
        return;

    Slot &s = slot(index);
    s.face->hide();
    hidePage(index);
    if (FindBar *bar = findBar(index))
        bar->dismiss();
    s.browser->Navigate(QStringLiteral("About:Blank"));

    if (m_openList.size() == 1) {
        m_openList.clear();
        selectTab(0);
        m_freeList.append(index);
        return;
    }
    if (m_openList.last() == index) {
        m_openList.removeLast();
        selectTab(m_openList.last());
    } else {
        m_openList.removeOne(index);
    }
    m_freeList.append(index);
    layOutStrip();
    selectTab(m_openList.last());
}

void WBControl::selectTab(qint16 index)
{
    if (!browser(index))
        return;
    if (index != m_curTab) {
        Slot &old = slot(m_curTab);
        old.face->setPicture(m_skin->unselected);
        old.faceHover->setTracking(true);
        old.closeButton->hide();
        hidePage(m_curTab);

        Slot &now = slot(index);
        now.face->setPicture(m_skin->selected);
        now.faceHover->setTracking(false);
        now.container->show();
        now.closeButton->setVisible(index != 0);
        now.face->move(now.face->x(), 0);

        m_curTab = index;
        setFocusProxy(now.browser->widget());
        layOutPageArea();
    }
    Q_EMIT SelectTab();
#ifndef TABBROWSER_LUMBRA
    slot(index).browser->widget()->setFocus();
#endif
}

void WBControl::hidePage(qint16 index)
{
    QWidget *container = slot(index).container;
#ifndef TABBROWSER_LUMBRA
    // A selection gives the focus to the selected tab's browser. Letting go of it first
    // spares hide() a search for the next focusable widget through every hidden tab.
    if (QWidget *focused = QApplication::focusWidget(); container->isAncestorOf(focused))
        focused->clearFocus();
#endif
    container->hide();
}

void WBControl::layOutStrip()
{
    double left = faceLeft(0);
    for (const qint16 index : std::as_const(m_openList)) {
        left += TabPitch;
        moveFace(index, left);
    }
}

void WBControl::layOutPageArea()
{
    const QRectF own = m_geometry.get();
    if (own.height() <= MinimumLayoutHeight)
        return;
    m_lineWidth = own.width();
    update();
    slot(m_curTab).containerGeometry->set(pageArea());
    layOutBrowser(m_curTab, 2 * BrowserOverhang, 2 * BrowserOverhang);
}

QRectF WBControl::pageArea() const
{
    const QRectF own = m_geometry.get();
    return {0, PageTop, own.width(), own.height() - PageTop};
}

void WBControl::layOutBrowser(qint16 index, double extraWidth, double extraHeight)
{
    const Slot &s = slot(index);
    const QRectF container = s.containerGeometry->get();
    s.browser->widget()->setGeometry(Twips::toPixels(-BrowserOverhang, -BrowserOverhang,
                                                     container.width() + extraWidth,
                                                     container.height() + extraHeight));
}

void WBControl::setTitle(qint16 index, const QString &text, const QString &suffix)
{
    QLabel *title = slot(index).title;
    title->setText(text);
    title->adjustSize();
    if (widthOf(title) >= widthOf(slot(index).face) - TitleRoom) {
        title->setText(firstCharacters(text, ShortTitleLength) + suffix);
        title->adjustSize();
    }
    centreTitle(index);
}

void WBControl::centreTitle(qint16 index)
{
    const Slot &s = slot(index);
    s.title->move((s.face->width() - s.title->width()) / 2,
                  (s.face->height() - s.title->height()) / 2);
}

double WBControl::faceLeft(qint16 index) const
{
    return Twips::fromPixels(slot(index).face->x());
}

void WBControl::moveFace(qint16 index, double left)
{
    QWidget *face = slot(index).face;
    // Laying the strip out again leaves most faces where they are, and Qt does the work
    // of a move even for a widget that stays put.
    const QPoint position(Twips::toPixels(left), face->y());
    if (face->pos() != position)
        face->move(position);
}

QString WBControl::URL() const
{
    return slot(m_curTab).browser->LocationURL();
}

void WBControl::setURL(const QString &New_URL)
{
    slot(m_curTab).browser->Navigate(New_URL);
}

void WBControl::SaveFile()
{
    slot(m_curTab).browser->ExecWB(BrowserEngine::PageCommand::SaveAs);
}

#ifdef TABBROWSER_LUMBRA
void WBControl::PrintView()
#else
void WBControl::LookPrint()
#endif
{
    slot(m_curTab).browser->ExecWB(BrowserEngine::PageCommand::PrintPreview);
}

void WBControl::PrintPage()
{
    slot(m_curTab).browser->ExecWB(BrowserEngine::PageCommand::Print);
}

void WBControl::Getattribute()
{
    slot(m_curTab).browser->ExecWB(BrowserEngine::PageCommand::Properties);
}

void WBControl::Cut()
{
    slot(m_curTab).browser->ExecWB(BrowserEngine::PageCommand::Cut);
}

void WBControl::Copy()
{
    slot(m_curTab).browser->ExecWB(BrowserEngine::PageCommand::Copy);
}

void WBControl::paste()
{
    slot(m_curTab).browser->ExecWB(BrowserEngine::PageCommand::Paste);
}

void WBControl::SelectAll()
{
    slot(m_curTab).browser->ExecWB(BrowserEngine::PageCommand::SelectAll);
}

void WBControl::GoHome()
{
    slot(m_curTab).browser->GoHome();
}

void WBControl::RefreshPage()
{
    slot(m_curTab).browser->Refresh();
}

void WBControl::StopLink()
{
    slot(m_curTab).browser->Stop();
}

void WBControl::Goback()
{
    slot(m_curTab).browser->GoBack();
}

void WBControl::Goforward()
{
    slot(m_curTab).browser->GoForward();
}

void WBControl::Find()
{
    Slot &s = slot(m_curTab);
    s.browser->widget()->setFocus();
    FindBar *bar = findBar(m_curTab);
    if (!bar)
        bar = new FindBar(s.browser.get(), s.container);
    bar->open();
}

FindBar *WBControl::findBar(qint16 index) const
{
    return slot(index).container->findChild<FindBar *>(QString(), Qt::FindDirectChildrenOnly);
}

void WBControl::GetFile()
{
    BrowserEngine *engine = slot(m_curTab).browser.get();
    if (engine->Busy())
        return;
    // The viewer is the control's: while it is there, so is the control.
    const QPointer<SourceViewer> viewer(m_sourceViewer);
    engine->BodyMarkup([this, viewer, title = engine->LocationName()](const QString &markup) {
        if (!viewer)
            return;
        if (markup.isNull()) {
            warnUser(this, QStringLiteral("源文件"),
                     QStringLiteral("无法显示此网页的源文件。\n该网页没有正文（例如 XML 或 SVG "
                                    "文档），或者没有应答。"));
            return;
        }
        viewer->show(markup, title);
    });
}

void WBControl::setTextEditorLauncher(std::unique_ptr<TextEditorLauncher> launcher)
{
    m_sourceViewer->setLauncher(std::move(launcher));
}

void WBControl::setPictureDropHandler(std::unique_ptr<PictureDropHandler> handler)
{
    m_pictureDropHandler = std::move(handler);
}

void WBControl::setGeometryTwips(double left, double top, double width, double height)
{
    // A change smaller than a pixel brings no resize event; laying out twice is harmless.
    if (m_geometry.set(QRectF(left, top, width, height)))
        layOutPageArea();
}

void WBControl::showPageTitle(qint16 index, const QString &text)
{
    if (text.isEmpty())
        return;
    const bool blank = isBlankAddress(slot(index).browser->LocationURL());
    setTitle(index, blank ? blankPageTitle() : text, QStringLiteral("..."));
}

void WBControl::onAddressDropped(qint16 index, const QString &address)
{
    slot(index).browser->Navigate(address);
    selectTab(index);
}

void WBControl::onTitleChange(qint16 index, const QString &text)
{
    BrowserEngine *engine = slot(index).browser.get();
    showPageTitle(index, text);
    if (!engine->Busy())
        Q_EMIT URLChang(index, engine->LocationURL());
    Q_EMIT TitleChange(index, text);
}

void WBControl::onNewWindow2(qint16 index, BrowserEngine *&target)
{
#ifdef TABBROWSER_LUMBRA
    Q_UNUSED(index);
    NewWindow(QStringLiteral("About:Blank"));
#else
    Q_EMIT NewWindow2(index);
    NewWindow(QStringLiteral("About:Blank"), true);
#endif
    if (m_openList.isEmpty())
        return;
    BrowserEngine *opened = slot(m_openList.last()).browser.get();
    opened->widget()->raise();
    target = opened;
}

void WBControl::onWindowClosing(qint16 index, bool &cancel)
{
    cancel = true;
    CloseTab(index);
}

void WBControl::onDownloadComplete(qint16 index)
{
    // The engine reports no title change when the new page's title equals the old one,
    // which would leave the address OpenURL showed on the tab.
    showPageTitle(index, slot(index).browser->LocationName());
    Q_EMIT DownloadComplete(index);
    layOutBrowser(m_curTab, 45, 20);
}

void WBControl::resizeEvent(QResizeEvent *)
{
    layOutPageArea();
}

void WBControl::paintEvent(QPaintEvent *)
{
    // The lower edge of the strip: five one-pixel lines under the faces.
    QPainter painter(this);
    const int width = Twips::toPixels(m_lineWidth);
    for (size_t i = 0; i < std::size(LineTops); ++i) {
        const bool outer = i == 0 || i + 1 == std::size(LineTops);
        painter.fillRect(0, Twips::toPixels(LineTops[i]), width, 1,
                         outer ? OuterLineColor : InnerLineColor);
    }
}

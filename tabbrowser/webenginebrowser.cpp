#include "webenginebrowser.h"

#include "pageprinter.h"
#include "pageproperties.h"
#include "pagesaver.h"
#include "webengine/builtinpagehandler.h"
#include "webengineenvironment.h"

#include <QCoreApplication>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>
#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr qint32 FullPage = 10000;
// Long enough for the engine to finish tearing a discarded page down.
constexpr int FreedMemoryDelay = 1000;
// How long a page may take to hand over its markup. A page stuck in a script of its
// own never answers.
constexpr int MarkupAnswerTime = 5000;

// Returns the heap memory the process has freed to the system, a moment after the
// last request. glibc keeps freed pages for reuse, and what a discarded page leaves
// behind in the engine's threads is much and scattered; without this the closed tabs'
// memory stays with the process.
void returnFreedMemorySoon()
{
#ifdef __GLIBC__
    static QPointer<QTimer> timer;
    if (!timer) {
        timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        timer->setInterval(FreedMemoryDelay);
        QObject::connect(timer, &QTimer::timeout, [] { malloc_trim(0); });
    }
    timer->start();
#endif
}

// The engine wants lower-case about: addresses; typed ones may be in any case.
QUrl urlFromText(const QString &text)
{
    if (text.startsWith(QLatin1String("about:"), Qt::CaseInsensitive))
        return QUrl(text.toLower());
    return QUrl::fromUserInput(text);
}

} // namespace

class WebEngineBrowser::Page final : public QWebEnginePage
{
public:
    Page(QWebEngineProfile *profile, WebEngineBrowser *browser)
        : QWebEnginePage(profile, browser->m_view)
        , m_browser(browser)
    {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        return m_browser->acceptNavigation(url, isMainFrame);
    }

    QWebEnginePage *createWindow(WebWindowType) override { return m_browser->createWindowFor(); }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int line, const QString &source) override
    {
        if (!m_browser->m_silent)
            QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }

private:
    WebEngineBrowser *m_browser;
};

WebEngineBrowser::WebEngineBrowser(QWebEngineProfile *profile, const QUrl &homePage,
                                   QWidget *container)
    : m_profile(profile)
    , m_homePage(homePage)
    , m_view(new QWebEngineView(container))
    , m_printer(new PagePrinter(m_view))
{
    setPage(new Page(m_profile, this));
}

WebEngineBrowser::~WebEngineBrowser()
{
    // The view owns the pages; both must go before the profile does.
    delete m_view;
}

QWidget *WebEngineBrowser::widget() const
{
    return m_view;
}

QWebEnginePage *WebEngineBrowser::page() const
{
    return m_page;
}

void WebEngineBrowser::setPage(Page *page)
{
    if (m_page) {
        m_page->disconnect(this);
        m_page->deleteLater();
    }
    m_page = page;
    m_busy = false;
    m_restoring = false;
    m_view->setPage(page);

    // The engine reloads a discarded page by itself when it is shown again. That reload
    // is no navigation of the tab's: a reused blank tab reports nothing, as before.
    connect(page, &QWebEnginePage::lifecycleStateChanged, this,
            [this](QWebEnginePage::LifecycleState state) {
                m_restoring = state == QWebEnginePage::LifecycleState::Active && !m_operating;
            });
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        if (m_restoring)
            return;
        m_busy = true;
        Q_EMIT DownloadBegin();
    });
    connect(page, &QWebEnginePage::loadProgress, this, [this](int percent) {
        if (!m_restoring)
            Q_EMIT ProgressChange(percent * FullPage / 100, FullPage);
    });
    connect(page, &QWebEnginePage::loadFinished, this, [this] {
        if (m_restoring) {
            m_restoring = false;
            return;
        }
        m_busy = false;
        Q_EMIT DownloadComplete();
        releaseIfClosed();
    });
    connect(page, &QWebEnginePage::titleChanged, this, &BrowserEngine::TitleChange);
    connect(page, &QWebEnginePage::urlChanged, this,
            [this](const QUrl &url) { Q_EMIT NavigateComplete2(url.toString()); });
    connect(page, &QWebEnginePage::windowCloseRequested, this, [this] {
        bool cancel = false;
        Q_EMIT WindowClosing(false, cancel);
    });
}

bool WebEngineBrowser::isClosed() const
{
    return !m_page->isVisible() && m_page->url() == QUrl(QStringLiteral("about:blank"));
}

void WebEngineBrowser::releaseIfClosed()
{
    // Not from inside the engine's own signal: the page is checked again once it is done.
    QTimer::singleShot(0, m_page, [this, page = m_page] {
        if (page == m_page && isClosed() &&
            page->lifecycleState() == QWebEnginePage::LifecycleState::Active) {
            page->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
            returnFreedMemorySoon();
        }
    });
}

bool WebEngineBrowser::acceptNavigation(const QUrl &url, bool isMainFrame)
{
    if (isMainFrame)
        Q_EMIT BeforeNavigate2(url.toString());
    return true;
}

QWebEnginePage *WebEngineBrowser::createWindowFor()
{
    BrowserEngine *target = nullptr;
    bool cancel = false;
    Q_EMIT NewWindow2(target, cancel);
    auto *browser = qobject_cast<WebEngineBrowser *>(target);
    if (!browser || cancel)
        return nullptr;
    return browser->adoptWindow();
}

QWebEnginePage *WebEngineBrowser::adoptWindow()
{
    // The engine can only load a new window into a page that has never loaded
    // anything, so the window gets a page of its own.
    setPage(new Page(m_profile, this));
    return m_page;
}

void WebEngineBrowser::Navigate(const QString &url)
{
    const QScopedValueRollback operating(m_operating, true);
    m_page->load(urlFromText(url));
}

void WebEngineBrowser::GoBack()
{
    const QScopedValueRollback operating(m_operating, true);
    m_page->triggerAction(QWebEnginePage::Back);
}

void WebEngineBrowser::GoForward()
{
    const QScopedValueRollback operating(m_operating, true);
    m_page->triggerAction(QWebEnginePage::Forward);
}

void WebEngineBrowser::GoHome()
{
    const QScopedValueRollback operating(m_operating, true);
    m_page->load(m_homePage);
}

void WebEngineBrowser::Refresh()
{
    const QScopedValueRollback operating(m_operating, true);
    m_page->triggerAction(QWebEnginePage::Reload);
}

void WebEngineBrowser::Stop()
{
    const QScopedValueRollback operating(m_operating, true);
    m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEngineBrowser::ExecWB(PageCommand command)
{
    switch (command) {
    case PageCommand::SaveAs:
        savePageAs(m_page, m_view);
        return;
    case PageCommand::Print:
        m_printer->print();
        return;
    case PageCommand::PrintPreview:
        m_printer->preview();
        return;
    case PageCommand::Properties:
        showProperties();
        return;
    case PageCommand::Cut:
        m_page->triggerAction(QWebEnginePage::Cut);
        return;
    case PageCommand::Copy:
        m_page->triggerAction(QWebEnginePage::Copy);
        return;
    case PageCommand::Paste:
        m_page->triggerAction(QWebEnginePage::Paste);
        return;
    case PageCommand::SelectAll:
        m_page->triggerAction(QWebEnginePage::SelectAll);
        return;
    }
}

void WebEngineBrowser::showProperties()
{
    // The page's own scripts cannot see or disturb what is asked here.
    const QPointer<QWebEnginePage> page(m_page);
    const QPointer<QWebEngineView> view(m_view);
    m_page->runJavaScript(PageProperties::script(), QWebEngineScript::ApplicationWorld,
                          [page, view](const QVariant &answer) {
                              if (!page || !view)
                                  return;
                              auto *dialog = new PagePropertiesDialog(
                                  PageProperties::from(page->title(), page->url(), answer), view);
                              dialog->setAttribute(Qt::WA_DeleteOnClose);
                              dialog->open();
                          });
}

void WebEngineBrowser::FindText(const QString &text, FindOptions options, FindCallback done)
{
    QWebEnginePage::FindFlags flags;
    if (options.testFlag(FindOption::Backward))
        flags |= QWebEnginePage::FindBackward;
    if (options.testFlag(FindOption::CaseSensitive))
        flags |= QWebEnginePage::FindCaseSensitively;
    const quint64 search = ++m_lastSearch;
    const QPointer<WebEngineBrowser> self(this);
    m_page->findText(
        text, flags,
        [self, search, done = std::move(done)](const QWebEngineFindTextResult &result) {
            if (self && self->m_lastSearch == search && done)
                done({result.numberOfMatches(), result.activeMatch()});
        });
}

void WebEngineBrowser::BodyMarkup(MarkupCallback done)
{
    // Whichever comes first, the answer or the end of the wait, is the only one told.
    auto pending = std::make_shared<MarkupCallback>(std::move(done));
    const auto answer = [pending](const QString &markup) {
        if (*pending)
            std::exchange(*pending, nullptr)(markup);
    };
    QTimer::singleShot(MarkupAnswerTime, this, [answer] { answer(QString()); });
    m_page->runJavaScript(QStringLiteral("document.body ? document.body.outerHTML : null"),
                          QWebEngineScript::ApplicationWorld, [answer](const QVariant &markup) {
                              answer(markup.typeId() == QMetaType::QString ? markup.toString()
                                                                           : QString());
                          });
}

QString WebEngineBrowser::LocationURL() const
{
    return m_page->url().toString();
}

QString WebEngineBrowser::LocationName() const
{
    return m_page->title();
}

WebEngineBrowserFactory::WebEngineBrowserFactory(QUrl homePage)
    : m_builtInPages(std::make_unique<BuiltInPageHandler>())
    , m_profile(std::make_unique<QWebEngineProfile>())
    , m_homePage(std::move(homePage))
{
    m_profile->installUrlSchemeHandler(WebEngineEnvironment::BuiltInScheme, m_builtInPages.get());
}

WebEngineBrowserFactory::~WebEngineBrowserFactory() = default;

std::unique_ptr<BrowserEngine> WebEngineBrowserFactory::create(QWidget *container)
{
    return std::make_unique<WebEngineBrowser>(m_profile.get(), m_homePage, container);
}

#include "pageprinter.h"

#include "usermessage.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QThread>
#include <QWebEngineView>

#include <utility>

namespace {

// The engine draws each page as an image at the printer's resolution: enough for
// sharp text without pages of hundreds of megabytes.
constexpr int PrintResolution = 300;

// How long a view going away waits for pages that are being painted.
constexpr int PaintingGraceMs = 30000;

} // namespace

PagePrinter::PagePrinter(QWebEngineView *view)
    : QObject(view)
    , m_view(view)
{
    const auto finish = [this](bool success) {
        m_target = nullptr;
        if (m_done)
            std::exchange(m_done, nullptr)(success);
    };
    connect(view, &QWebEngineView::printFinished, this, finish);
    // A renderer that dies while printing never reports the print.
    connect(view, &QWebEngineView::renderProcessTerminated, this, [finish] { finish(false); });
    // A page's own print button (window.print()) gets the print dialog too.
    connect(view, &QWebEngineView::printRequested, this, &PagePrinter::print);
}

PagePrinter::~PagePrinter()
{
    if (!m_target)
        return;
    // The engine paints into the printer on a thread of its own and reports the end only
    // to the view, which is going away. Pages already being painted are let finish, so
    // they are not lost. A printer not seen to finish is left alive on purpose, a few
    // bytes lost rather than freed under a painter that may still start.
    const bool painting = m_target->paintingActive();
    const QDeadlineTimer grace(PaintingGraceMs);
    while (m_target->paintingActive() && !grace.hasExpired())
        QThread::msleep(10);
    if (m_target == m_printer.get() && (!painting || m_printer->paintingActive()))
        (void)m_printer.release();
    // Nothing is left waiting for a print that will never be reported.
    std::exchange(m_done, nullptr)(false);
}

QPrinter *PagePrinter::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>();
        m_printer->setResolution(PrintResolution);
    }
    return m_printer.get();
}

bool PagePrinter::start(QPrinter *target, std::function<void(bool)> done)
{
    if (m_target)
        return false;
    m_target = target;
    m_done = std::move(done);
    m_view->print(target);
    return true;
}

void PagePrinter::print()
{
    if (m_target || m_dialog)
        return;
    auto *dialog = new QPrintDialog(printer(), m_view);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("打印"));
    connect(dialog, &QDialog::accepted, this, [this] {
        start(printer(), [this](bool success) {
            // Told from the event loop, and only while the view is there to show it.
            if (!success)
                QMetaObject::invokeMethod(
                    m_view,
                    [view = m_view] {
                        warnUser(view, QStringLiteral("打印"), QStringLiteral("无法打印此网页。"));
                    },
                    Qt::QueuedConnection);
        });
    });
    m_dialog = dialog;
    dialog->open();
}

void PagePrinter::preview()
{
    if (m_target || m_dialog)
        return;
    auto *dialog = new QPrintPreviewDialog(printer(), m_view);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("打印预览"));
    connect(dialog, &QPrintPreviewDialog::paintRequested, this, &PagePrinter::drawPreview);
    m_dialog = dialog;
    dialog->open();
}

void PagePrinter::drawPreview(QPrinter *target)
{
    // The preview takes the pages as drawn when this returns, so wait for the engine.
    // While waiting the user cannot act, and a request made meanwhile (the preview
    // refreshing itself) is left to this one, whose pages come last.
    QEventLoop wait;
    if (!start(target, [&wait](bool) { wait.quit(); }))
        return;
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

#include "pageprinter.h"

#include "usermessage.h"

#include <QEventLoop>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEngineView>

#include <utility>

namespace {

// The engine draws each page as an image at the printer's resolution: enough for
// sharp text without pages of hundreds of megabytes.
constexpr int PrintResolution = 300;

} // namespace

PagePrinter::PagePrinter(QWebEngineView *view)
    : QObject(view)
    , m_view(view)
{
    const auto finish = [this](bool success) {
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
    // Nothing is left waiting for a print that will never be reported.
    if (m_done)
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
    if (m_done)
        return false;
    m_done = std::move(done);
    m_view->print(target);
    return true;
}

void PagePrinter::print()
{
    if (m_done || m_dialog)
        return;
    auto *dialog = new QPrintDialog(printer(), m_view);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("打印"));
    connect(dialog, &QDialog::accepted, this, [this] {
        start(printer(), [this](bool success) {
            if (!success)
                warnUser(m_view, QStringLiteral("打印"), QStringLiteral("无法打印此网页。"));
        });
    });
    m_dialog = dialog;
    dialog->open();
}

void PagePrinter::preview()
{
    if (m_done || m_dialog)
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

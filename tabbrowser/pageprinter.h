#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QPrinter;
class QWebEngineView;

// Prints the page of one view: through the print dialog, or into a print preview
// window from which the user can print. A page that asks to be printed gets the print
// dialog. One dialog and one print at a time; the engine cannot print twice at once.
class PagePrinter final : public QObject
{
public:
    explicit PagePrinter(QWebEngineView *view);
    ~PagePrinter() override;

    // The print dialog, then the page is printed; a failed print is told to the user.
    void print();
    // The preview window. Each time it wants the pages, it waits for the engine to
    // have drawn them.
    void preview();

private:
    // Starts printing into `printer` and returns true; `done` learns the outcome. False
    // while another print is running.
    bool start(QPrinter *printer, std::function<void(bool)> done);
    void drawPreview(QPrinter *printer);
    QPrinter *printer();

    QWebEngineView *m_view;
    // Kept between prints, so the user's choices stay; it must outlive any print into it.
    std::unique_ptr<QPrinter> m_printer;
    // Set while a print runs: the printer it paints into, and what learns the outcome.
    QPrinter *m_target = nullptr;
    std::function<void(bool)> m_done;
    // The open print dialog or preview: one at a time, however often a page asks.
    QPointer<QDialog> m_dialog;
};

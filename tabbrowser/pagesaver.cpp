#include "pagesaver.h"

#include "usermessage.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <array>
#include <memory>

namespace {

using Format = QWebEngineDownloadRequest::SavePageFormat;

struct SaveForm
{
    QString filter;
    QString suffix;
    Format format;
};

const std::array<SaveForm, 3> &saveForms()
{
    static const std::array<SaveForm, 3> forms{{
        {QStringLiteral("Web 档案，单个文件 (*.mht *.mhtml)"), QStringLiteral("mht"),
         QWebEngineDownloadRequest::MimeHtmlSaveFormat},
        {QStringLiteral("网页，全部 (*.htm *.html)"), QStringLiteral("htm"),
         QWebEngineDownloadRequest::CompleteHtmlSaveFormat},
        {QStringLiteral("网页，仅 HTML (*.htm *.html)"), QStringLiteral("htm"),
         QWebEngineDownloadRequest::SingleHtmlSaveFormat},
    }};
    return forms;
}

const SaveForm &formOf(const QString &filter)
{
    for (const SaveForm &form : saveForms()) {
        if (form.filter == filter)
            return form;
    }
    return saveForms().front();
}

// The page's title, made fit for a file name.
QString suggestedName(const QWebEnginePage *page)
{
    QString name = page->title().trimmed();
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar &c : name) {
        if (forbidden.contains(c) || c.isNonCharacter() || c.unicode() < 0x20)
            c = QLatin1Char('_');
    }
    return name.isEmpty() ? QStringLiteral("网页") : name;
}

// True when the engine has really put something at `path` since `before`, the time
// the file there was last changed (invalid when there was none).
bool written(const QString &path, const QDateTime &before)
{
    const QFileInfo after(path);
    return after.isFile() && after.size() > 0 &&
           (!before.isValid() || after.lastModified() != before);
}

void save(QWebEnginePage *page, QWidget *dialogParent, const QString &path, Format format)
{
    const QFileInfo existing(path);
    const QDateTime before = existing.exists() ? existing.lastModified() : QDateTime();
    // Watches this one save; goes when the save has ended, or with the page.
    auto *watch = new QObject(page);
    auto requested = std::make_shared<QMetaObject::Connection>();
    const QPointer<QWidget> parent(dialogParent);
    const auto finished = [watch, parent, path, before](const QWebEngineDownloadRequest *request) {
        if (request->state() != QWebEngineDownloadRequest::DownloadCompleted ||
            !written(path, before)) {
            warnUser(parent, QStringLiteral("保存网页"),
                     QStringLiteral("无法将网页保存到“%1”。\n请确认该文件夹存在并且可以写入，"
                                    "然后再试一次。")
                         .arg(QDir::toNativeSeparators(path)));
        }
        watch->deleteLater();
    };
    *requested = QObject::connect(
        page->profile(), &QWebEngineProfile::downloadRequested, watch,
        [page, requested, finished, watch](QWebEngineDownloadRequest *request) {
            if (!request->isSavePageDownload() || request->page() != page)
                return;
            QObject::disconnect(*requested);
            if (request->isFinished()) {
                finished(request);
                return;
            }
            QObject::connect(request, &QWebEngineDownloadRequest::isFinishedChanged, watch,
                             [request, finished] {
                                 if (request->isFinished())
                                     finished(request);
                             });
        });
    page->save(path, format);
}

} // namespace

void savePageAs(QWebEnginePage *page, QWidget *dialogParent)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const SaveForm &initial = saveForms().front();
    auto *dialog = new QFileDialog(dialogParent, QStringLiteral("保存网页"),
                                   QDir(folder).filePath(suggestedName(page)));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const SaveForm &form : saveForms())
        filters.append(form.filter);
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(initial.filter);
    dialog->setDefaultSuffix(initial.suffix);
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString &filter) {
        dialog->setDefaultSuffix(formOf(filter).suffix);
    });
    const QPointer<QWebEnginePage> target(page);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                     [dialog, target, dialogParent](const QString &path) {
                         if (target && !path.isEmpty())
                             save(target, dialogParent, path,
                                  formOf(dialog->selectedNameFilter()).format);
                     });
    dialog->open();
}

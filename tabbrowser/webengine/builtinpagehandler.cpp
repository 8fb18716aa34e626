#include "builtinpagehandler.h"

#include "builtinpages.h"

#include <QFile>
#include <QWebEngineUrlRequestJob>

void BuiltInPageHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    if (job->requestMethod() != QByteArrayLiteral("GET")) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const std::optional<BuiltInPages::Resource> resource =
        BuiltInPages::resourceFor(job->requestUrl());
    if (!resource) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    // The engine reads the file for as long as the job lives.
    auto *file = new QFile(resource->path, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(resource->mimeType, file);
}

#pragma once

#include <QWebEngineUrlSchemeHandler>

// Answers the engine's requests for the built-in pages (BuiltInPages). Only reading is
// allowed; a request for a page that does not exist fails, and the engine shows its own
// error page for it.
class BuiltInPageHandler final : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob *job) override;
};

#pragma once

#include <QString>
#include <QVariant>

class QWebEnginePage;
class BrowserEngine;

// Waits that spin the event loop until something has happened, never longer than
// the timeout; they return false when it did not happen in time.
namespace WebWait {

inline constexpr int DefaultTimeout = 20000;

// Until `browser` finishes its current or next load.
bool forLoad(BrowserEngine *browser, int timeout = DefaultTimeout);
// Until `browser` is not busy and shows `url`.
bool forLocation(BrowserEngine *browser, const QString &url, int timeout = DefaultTimeout);
// The result of `script` run in `page`; an invalid QVariant when none came in time.
QVariant evaluate(QWebEnginePage *page, const QString &script, int timeout = DefaultTimeout);

} // namespace WebWait

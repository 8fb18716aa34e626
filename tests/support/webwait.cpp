#include "webwait.h"

#include "browserengine.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

#include <memory>

namespace WebWait {

bool forLoad(BrowserEngine *browser, int timeout)
{
    QSignalSpy complete(browser, &BrowserEngine::DownloadComplete);
    return complete.wait(timeout);
}

bool forLocation(BrowserEngine *browser, const QString &url, int timeout)
{
    return QTest::qWaitFor([&] { return !browser->Busy() && browser->LocationURL() == url; },
                           timeout);
}

QVariant evaluate(QWebEnginePage *page, const QString &script, int timeout)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [result](const QVariant &value) { *result = value; });
    if (!QTest::qWaitFor([&] { return result->has_value(); }, timeout))
        return {};
    return **result;
}

} // namespace WebWait

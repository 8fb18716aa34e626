#include "tabsession.h"

#include "benchio.h"
#include "browserengine.h"
#include "wbcontrol.h"

TabSession::TabSession(WBControl *control, QUrl url, int count)
    : QObject(control)
    , m_control(control)
    , m_url(std::move(url))
    , m_count(count)
{
    connect(control, &WBControl::DownloadComplete, this, &TabSession::onDownloadComplete);
    Bench::listen(this, [this](const QString &command) {
        if (command == QLatin1String("close"))
            closeExtraTabs();
    });
}

void TabSession::expect(qint16 index, const QUrl &url)
{
    m_waiting.insert(index, url);
}

void TabSession::onDownloadComplete(qint16 index)
{
    if (!m_homeLoaded) {
        if (index == 0) {
            m_homeLoaded = true;
            openTabs();
        }
        return;
    }
    const auto found = m_waiting.constFind(index);
    if (found == m_waiting.constEnd() ||
        QUrl(m_control->browser(index)->LocationURL()) != found.value())
        return;
    m_waiting.erase(found);
    if (m_waiting.isEmpty())
        Bench::say(QStringLiteral("ready"));
}

void TabSession::openTabs()
{
    expect(0, m_url);
    m_control->OpenURL(m_url.toString());
    for (int i = 1; i < m_count; ++i) {
        m_control->NewWindow(m_url.toString(), false);
        expect(m_control->openSlots().last(), m_url);
    }
}

void TabSession::closeExtraTabs()
{
    // As a user closes tabs: always the selected, rightmost one.
    while (!m_control->openSlots().isEmpty()) {
        const qint16 index = m_control->openSlots().last();
        expect(index, QUrl(QStringLiteral("about:blank")));
        m_control->CloseTab(index);
    }
}

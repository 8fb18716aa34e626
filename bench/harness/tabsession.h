#pragma once

#include <QObject>
#include <QSet>
#include <QUrl>

class WBControl;

// Drives Quillet's tabbed control for the memory figures: the first tab goes from its
// home page to `url` and `count - 1` new tabs open on it; on the runner's "close" the
// extra tabs are closed again. Each state is reported as "ready" once every tab
// involved has finished loading.
class TabSession final : public QObject
{
    Q_OBJECT

public:
    TabSession(WBControl *control, QUrl url, int count);

private:
    void onDownloadComplete(qint16 index);
    void openTabs();
    void closeExtraTabs();
    void expect(qint16 index, const QUrl &url);

    WBControl *m_control;
    QUrl m_url;
    int m_count;
    bool m_homeLoaded = false;
    QHash<qint16, QUrl> m_waiting;
};

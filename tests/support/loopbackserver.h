#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

// A small HTTP server on 127.0.0.1 for tests: it serves fixed pages by path and
// remembers every path asked for, query included. Unknown paths get a 404 page.
//
// It also answers as an HTTP proxy, so that a program can be pointed at it for all of
// its traffic: a request in proxy form (GET http://host/path) is served by its path
// whatever the host, and remembered as the whole address asked for.
class LoopbackServer final : public QObject
{
    Q_OBJECT

public:
    explicit LoopbackServer(QObject *parent = nullptr);

    void serve(const QString &path, const QByteArray &body,
               const QByteArray &contentType = "text/html; charset=utf-8");
    // A page titled `title` whose body is `body` (both already HTML).
    void servePage(const QString &path, const QString &title, const QString &body = {});

    // Requests for `path` are taken and never answered: a page that asks for it stays
    // loading.
    void stall(const QString &path);

    QUrl url(const QString &pathAndQuery) const;
    const QStringList &requests() const { return m_requests; }

Q_SIGNALS:
    void requested(const QString &pathAndQuery);

private:
    struct Resource
    {
        QByteArray body;
        QByteArray contentType;
    };

    void onConnection();
    void answer(QTcpSocket *socket, const QByteArray &target);
    static QString pathOf(const QString &target);

    QTcpServer m_server;
    QHash<QString, Resource> m_resources;
    QSet<QString> m_stalled;
    QStringList m_requests;
};

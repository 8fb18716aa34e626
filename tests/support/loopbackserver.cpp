#include "loopbackserver.h"

#include <QTcpSocket>

LoopbackServer::LoopbackServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackServer::onConnection);
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("loopback server: %s", qPrintable(m_server.errorString()));
}

void LoopbackServer::serve(const QString &path, const QByteArray &body,
                           const QByteArray &contentType)
{
    m_resources.insert(path, {body, contentType});
}

void LoopbackServer::servePage(const QString &path, const QString &title, const QString &body)
{
    const QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                                        "<title>%1</title></head><body>%2</body></html>")
                             .arg(title, body);
    serve(path, html.toUtf8());
}

QUrl LoopbackServer::url(const QString &pathAndQuery) const
{
    return QUrl(
        QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(pathAndQuery));
}

void LoopbackServer::stall(const QString &path)
{
    m_stalled.insert(path);
}

void LoopbackServer::onConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            const QByteArray head = socket->peek(socket->bytesAvailable());
            if (!head.contains("\r\n\r\n"))
                return;
            socket->readAll();
            const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
            answer(socket, requestLine.value(1));
        });
    }
}

void LoopbackServer::answer(QTcpSocket *socket, const QByteArray &target)
{
    const QString pathAndQuery = QString::fromUtf8(target);
    m_requests.append(pathAndQuery);
    Q_EMIT requested(pathAndQuery);
    if (m_stalled.contains(pathOf(pathAndQuery)))
        return;

    const auto found = m_resources.constFind(pathOf(pathAndQuery));
    const bool known = found != m_resources.constEnd();
    const Resource resource =
        known ? *found : Resource{"<html><head><title>404</title></head></html>", "text/html"};
    QByteArray response = known ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n";
    response += "Content-Type: " + resource.contentType + "\r\n";
    response += "Content-Length: " + QByteArray::number(resource.body.size()) + "\r\n";
    response += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    response += resource.body;
    socket->write(response);
    socket->disconnectFromHost();
}

QString LoopbackServer::pathOf(const QString &target)
{
    const QString withoutQuery = target.section(QLatin1Char('?'), 0, 0);
    if (withoutQuery.startsWith(QLatin1Char('/')))
        return withoutQuery;
    const QString path = QUrl(withoutQuery).path();
    return path.isEmpty() ? QStringLiteral("/") : path;
}

#pragma once

// A one-page HTTP server on the loopback interface, for pages that must come
// from outside the disc.

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace dv::test {

class PageServer : public QTcpServer {
  public:
    explicit PageServer(QByteArray html) : html_(std::move(html)) {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray request = socket->readAll();
                    if (!request.contains("\r\n\r\n"))
                        return;
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                                  "Content-Length: " +
                                  QByteArray::number(html_.size()) + "\r\n\r\n" + html_);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()); }

  private:
    QByteArray html_;
};

} // namespace dv::test

// A web server on 127.0.0.1 for download tests, in the test's own event loop.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

namespace tarvo::test {

// One HTTP answer per connection: 200 with `body` for `path`, 404 for anything else.
class TinyWebServer {
  public:
    TinyWebServer(QByteArray path, QByteArray body) : path_(std::move(path)), body_(std::move(body)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request_ += socket->readAll();
                if (!request_.contains("\r\n\r\n")) return;
                const bool found = request_.startsWith("GET " + path_ + " ");
                const QByteArray answer = found ? body_ : QByteArray("missing");
                socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                              QByteArray("Content-Length: ") + QByteArray::number(answer.size()) +
                              "\r\nConnection: close\r\n\r\n" + answer);
                socket->disconnectFromHost();
                request_.clear();
            });
        });
    }
    QString Address() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

  private:
    QTcpServer server_;
    QByteArray path_, body_, request_;
};

} // namespace tarvo::test

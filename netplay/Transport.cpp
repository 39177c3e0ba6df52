#include "netplay/Transport.h"

#include <QHostAddress>
#include <QNetworkInterface>

#include "netplay/Listening.h"

namespace tarvo {
namespace {

// Bytes taken from a socket at a time; what Qt holds for us is bounded the same way, so a peer
// that sends without end costs a few kilobytes until its first fault ends the game.
constexpr qint64 ReadChunk = 4096;
constexpr qint64 SocketBuffer = 64 * 1024;

} // namespace

QStringList LocalAddresses() {
    QStringList addresses;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() && addresses.size() < 6)
            addresses << a.toString();
    return addresses;
}

NetTransport::NetTransport(QObject* parent) : QObject(parent) {
    retry_.setSingleShot(true);
    retry_.setInterval(1000);
    connect(&retry_, &QTimer::timeout, this, [this] { TryConnect(); });
}

NetTransport::~NetTransport() {
    session_ = nullptr; // nothing is told while the sockets go
    CloseAll();
}

ListenFault NetTransport::Listen(quint16 port) {
    CloseAll();
    server_ = new QTcpServer(this);
    if (!server_->listen(QHostAddress::Any, port)) {
        const auto error = server_->serverError();
        delete server_;
        server_ = nullptr;
        if (error == QAbstractSocket::AddressInUseError) return ListenFault::PortInUse;
        if (error == QAbstractSocket::SocketAccessError) return ListenFault::PortRefused;
        return ListenFault::Other;
    }
    connect(server_, &QTcpServer::newConnection, this, [this] {
        while (server_ && server_->hasPendingConnections()) Adopt(server_->nextPendingConnection());
    });
    KeepListening(*server_, "tarvo3");
    return ListenFault::None;
}

void NetTransport::Connect(const QString& host, quint16 port, bool retry) {
    CloseAll();
    host_ = host;
    port_ = port;
    retrying_ = retry;
    TryConnect();
}

void NetTransport::TryConnect() {
    if (connecting_) connecting_->deleteLater();
    connecting_ = new QTcpSocket(this);
    QTcpSocket* socket = connecting_;
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        connecting_ = nullptr;
        socket->disconnect(this);
        Adopt(socket);
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (socket != connecting_) return;
        // No error box: the attempt is let go and made again in a second.
        connecting_ = nullptr;
        socket->deleteLater();
        if (retrying_) retry_.start();
        if (onConnectFailed) onConnectFailed();
    });
    socket->connectToHost(host_, port_);
}

void NetTransport::Adopt(QTcpSocket* socket) {
    const int connection = next_++;
    sockets_[connection] = socket;
    socket->setReadBufferSize(SocketBuffer);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, [this, connection] { Read(connection); });
    connect(socket, &QTcpSocket::disconnected, this, [this, connection] { Forget(connection); });
    if (session_) session_->OnConnected(connection);
    if (sockets_.count(connection) && socket->bytesAvailable() > 0) Read(connection);
}

void NetTransport::Read(int connection) {
    for (;;) {
        auto it = sockets_.find(connection);
        if (it == sockets_.end() || it->second->bytesAvailable() <= 0) return;
        const QByteArray chunk = it->second->read(ReadChunk);
        if (session_)
            session_->OnBytes(connection,
                              std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
    }
}

// The peer has gone: the socket is let go and the session told. A server that closes on a client
// before welcoming it (its table is full) is no game for it: the client tries again.
void NetTransport::Forget(int connection) {
    auto it = sockets_.find(connection);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    sockets_.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
    if (!session_) return;
    const bool unwelcomed = !server_ && session_->Unwelcomed();
    session_->OnClosed(connection);
    if (unwelcomed && session_->Unwelcomed()) {
        retry_.start();
        if (onConnectFailed) onConnectFailed();
    }
}

void NetTransport::Send(int connection, const std::string& bytes) {
    auto it = sockets_.find(connection);
    if (it == sockets_.end()) return;
    it->second->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void NetTransport::Close(int connection) {
    auto it = sockets_.find(connection);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    sockets_.erase(it);
    socket->disconnect(this);
    // What was written leaves before the connection closes; the socket goes once it has.
    socket->flush();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
}

void NetTransport::CloseAll() {
    retry_.stop();
    if (connecting_) {
        connecting_->disconnect(this);
        connecting_->abort();
        connecting_->deleteLater();
        connecting_ = nullptr;
    }
    if (server_) {
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
    while (!sockets_.empty()) Close(sockets_.begin()->first);
}

} // namespace tarvo

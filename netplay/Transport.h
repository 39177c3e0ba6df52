// The TCP connections of one network machine, on the window's event loop: the server listens and
// keeps one connection per client; a client keeps one connection to the server and, while none
// answers, tries again every second (a tournament seat tries once). Bytes go to and from the
// session unchanged.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <map>

#include "netplay/Session.h"

namespace tarvo {

// Up to six addresses of this machine's network interfaces (IPv4, the loopback left out).
QStringList LocalAddresses();

// Why listening failed, for the message the player reads.
enum class ListenFault { None, PortInUse, PortRefused, Other };

class NetTransport final : public QObject, public NetLinks {
  public:
    explicit NetTransport(QObject* parent = nullptr);
    ~NetTransport() override;

    void SetSession(NetReceiver* session) { session_ = session; }
    // Listens on every address of this machine; port 0 takes a free one (tests).
    ListenFault Listen(quint16 port);
    quint16 ListeningPort() const { return server_ ? server_->serverPort() : 0; }
    // Connects to the server, again every second until a connection stands or Stop; with
    // `retry` false the first failure ends the trying.
    void Connect(const QString& host, quint16 port, bool retry = true);
    // A client's attempt failed (called again at every failed retry).
    std::function<void()> onConnectFailed;

    void Send(int connection, const std::string& bytes) override;
    void Close(int connection) override;
    void CloseAll() override;

  private:
    void Adopt(QTcpSocket* socket);
    void Read(int connection);
    void Forget(int connection);
    void TryConnect();

    NetReceiver* session_ = nullptr;
    QTcpServer* server_ = nullptr;
    std::map<int, QTcpSocket*> sockets_;
    int next_ = 1;
    QTcpSocket* connecting_ = nullptr;
    QString host_;
    quint16 port_ = 0;
    bool retrying_ = true;
    QTimer retry_;
};

} // namespace tarvo

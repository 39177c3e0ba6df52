#include "netplay/Listening.h"

#include <QTcpServer>
#include <QTimer>
#include <cstdio>

namespace tarvo {
namespace {

constexpr int RelistenMs = 1000;

void ListenLater(QTcpServer& server, const QHostAddress& address, quint16 port) {
    QTimer::singleShot(RelistenMs, &server, [&server, address, port] {
        server.close();
        if (!server.listen(address, port)) ListenLater(server, address, port);
    });
}

} // namespace

void KeepListening(QTcpServer& server, const char* program) {
    QObject::connect(&server, &QTcpServer::acceptError, &server, [&server, program](QAbstractSocket::SocketError) {
        const quint16 port = server.serverPort();
        std::fprintf(stderr, "%s: port %u could not take a connection (%s); it listens again\n", program,
                     static_cast<unsigned>(port), server.errorString().toLocal8Bit().constData());
        ListenLater(server, server.serverAddress(), port);
    });
}

} // namespace tarvo

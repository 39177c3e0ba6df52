// An address on the loopback where nobody listens: a port that was free a moment ago. A stream
// opened there fails at once, and a test never reaches out of the machine.
#pragma once

#include <QHostAddress>
#include <QString>
#include <QTcpServer>

namespace tarvo::test {

inline QString DeadAddress(const QString& path = QStringLiteral("station.mp3")) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/").arg(port) + path;
}

// The same as a server's address, without a path ("http://127.0.0.1:PORT").
inline QString DeadServer() {
    return DeadAddress(QString()).chopped(1);
}

} // namespace tarvo::test

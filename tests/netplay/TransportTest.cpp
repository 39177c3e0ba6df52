// Network series between machines in one process over real TCP connections on 127.0.0.1.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>

#include "../support/BrokenListener.h"
#include "../support/EventWait.h"
#include "Machines.h"
#include "netplay/Transport.h"

using namespace tarvo;
using tarvo::test::Machine;

namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "netplay_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = qApp ? qApp : new QCoreApplication(argc, argv);
    return *app;
}

bool WaitFor(const std::function<bool()>& done, int seconds = 60) {
    App();
    return test::WaitFor(done, seconds);
}

struct TcpMachine {
    NetTransport transport;
    Machine machine{transport};
    TcpMachine() { transport.SetSession(&machine.session); }
    NetSession& session() { return machine.session; }
};

// A server listening on a free port and its clients, joined in order, the first game dealt.
struct TcpTable {
    std::vector<std::unique_ptr<TcpMachine>> m;
    quint16 port = 0;

    explicit TcpTable(int clients) {
        App();
        const char* names[] = {"Server", "Ann", "Bob"};
        for (int i = 0; i <= clients; ++i) m.push_back(std::make_unique<TcpMachine>());
        m[0]->session().StartServer(names[0]);
        EXPECT_EQ(m[0]->transport.Listen(0), ListenFault::None);
        port = m[0]->transport.ListeningPort();
        for (int k = 1; k <= clients; ++k) {
            TcpMachine& c = *m[static_cast<std::size_t>(k)];
            c.session().StartClient(names[k]);
            c.transport.Connect(QStringLiteral("127.0.0.1"), port);
            EXPECT_TRUE(WaitFor([&] { return c.machine.welcomed && m[0]->machine.joined == k; }));
        }
        if (clients == 2) {
            EXPECT_TRUE(WaitFor([&] { return m[1]->session().SeatName(1) == "Bob"; }));
        }
        for (auto& x : m) x->machine.Begin();
    }

    // Every machine does what it can, then the sockets deliver; until the condition holds.
    bool PlayUntil(const std::function<bool()>& done, int seconds = 120) {
        return WaitFor(
            [&] {
                for (auto& x : m)
                    if (x)
                        while (x->machine.Act()) {
                        }
                return done();
            },
            seconds);
    }
    bool AllOver() {
        for (auto& x : m)
            if (x && !x->machine.over) return false;
        return true;
    }
};

} // namespace

// A server with two clients and a server with one play their series over loopback sockets; they
// end with the same game in their own numberings.
TEST(NetTcp, ASeriesOverLoopback) {
    for (int clients : {2, 1}) {
        TcpTable t(clients);
        ASSERT_TRUE(t.PlayUntil([&] { return t.AllOver(); })) << t.m[0]->machine.Snapshot();
        for (auto& x : t.m) {
            EXPECT_EQ(x->machine.interrupted, "");
            EXPECT_EQ(x->machine.Snapshot(), t.m[0]->machine.Snapshot());
        }
    }
}

// A third client finds the table full: it is let go without a welcome and keeps trying, as a
// client that finds no game does.
TEST(NetTcp, AThirdClientIsTurnedAway) {
    TcpTable t(2);
    TcpMachine third;
    int failures = 0;
    third.transport.onConnectFailed = [&] { ++failures; };
    third.session().StartClient("Cid");
    third.transport.Connect(QStringLiteral("127.0.0.1"), t.port);
    ASSERT_TRUE(WaitFor([&] { return failures >= 1; }));
    EXPECT_FALSE(third.machine.welcomed);
    EXPECT_EQ(t.m[0]->machine.joined, 2);
    EXPECT_EQ(t.m[0]->machine.interrupted, "");
}

// A client that goes in the middle of a game ends the series on the server and, through its
// "abort", on the other client.
TEST(NetTcp, AClientThatGoesInterruptsTheOthers) {
    TcpTable t(2);
    ASSERT_TRUE(t.PlayUntil([&] { return t.m[0]->machine.g.KolCardsStol > 0; }));
    t.m[1].reset();
    ASSERT_TRUE(t.PlayUntil([&] { return !t.m[2]->machine.interrupted.empty(); }));
    EXPECT_EQ(t.m[0]->machine.interrupted, "Ann (client 2) left the game");
    EXPECT_EQ(t.m[2]->machine.interrupted, "the server ended the game");
}

// A peer that introduces itself and then sends without end is cut off at its first fault.
TEST(NetTcp, AnEndlessPeerIsCutOff) {
    App();
    TcpMachine server;
    server.session().StartServer("Server");
    ASSERT_EQ(server.transport.Listen(0), ListenFault::None);
    QTcpSocket peer;
    peer.connectToHost(QStringLiteral("127.0.0.1"), server.transport.ListeningPort());
    ASSERT_TRUE(WaitFor([&] { return peer.state() == QAbstractSocket::ConnectedState; }));
    peer.write(QByteArray::fromStdString(HelloMessage("Eve")));
    ASSERT_TRUE(WaitFor([&] { return server.machine.joined == 1; }));
    const QByteArray garbage(1 << 20, '#');
    for (int i = 0; i < 4 && peer.state() == QAbstractSocket::ConnectedState; ++i) peer.write(garbage);
    ASSERT_TRUE(WaitFor([&] { return !server.machine.interrupted.empty(); }));
    EXPECT_EQ(server.machine.interrupted, "client 2 sent unknown message starting with 0x23");
    EXPECT_TRUE(WaitFor([&] { return peer.state() == QAbstractSocket::UnconnectedState; }));
}

// A port already taken is told; a client started before its server keeps trying and joins once
// the server listens.
TEST(NetTcp, PortInUseAndAClientBeforeItsServer) {
    App();
    TcpMachine first, second, client;
    first.session().StartServer("One");
    ASSERT_EQ(first.transport.Listen(0), ListenFault::None);
    const quint16 port = first.transport.ListeningPort();
    second.session().StartServer("Two");
    EXPECT_EQ(second.transport.Listen(port), ListenFault::PortInUse);
    first.transport.CloseAll();

    int failures = 0;
    client.transport.onConnectFailed = [&] { ++failures; };
    client.session().StartClient("Ann");
    client.transport.Connect(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(WaitFor([&] { return failures >= 1; }));
    EXPECT_FALSE(client.machine.welcomed);
    ASSERT_EQ(second.transport.Listen(port), ListenFault::None);
    EXPECT_TRUE(WaitFor([&] { return client.machine.welcomed; }));
    EXPECT_EQ(client.session().SeatName(2), "Two");
}

// A listening socket that fails to take a connection stops listening; the server listens again on
// its port, and a client that keeps trying gets in.
TEST(NetTcp, AListeningSocketThatFailsListensAgain) {
    App();
    TcpMachine server, client;
    server.session().StartServer("One");
    ASSERT_EQ(server.transport.Listen(0), ListenFault::None);
    const quint16 port = server.transport.ListeningPort();
    ASSERT_EQ(test::BreakListeningSockets(::getpid(), port), std::vector<int>{port});

    client.session().StartClient("Ann");
    client.transport.Connect(QStringLiteral("127.0.0.1"), port);
    EXPECT_TRUE(WaitFor([&] { return client.machine.welcomed; }, 15));
    EXPECT_EQ(server.machine.joined, 1);
}

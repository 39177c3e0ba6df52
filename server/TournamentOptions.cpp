#include "server/TournamentOptions.h"

#include <QHostAddress>
#include <algorithm>
#include <set>

namespace tarvo::server {
namespace {

const QString kTables = QStringLiteral("tables");
const QString kPortBase = QStringLiteral("game-port-base");
const QString kAddress = QStringLiteral("game-address");
const QString kMoveSeconds = QStringLiteral("move-seconds");
const QString kAllowance = QStringLiteral("move-allowance");
const QString kGrace = QStringLiteral("seat-grace");

} // namespace

std::optional<std::vector<int>> ParseTableList(const QString& text) {
    if (text == QStringLiteral("none")) return std::vector<int>{};
    std::set<int> tables;
    for (const QString& part : text.split(',')) {
        const QStringList ends = part.split('-');
        if (ends.size() > 2) return std::nullopt;
        bool ok1 = false, ok2 = false;
        const int from = ends.front().trimmed().toInt(&ok1);
        const int to = ends.back().trimmed().toInt(&ok2);
        if (!ok1 || !ok2 || from < 1 || to > kTournamentTables || from > to) return std::nullopt;
        for (int t = from; t <= to; ++t) tables.insert(t);
    }
    return std::vector<int>(tables.begin(), tables.end());
}

void AddTournamentOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {kTables,
         QStringLiteral("The tournament tables this process plays: \"1-10\" (default), \"1-5\", \"6,8\" or "
                        "\"none\". Several processes on one PostgreSQL database share the ten tables."),
         QStringLiteral("LIST")},
        {kPortBase,
         QStringLiteral("Table n listens on this port + n (default: %1); 0 takes a free run of ports. "
                        "Every process of a club uses the same base.")
             .arg(kDefaultGamePortBase),
         QStringLiteral("N")},
        {kAddress,
         QStringLiteral("The address the players' games reach the tables at (default: the address each "
                        "request came in on)."),
         QStringLiteral("ADDRESS")},
        {kMoveSeconds, QStringLiteral("A seat's time for a step in seconds (default: 26)."),
         QStringLiteral("S")},
        {kAllowance,
         QStringLiteral("Seconds the game server waits beyond a seat's time for the network (default: 4)."),
         QStringLiteral("S")},
        {kGrace,
         QStringLiteral("Seconds a taken seat may stay without its game connection before it is freed "
                        "(default: 10, the tournament window's refresh)."),
         QStringLiteral("S")},
    });
}

bool ReadTournamentOptions(const QCommandLineParser& parser, TournamentOptions& o, QString* error) {
    if (parser.isSet(kTables)) {
        auto tables = ParseTableList(parser.value(kTables));
        if (!tables) {
            *error = "--tables takes table numbers from 1 to 10 (\"1-10\", \"1-5,8\", \"none\"), not " +
                     parser.value(kTables);
            return false;
        }
        o.tables = *tables;
    }
    struct Number {
        const QString& name;
        int* value;
        int low, high;
    };
    o.portBaseGiven = parser.isSet(kPortBase);
    for (const Number& n : {Number{kPortBase, &o.portBase, 0, 65535 - kTournamentTables},
                            Number{kMoveSeconds, &o.moveSeconds, 1, 600},
                            Number{kAllowance, &o.allowanceSeconds, 0, 60},
                            Number{kGrace, &o.seatGraceSeconds, 1, 3600}}) {
        if (!parser.isSet(n.name)) continue;
        bool ok = false;
        const int v = parser.value(n.name).toInt(&ok);
        if (!ok || v < n.low || v > n.high) {
            *error = QStringLiteral("--%1 takes %2 to %3, not %4")
                         .arg(n.name)
                         .arg(n.low)
                         .arg(n.high)
                         .arg(parser.value(n.name));
            return false;
        }
        *n.value = v;
    }
    if (parser.isSet(kAddress)) {
        const QString address = parser.value(kAddress);
        QHostAddress parsed;
        if (!parsed.setAddress(address) || parsed.protocol() != QAbstractSocket::IPv4Protocol) {
            *error = "--game-address takes an IPv4 address, not " + address;
            return false;
        }
        o.address = parsed.toString().toStdString();
    }
    return true;
}

} // namespace tarvo::server

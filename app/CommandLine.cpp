#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "TarvoVersion.h"
#include "netplay/Messages.h"
#include "netplay/Session.h"
#include "netplay/Setup.h"
#include "online/Services.h"
#include "table/Cp1251Field.h"

namespace tarvo {
namespace {

constexpr int kMaxAutoplayGames = 100000;

QString BadValue(const QString& option, const QString& value, const QString& wanted) {
    return QStringLiteral("bad value '%1' for --%2: %3").arg(value, option, wanted);
}

} // namespace

std::optional<int> WholeNumberIn(const QString& text, int low, int high) {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

const std::vector<StartOption>& StartOptionTable() {
    static const std::vector<StartOption> table = {
        {QStringLiteral("data-dir"), QStringLiteral("DIR"),
         QStringLiteral("Keep settings, records and history in DIR (made when missing)."),
         [](const QString& value, StartOptions& into) {
             if (value.isEmpty()) return QStringLiteral("--data-dir needs a folder");
             into.dataDir = std::filesystem::path(value.toStdString());
             return QString();
         }},
        {QStringLiteral("autoplay"), QStringLiteral("N"),
         QStringLiteral("The computer plays seat 3 for N games, records the series and exits."),
         [](const QString& value, StartOptions& into) {
             auto games = WholeNumberIn(value, 1, kMaxAutoplayGames);
             if (!games)
                 return BadValue(QStringLiteral("autoplay"), value,
                                 QStringLiteral("a number of games from 1 to %1").arg(kMaxAutoplayGames));
             into.autoplayGames = *games;
             return QString();
         }},
        {QStringLiteral("server"), QStringLiteral("URL"),
         QStringLiteral("Use the score server at URL (http://host:port or https://host) for every online "
                        "service; the settings keep it."),
         [](const QString& value, StartOptions& into) {
             std::string url = value.toStdString();
             while (url.ends_with('/')) url.pop_back();
             auto origin = OriginOf(url);
             if (!origin || origin->starts_with("ftp") || *origin != url)
                 return BadValue(QStringLiteral("server"), value,
                                 QStringLiteral("an address such as http://127.0.0.1:8015 or https://host"));
             into.server = url;
             return QString();
         }},
        {QStringLiteral("net"), QStringLiteral("SIDE"),
         QStringLiteral("With --autoplay 3: play a network series as its server or as a client."),
         [](const QString& value, StartOptions& into) {
             using Side = NetAutoplayOptions::Side;
             into.net.side = value == QLatin1String("server")   ? Side::Server
                             : value == QLatin1String("client") ? Side::Client
                                                                : Side::None;
             if (into.net.side == Side::None)
                 return BadValue(QStringLiteral("net"), value, QStringLiteral("server or client"));
             return QString();
         }},
        {QStringLiteral("ip"), QStringLiteral("ADDRESS"),
         QStringLiteral("The server's address for --net client."),
         [](const QString& value, StartOptions& into) {
             if (!IsServerAddress(value.toStdString()))
                 return BadValue(QStringLiteral("ip"), value,
                                 QStringLiteral("an address such as 192.168.1.5"));
             into.net.ip = value;
             return QString();
         }},
        {QStringLiteral("port"), QStringLiteral("PORT"),
         QStringLiteral("The port the server listens on (default: the settings', first %1).")
             .arg(DefaultNetPort),
         [](const QString& value, StartOptions& into) {
             auto port = PortNumber(value.toStdString());
             if (!port)
                 return BadValue(QStringLiteral("port"), value, QStringLiteral("a port from 1 to 65535"));
             into.net.port = *port;
             return QString();
         }},
        {QStringLiteral("name"), QStringLiteral("NAME"),
         QStringLiteral("The network player's name, at most %1 characters.").arg(NetNameLength),
         [](const QString& value, StartOptions& into) {
             if (value.trimmed().isEmpty() || value.size() > static_cast<int>(NetNameLength) ||
                 !FitsCp1251(value))
                 return BadValue(QStringLiteral("name"), value,
                                 QStringLiteral("1 to %1 letters of Windows-1251").arg(NetNameLength));
             into.net.name = value;
             return QString();
         }},
        {QStringLiteral("clients"), QStringLiteral("N"),
         QStringLiteral("For --net server: start once N clients (1 or 2) have joined; default 2."),
         [](const QString& value, StartOptions& into) {
             auto clients = WholeNumberIn(value, 1, 2);
             if (!clients) return BadValue(QStringLiteral("clients"), value, QStringLiteral("1 or 2"));
             into.net.clients = *clients;
             return QString();
         }},
        {QStringLiteral("tournament"), QStringLiteral("TABLE"),
         QStringLiteral("With --autoplay 1: the signed-in player sits down at tournament table TABLE "
                        "(1 to 10), plays its game and exits."),
         [](const QString& value, StartOptions& into) {
             auto number = WholeNumberIn(value, 1, 10);
             if (!number) return BadValue(QStringLiteral("tournament"), value, QStringLiteral("a table from 1 to 10"));
             into.tournamentTable = *number;
             return QString();
         }},
        {QStringLiteral("rated"), QString(),
         QStringLiteral("With --autoplay N (a multiple of 3): the player signed in with his saved sign-in plays "
                        "rated sessions of the global rating, three games each, and exits."),
         [](const QString&, StartOptions& into) {
             into.rated = true;
             return QString();
         }},
    };
    return table;
}

namespace {

// The network options belong together and to a headless series.
QString CheckNetOptions(const QCommandLineParser& parser, const StartOptions& o) {
    using Side = NetAutoplayOptions::Side;
    const bool net = o.net.side != Side::None;
    if (o.tournamentTable != 0 && (o.autoplayGames != 1 || net))
        return QStringLiteral("--tournament plays one game without --net: give --autoplay 1");
    if (o.rated && (o.autoplayGames == 0 || o.autoplayGames % 3 != 0 || net || o.tournamentTable != 0))
        return QStringLiteral("--rated plays sessions of 3 games: give --autoplay a multiple of 3, without --net "
                              "or --tournament");
    if (net && o.autoplayGames != NetSeriesGames)
        return QStringLiteral("--net plays one series of %1 games: give --autoplay %1").arg(NetSeriesGames);
    for (const char* name : {"ip", "port", "name", "clients"})
        if (!net && parser.isSet(QLatin1String(name)))
            return QStringLiteral("--%1 needs --net").arg(QLatin1String(name));
    if (parser.isSet(QStringLiteral("clients")) && o.net.side != Side::Server)
        return QStringLiteral("--clients is for --net server");
    if (parser.isSet(QStringLiteral("ip")) && o.net.side != Side::Client)
        return QStringLiteral("--ip is for --net client");
    return QString();
}

} // namespace

CommandLineResult ParseCommandLine(const QStringList& arguments) {
    CommandLineResult result;
    const QString program =
        arguments.isEmpty() ? QStringLiteral("tarvo3") : QFileInfo(arguments.first()).fileName();

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Tarvo-Trio %1: throw-in Durak for three seats.").arg(QLatin1String(kVersion)));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this text and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    std::vector<QCommandLineOption> options;
    for (const StartOption& row : StartOptionTable()) {
        options.emplace_back(row.name, row.help, row.valueName);
        parser.addOption(options.back());
    }

    auto fail = [&](const QString& message) {
        result.exitStatus = 2;
        result.error = program + QStringLiteral(": ") + message + QStringLiteral("\nTry '") + program +
                       QStringLiteral(" --help'.\n");
        return result;
    };
    if (!parser.parse(arguments)) return fail(parser.errorText());
    if (parser.isSet(help)) {
        // Without an application object the parser cannot know the program's name.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')), QStringLiteral("Usage: %1 [options]").arg(program));
        result.output = text;
        return result;
    }
    if (parser.isSet(version)) {
        result.output = program + QLatin1Char(' ') + QLatin1String(kVersion) + QLatin1Char('\n');
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    const auto& table = StartOptionTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!parser.isSet(options[i])) continue;
        const QString problem = table[i].apply(parser.value(options[i]), result.options);
        if (!problem.isEmpty()) return fail(problem);
    }
    if (const QString problem = CheckNetOptions(parser, result.options); !problem.isEmpty())
        return fail(problem);
    result.run = true;
    return result;
}

} // namespace tarvo

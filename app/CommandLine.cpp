#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "TarvoVersion.h"
#include "online/Services.h"

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
    };
    return table;
}

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
    result.run = true;
    return result;
}

} // namespace tarvo

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

#include "../support/TempFolder.h"
#include "app/CommandLine.h"

using namespace tarvo;

namespace {

CommandLineResult Parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("/usr/games/tarvo3"));
    return ParseCommandLine(arguments);
}

} // namespace

TEST(CommandLine, GoodOptionsReachTheStartOptions) {
    for (const QStringList& arguments :
         {QStringList{"--data-dir", "/tmp/t3", "--autoplay", "3"},
          QStringList{"--data-dir=/tmp/t3", "--autoplay=3"},
          QStringList{"-autoplay", "7", "--autoplay", "3", "--data-dir", "/tmp/t3"}}) {
        CommandLineResult r = Parse(arguments);
        ASSERT_TRUE(r.run) << arguments.join(' ').toStdString() << ": " << r.error.toStdString();
        EXPECT_EQ(r.options.dataDir, std::filesystem::path("/tmp/t3"));
        EXPECT_EQ(r.options.autoplayGames, 3) << "the last of a repeated option counts";
        EXPECT_TRUE(r.error.isEmpty());
    }
    CommandLineResult plain = Parse({});
    EXPECT_TRUE(plain.run);
    EXPECT_FALSE(plain.options.dataDir);
    EXPECT_EQ(plain.options.autoplayGames, 0);
    EXPECT_FALSE(plain.options.rated);
    CommandLineResult rated = Parse({"--autoplay", "6", "--rated"});
    ASSERT_TRUE(rated.run) << rated.error.toStdString();
    EXPECT_TRUE(rated.options.rated);
}

// A network series of three processes: the server and its clients say where and who they are.
TEST(CommandLine, NetworkAutoplay) {
    CommandLineResult server = Parse(
        {"--autoplay", "3", "--net", "server", "--port", "3100", "--clients", "1", "--name", "C&$*\"'"});
    ASSERT_TRUE(server.run) << server.error.toStdString();
    EXPECT_EQ(server.options.net.side, NetAutoplayOptions::Side::Server);
    EXPECT_EQ(server.options.net.port, 3100);
    EXPECT_EQ(server.options.net.clients, 1);
    EXPECT_EQ(server.options.net.name, "C&$*\"'");
    CommandLineResult client = Parse({"--autoplay", "3", "--net", "client", "--ip", "127.0.0.1"});
    ASSERT_TRUE(client.run) << client.error.toStdString();
    EXPECT_EQ(client.options.net.side, NetAutoplayOptions::Side::Client);
    EXPECT_EQ(client.options.net.ip, "127.0.0.1");
    EXPECT_EQ(client.options.net.port, 0); // the settings' port
}

TEST(CommandLine, HelpAndVersionPrintAndEndTheRun) {
    CommandLineResult help = Parse({"--help"});
    EXPECT_FALSE(help.run);
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_TRUE(help.output.startsWith("Usage: tarvo3 [options]\n")) << help.output.toStdString();
    for (const char* shown : {"--data-dir <DIR>", "--autoplay <N>", "--version"})
        EXPECT_TRUE(help.output.contains(QLatin1String(shown))) << shown;

    CommandLineResult version = Parse({"-v"});
    EXPECT_FALSE(version.run);
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.output, "tarvo3 5.7f\n");
}

// Each mistake ends the run with status 2 and a message that names what was wrong.
TEST(CommandLine, MistakesAreNamed) {
    const struct {
        QStringList arguments;
        const char* named;
    } cases[] = {
        {{"--bogus"}, "bogus"},
        {{"-bogus"}, "bogus"},
        {{"--autoplay"}, "autoplay"},
        {{"--autoplay", "x"}, "'x' for --autoplay"},
        {{"--autoplay", "0"}, "'0' for --autoplay"},
        {{"--autoplay", "-3"}, "'-3' for --autoplay"},
        {{"--autoplay", "2.5"}, "'2.5' for --autoplay"},
        {{"--autoplay", "99999999999"}, "'99999999999' for --autoplay"},
        {{"--data-dir="}, "--data-dir needs a folder"},
        {{"--autoplay", "3", "--net", "peer"}, "'peer' for --net"},
        {{"--net", "server"}, "give --autoplay 3"},
        {{"--autoplay", "5", "--net", "server"}, "give --autoplay 3"},
        {{"--autoplay", "3", "--net", "client", "--ip", "192.168.1"}, "'192.168.1' for --ip"},
        {{"--autoplay", "3", "--net", "server", "--port", "0"}, "'0' for --port"},
        {{"--autoplay", "3", "--net", "server", "--name", "Alexander"}, "'Alexander' for --name"},
        {{"--autoplay", "3", "--net", "server", "--clients", "3"}, "'3' for --clients"},
        {{"--autoplay", "3", "--port", "3100"}, "--port needs --net"},
        {{"--autoplay", "3", "--net", "client", "--clients", "1"}, "--clients is for --net server"},
        {{"--autoplay", "3", "--net", "server", "--ip", "10.0.0.1"}, "--ip is for --net client"},
        {{"--rated"}, "--rated plays sessions of 3 games"},
        {{"--autoplay", "4", "--rated"}, "--rated plays sessions of 3 games"},
        {{"--autoplay", "3", "--rated", "--net", "server"}, "--rated plays sessions of 3 games"},
        {{"stray"}, "'stray'"},
    };
    for (const auto& c : cases) {
        CommandLineResult r = Parse(c.arguments);
        const std::string label = c.arguments.join(' ').toStdString();
        EXPECT_FALSE(r.run) << label;
        EXPECT_EQ(r.exitStatus, 2) << label;
        EXPECT_TRUE(r.error.startsWith("tarvo3: ")) << label;
        EXPECT_TRUE(r.error.contains(QLatin1String(c.named))) << label << ": " << r.error.toStdString();
        EXPECT_TRUE(r.output.isEmpty()) << label;
    }
}

// The real program answers without a display: it never gets as far as a window.
TEST(CommandLine, TheProgramAnswersBeforeAnyWindow) {
    test::TempFolder folder("tarvo3-command-line");
    const struct {
        const char* arguments;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {"--bogus", 2, "", "bogus"},
        {"--autoplay many", 2, "", "'many' for --autoplay"},
        {"--version", 0, "tarvo3 5.7f\n", ""},
        {"--help", 0, "--autoplay <N>", ""},
    };
    for (const auto& c : cases) {
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout -s KILL 60 " +
                                    std::string(TARVO3_PROGRAM) + " " + c.arguments + " > '" +
                                    (folder / "out").string() + "' 2> '" + (folder / "err").string() + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.arguments;
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.arguments;
        const std::string out = test::ReadBytes(folder / "out"), err = test::ReadBytes(folder / "err");
        EXPECT_NE(out.find(c.out), std::string::npos) << c.arguments << ": " << out;
        EXPECT_NE(err.find(c.err), std::string::npos) << c.arguments << ": " << err;
        if (c.status == 0) {
            EXPECT_EQ(err, "") << c.arguments;
        }
    }
}

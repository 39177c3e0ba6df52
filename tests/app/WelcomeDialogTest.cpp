#include <gtest/gtest.h>

#include <QApplication>

#include "../support/TestApplication.h"
#include "../support/Typing.h"
#include "app/WelcomeDialog.h"
#include "records/RecordsFile.h"

using namespace tarvo;

namespace {

struct Shown {
    QStringList messages;
    std::function<void(const QString&)> Sink() {
        return [this](const QString& m) { messages << m; };
    }
};

} // namespace

TEST(Welcome, NewPlayerChecksInTheirOrder) {
    test::TestApplication();
    struct Case {
        QString name, password, again, message;
    };
    const Case cases[] = {
        {"  ", "abc", "abc", "Incorrect name!"},
        {"Anna", "abc", "abd", "The passwords do not coincide!"},
        {"Anna", "abc", "abc", ""},
        {"Anna", "", "", ""}, // an empty password is a password too
    };
    for (const auto& c : cases) {
        Shown shown;
        WelcomeDialog dialog(NewPlayerSlot, std::nullopt, QString(), {}, shown.Sink());
        EXPECT_EQ(dialog.NameField()->text(), "Mr.X"); // no name entered before
        dialog.NameField()->setText(c.name);
        dialog.PasswordField()->setText(c.password);
        dialog.AgainField()->setText(c.again);
        EXPECT_EQ(dialog.Accept(), c.message.isEmpty()) << c.name.toStdString();
        EXPECT_EQ(shown.messages.value(0), c.message);
        if (c.message.isEmpty()) {
            EXPECT_EQ(dialog.Values().NameUtf8(), c.name.toStdString());
            EXPECT_EQ(dialog.Values().G0, 0);
        }
    }
}

TEST(Welcome, ClubMemberGivesHisPassword) {
    test::TestApplication();
    SeriesValues member = NewPlayerSeries("Boris", "k9");
    member.G0 = 12;
    Shown shown;
    WelcomeDialog dialog(2, member, QStringLiteral("Anna"), {}, shown.Sink());
    EXPECT_EQ(dialog.NameField()->text(), "Boris");
    EXPECT_FALSE(dialog.NameField()->isEnabled());
    EXPECT_FALSE(dialog.AgainField()->isEnabled());
    dialog.PasswordField()->setText("k8");
    EXPECT_FALSE(dialog.Accept());
    EXPECT_EQ(shown.messages.value(0), "The incorrect password!");
    dialog.PasswordField()->setText("k9");
    ASSERT_TRUE(dialog.Accept());
    EXPECT_EQ(dialog.Values().slot, 2);
    EXPECT_EQ(dialog.Values().G0, 12);
}

TEST(Welcome, ANameThatPassedItsCheckIsKeptWhenThePasswordFails) {
    test::TestApplication();
    Shown shown;
    WelcomeDialog dialog(6, std::nullopt, QStringLiteral("Mr.X"), WelcomeTexts(), shown.Sink());
    dialog.NameField()->setText(QStringLiteral("  "));
    EXPECT_FALSE(dialog.Accept());
    EXPECT_TRUE(dialog.EnteredName().isEmpty());
    dialog.NameField()->setText(QStringLiteral("Boris"));
    dialog.PasswordField()->setText(QStringLiteral("abc"));
    dialog.AgainField()->setText(QStringLiteral("abd"));
    EXPECT_FALSE(dialog.Accept());
    EXPECT_EQ(dialog.EnteredName(), QStringLiteral("Boris"));
}

// Letters outside Windows-1251 would be stored as "?" and the password would never match again:
// they cannot be typed, so what the player types is what is stored and asked for next time.
TEST(Welcome, WhatCanBeTypedIsWhatIsStored) {
    test::TestApplication();
    Shown shown;
    WelcomeDialog newcomer(NewPlayerSlot, std::nullopt, QString(), {}, shown.Sink());
    newcomer.NameField()->clear();
    test::Type(newcomer.NameField(), QStringLiteral("Jürgen"));
    test::Type(newcomer.PasswordField(), QStringLiteral("bär12"));
    test::Type(newcomer.AgainField(), QStringLiteral("bär12"));
    ASSERT_TRUE(newcomer.Accept());
    EXPECT_EQ(newcomer.Values().NameUtf8().find('?'), std::string::npos);

    WelcomeDialog member(1, newcomer.Values(), QString(), {}, shown.Sink());
    test::Type(member.PasswordField(), QStringLiteral("bär12"));
    EXPECT_TRUE(member.Accept());
    EXPECT_TRUE(shown.messages.isEmpty());

    // Text that did not come through the keyboard is checked on "Ok" with the same hint.
    WelcomeDialog pasted(NewPlayerSlot, std::nullopt, QString(), {}, shown.Sink());
    pasted.NameField()->setText(QStringLiteral("Zoë"));
    EXPECT_FALSE(pasted.Accept());
    EXPECT_TRUE(shown.messages.value(0).startsWith(QStringLiteral("Only the letters A–Z")));
}

namespace {

// A dialog in network mode whose start is recorded instead of listening or connecting.
struct NetDialog {
    Shown shown;
    std::vector<NetChoice> started;
    WelcomeDialog dialog{NewPlayerSlot, std::nullopt, QStringLiteral("Alexander"), {}, shown.Sink()};
    explicit NetDialog(bool startSucceeds = true) {
        WelcomeNetwork n;
        n.netIp = QStringLiteral("10.0.0.7");
        n.netPort = QStringLiteral("25666");
        n.start = [this, startSucceeds](const NetChoice& c) {
            started.push_back(c);
            return startSucceeds;
        };
        dialog.EnableNetwork(std::move(n));
    }
};

} // namespace

// A network name has six characters: a longer last name gives way to "Mr.X" and cannot be typed.
// The address field takes only digits and dots, the port only digits: anything else puts the
// last good value back; the server has no address to give.
TEST(WelcomeNetwork, TypingRules) {
    test::TestApplication();
    NetDialog d;
    WelcomeDialog& w = d.dialog;
    EXPECT_EQ(w.NameField()->text(), "Mr.X");
    w.NameField()->clear();
    test::Type(w.NameField(), QStringLiteral("Alexander"));
    EXPECT_EQ(w.NameField()->text(), "Alexan");
    EXPECT_EQ(w.GamesField()->text(), "3");
    EXPECT_FALSE(w.GamesField()->isEnabled());

    EXPECT_TRUE(w.ServerChoice()->isChecked());
    EXPECT_FALSE(w.IpField()->isEnabled());
    EXPECT_EQ(w.IpField()->text(), "");
    w.ClientChoice()->setChecked(true);
    EXPECT_TRUE(w.IpField()->isEnabled());
    EXPECT_EQ(w.IpField()->text(), "10.0.0.7");
    w.IpField()->clear();
    test::Type(w.IpField(), QStringLiteral("192.168.1.5"));
    EXPECT_EQ(w.IpField()->text(), "192.168.1.5");
    EXPECT_EQ(w.NetIp(), "192.168.1.5");
    test::Type(w.IpField(), QStringLiteral("x"));
    EXPECT_EQ(w.IpField()->text(), "192.168.1.5"); // the letter is gone at once

    w.PortField()->clear();
    test::Type(w.PortField(), QStringLiteral("3100"));
    test::Type(w.PortField(), QStringLiteral("a"));
    EXPECT_EQ(w.PortField()->text(), "3100");
    EXPECT_EQ(w.NetPort(), "3100");
}

// On "Ok", after the name and passwords: a client's address must be four groups of one to three
// characters, the port a port; then the network starts with what was chosen, and the dialog
// stays open when it could not.
TEST(WelcomeNetwork, ChecksOnOk) {
    test::TestApplication();
    struct Case {
        bool client;
        QString ip, port, message;
    } cases[] = {
        {true, "192.168.1", "25666", "Incorrect IP-address!"},
        {true, "192..1.1", "25666", "Incorrect IP-address!"},
        {true, "1234.1.1.1", "25666", "Incorrect IP-address!"},
        {true, "192.168.1.5", "", "Incorrect Port!"},
        {false, "", "0", "Incorrect Port!"},
        {false, "", "70000", "Incorrect Port!"},
        {true, "192.168.1.5", "3100", ""},
        {false, "", "3100", ""},
    };
    for (const Case& c : cases) {
        NetDialog d;
        WelcomeDialog& w = d.dialog;
        w.NameField()->setText(QStringLiteral("Ann"));
        if (c.client) w.ClientChoice()->setChecked(true);
        w.IpField()->setText(c.ip);
        w.PortField()->setText(c.port);
        EXPECT_EQ(w.Accept(), c.message.isEmpty()) << c.ip.toStdString() << ":" << c.port.toStdString();
        EXPECT_EQ(d.shown.messages.value(0), c.message);
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(d.started.empty());
            continue;
        }
        ASSERT_EQ(d.started.size(), 1u);
        EXPECT_EQ(d.started[0].server, !c.client);
        EXPECT_EQ(d.started[0].port, 3100);
        EXPECT_EQ(d.started[0].name, "Ann");
        EXPECT_EQ(d.started[0].ip, c.client ? "192.168.1.5" : "");
    }
    NetDialog refused(false);
    refused.dialog.NameField()->setText(QStringLiteral("Ann"));
    EXPECT_FALSE(refused.dialog.Accept()); // a port in use: told by the window, the dialog stays
    EXPECT_EQ(refused.started.size(), 1u);
}

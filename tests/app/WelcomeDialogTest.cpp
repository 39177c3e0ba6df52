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

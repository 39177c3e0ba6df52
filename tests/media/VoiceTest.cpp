#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "TestApp.h"
#include "media/CardVoice.h"
#include "packages/Package.h"

namespace tarvo {
namespace {

using testing::RecordedSound;

TStr2 Card(const char* utf8) {
    return *TStr2::FromUtf8(utf8);
}

TEST(VoiceNames, CardPartVoiceAndLanguage) {
    const struct {
        const char* card;
        int language;
        const char* name;
    } cases[] = {
        {"Дп", 1, "Pi3QVoiceRus"},  {"1ч", 2, "Ch10VoiceDeu"},  {"6б", 0, "Bu06VoiceEng"},
        {"9к", 3, "Kr09VoiceFra"},  {"Вч", 4, "Ch2JVoiceSpa"},  {"Кб", 5, "Bu4KVoiceChi"},
        {"Тк", 6, "Kr5AVoiceIta"},  {"7п", 7, "Pi07VoiceCze"},  {"8ч", 8, "Ch08VoiceJap"},
        {"Тп", 9, "Pi5AVoiceKor"},  {"Дп", 10, "Pi3QVoiceEng"}, // a language out of range speaks English
        {"Дп", -1, "Pi3QVoiceEng"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VoiceResourceName(Card(c.card), c.language).toStdString(), c.name)
            << c.card << " " << c.language;
}

TEST(VoiceNames, JokersAndCodesThatAreNoCard) {
    EXPECT_EQ(VoiceCardPart(TStr2{'j', '1'}), "XJBl");
    EXPECT_EQ(VoiceCardPart(TStr2{'j', '2'}), "XJRd");
    EXPECT_EQ(VoiceCardPart(TStr2{'j', '3'}), "XJBk");
    for (TStr2 code : {NoCard, FaceDown, TStr2{'j', '4'}, TStr2{'5', cp::Pe}, TStr2{'6', 'x'}})
        EXPECT_TRUE(VoiceCardPart(code).isEmpty()) << code.Utf8();
    EXPECT_EQ(VoiceResourceName(NoCard, 1), "VoiceRus");
}

class CardVoiceTest : public ::testing::Test {
  protected:
    void UsePackagesIn(const QString& folder) { packages_.SetFolders({folder, QString()}); }

    RecordedSound sound_;
    PackageRegistry packages_;
    CardVoice voice_{packages_, sound_.player};
};

TEST_F(CardVoiceTest, SpeaksTheSampleOfTheCardInTheLanguageEvenWithSoundOff) {
    UsePackagesIn(QStringLiteral(TINY_VOICE_DIR));
    // Sound off: the effects are silent, the voice is not.
    EXPECT_FALSE(sound_.player.PlayResource("WHodsDo", false, false));
    EXPECT_TRUE(voice_.Say(Card("Дп"), false, 1));
    EXPECT_TRUE(voice_.Say(Card("1ч"), false, 2));
    ASSERT_EQ(sound_.output.started.size(), 2u);
    QFile snap(QStringLiteral(EFFECTS_DIR "/WHODSDO")), ding(QStringLiteral(EFFECTS_DIR "/WDING_1"));
    ASSERT_TRUE(snap.open(QIODevice::ReadOnly) && ding.open(QIODevice::ReadOnly));
    EXPECT_EQ(sound_.output.started[0], snap.readAll());
    EXPECT_EQ(sound_.output.started[1], ding.readAll());
}

TEST_F(CardVoiceTest, ASampleThePackageLacksOrCannotPlayIsNotHeard) {
    UsePackagesIn(QStringLiteral(TINY_VOICE_DIR));
    EXPECT_TRUE(voice_.Say(Card("Дп"), false, 0)); // no English queen of spades in the tiny package
    EXPECT_TRUE(voice_.Say(Card("6к"), false, 0)); // "KR06VOICEENG" holds text, not a wave
    EXPECT_TRUE(voice_.Say(NoCard, false, 1));
    EXPECT_TRUE(sound_.output.started.empty());
}

TEST_F(CardVoiceTest, MissingOrDamagedPackageIsSilentAndLookedForAgain) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    UsePackagesIn(folder.path());
    EXPECT_FALSE(voice_.Say(Card("Дп"), false, 1));

    QFile damaged(folder.filePath(VoicePackage));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("qres\0\0\0\3 this is no resource file", 33));
    damaged.close();
    EXPECT_FALSE(voice_.Say(Card("Дп"), false, 1));
    EXPECT_TRUE(sound_.output.started.empty());

    // Once the package arrives it is found and kept.
    UsePackagesIn(QStringLiteral(TINY_VOICE_DIR));
    EXPECT_TRUE(voice_.Say(Card("Дп"), false, 1));
    UsePackagesIn(folder.path());
    EXPECT_TRUE(voice_.Say(Card("Дп"), false, 1));
    EXPECT_EQ(sound_.output.started.size(), 2u);
}

TEST_F(CardVoiceTest, AWaitingCardReturnsAfterItsSample) {
    UsePackagesIn(QStringLiteral(TINY_VOICE_DIR));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(voice_.Say(Card("1ч"), true, 2));
    EXPECT_GE(clock.elapsed(), 600); // the ding of the tiny package lasts 0.7 s
    EXPECT_LT(clock.elapsed(), 2000);
}

// Two games in one process (a network test's server and client) each hear their own voice: one
// finds the package in its own folder, the other, with none in its folder, stays silent.
TEST(TwoGames, EachSpeaksThroughItsOwnPackagesAndSpeakers) {
    QTemporaryDir empty;
    RecordedSound first, second;
    const PackageRegistry withVoice({QStringLiteral(TINY_VOICE_DIR), QString()});
    const PackageRegistry without({empty.path(), QString()});
    CardVoice one(withVoice, first.player), two(without, second.player);
    EXPECT_TRUE(one.Say(Card("Дп"), false, 1));
    EXPECT_FALSE(two.Say(Card("Дп"), false, 1));
    EXPECT_EQ(first.output.started.size(), 1u);
    EXPECT_TRUE(second.output.started.empty());
}

} // namespace
} // namespace tarvo

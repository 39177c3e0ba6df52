#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QtEndian>
#include <cmath>
#include <string>

#include "TestApp.h"
#include "media/Sound.h"

namespace tarvo {
namespace {

using testing::RecordedSound;

// Every effect the game plays, spelled as the game asks for it.
const char* const Effects[] = {"WHodsDo", "WHodBer", "WHodOtb", "WDing_1", "WKoloNo", "WTasoKo",
                               "WWrongs", "WOpenFo", "WToMenK", "WKoGood", "WKoBads", "WKoGutX",
                               "WFiGood", "WFiBads", "WFiBest", "STimerA", "STimerB"};

struct Measure {
    double seconds = 0;
    double peak = 0;
    double rms = 0;
    double crossingsPerSecond = 0; // a rough pitch
    double energyCentre = 0;       // where in the sound its energy lies, 0..1
};

Measure Measured(const QByteArray& wave, const WaveInfo& info) {
    const auto* s = reinterpret_cast<const qint16*>(wave.constData() + info.dataOffset);
    const qsizetype n = info.dataSize / 2;
    Measure m;
    m.seconds = static_cast<double>(n) / info.sampleRate;
    double energy = 0, weighted = 0;
    int crossings = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const double v = qFromLittleEndian(s[i]) / 32768.0;
        m.peak = std::max(m.peak, std::abs(v));
        energy += v * v;
        weighted += v * v * static_cast<double>(i) / static_cast<double>(n);
        if (i > 0 && (qFromLittleEndian(s[i - 1]) < 0) != (qFromLittleEndian(s[i]) < 0)) ++crossings;
    }
    m.rms = std::sqrt(energy / static_cast<double>(n));
    m.crossingsPerSecond = crossings / m.seconds;
    m.energyCentre = energy > 0 ? weighted / energy : 0;
    return m;
}

bool Apart(double a, double b) {
    return std::abs(a - b) > 0.15 * std::max(a, b);
}

TEST(Effects, EveryEffectIsAnAudibleWaveOfSensibleLength) {
    testing::EnsureApp();
    std::vector<std::pair<std::string, Measure>> measured;
    for (const char* name : Effects) {
        const auto wave = ResourceWave(name);
        ASSERT_TRUE(wave) << name;
        ASSERT_TRUE(wave->startsWith("RIFF")) << name;
        const auto info = ParseWave(*wave);
        ASSERT_TRUE(info) << name;
        EXPECT_EQ(info->sampleRate, 44100) << name;
        const Measure m = Measured(*wave, *info);
        EXPECT_GE(m.seconds, 0.04) << name;
        EXPECT_LE(m.seconds, 2.0) << name;
        EXPECT_GT(m.rms, 0.04) << name << " is too quiet";
        EXPECT_LT(m.peak, 0.95) << name << " clips";
        measured.emplace_back(name, m);
    }
    // No two effects are alike in length, pitch and shape all at once.
    for (std::size_t i = 0; i < measured.size(); ++i)
        for (std::size_t j = i + 1; j < measured.size(); ++j) {
            const Measure &a = measured[i].second, &b = measured[j].second;
            EXPECT_TRUE(Apart(a.seconds, b.seconds) || Apart(a.crossingsPerSecond, b.crossingsPerSecond) ||
                        Apart(a.energyCentre, b.energyCentre))
                << measured[i].first << " and " << measured[j].first << " sound alike";
        }
}

TEST(Effects, NamesAreFoundWithoutRegardToCase) {
    testing::EnsureApp();
    ASSERT_TRUE(ResourceWave("WHodsDo"));
    EXPECT_EQ(ResourceWave("whodsdo"), ResourceWave("WHODSDO"));
    EXPECT_FALSE(ResourceWave("WNoSuch"));
    EXPECT_FALSE(ResourceWave(""));
}

TEST(Effects, SoundOffSilencesEveryEffect) {
    RecordedSound sound;
    for (const char* name : Effects) EXPECT_FALSE(sound.player.PlayResource(name, false, false)) << name;
    EXPECT_FALSE(sound.player.PlayResource("WHodsDo", true, false));
    EXPECT_TRUE(sound.output.started.empty());
}

TEST(Effects, PlaysTheResourceAndMissingOnesStaySilent) {
    RecordedSound sound;
    EXPECT_TRUE(sound.player.PlayResource("WOpenFo", false, true));
    EXPECT_TRUE(sound.player.PlayResource("wtomenk", false, true));
    EXPECT_FALSE(sound.player.PlayResource("WNoSuch", false, true));
    ASSERT_EQ(sound.output.started.size(), 2u);
    EXPECT_EQ(sound.output.started[0], *ResourceWave("WOpenFo"));
    EXPECT_EQ(sound.output.started[1], *ResourceWave("WToMenK"));
}

TEST(Effects, AWaitingSoundReturnsAfterItsLengthAndAnotherDoesNot) {
    RecordedSound sound;
    const int length = ParseWave(*ResourceWave("WHodOtb"))->DurationMs();
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(sound.player.PlayResource("WHodOtb", true, true));
    const qint64 waited = clock.elapsed();
    EXPECT_GE(waited, length - 5);
    EXPECT_LT(waited, length + 1000);

    clock.restart();
    EXPECT_TRUE(sound.player.PlayResource("WHodOtb", false, true));
    EXPECT_LT(clock.elapsed(), length);
}

TEST(Effects, TheMoveSoundsWaitAndTheOthersPlayOn) {
    for (const char* name : {"WHodsDo", "WHodBer", "WHodOtb", "WDing_1", "WKoloNo"})
        EXPECT_TRUE(EffectWaits(name));
    for (const char* name : {"WTasoKo", "WWrongs", "WOpenFo", "WKoGood", "WFiBest", "STimerA"})
        EXPECT_FALSE(EffectWaits(name));
}

// Whatever the machine has for speakers (none on a test machine), the real output returns and
// a waiting sound still ends after its length.
TEST(Effects, TheSpeakersNeverHang) {
    testing::EnsureApp();
    SoundPlayer speakers;
    const int length = ParseWave(*ResourceWave("STimerB"))->DurationMs();
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(speakers.PlayResource("STimerA", false, true));
    EXPECT_TRUE(speakers.PlayResource("STimerB", true, true)); // cuts the first one off
    EXPECT_LT(clock.elapsed(), length + 2000);
    EXPECT_TRUE(speakers.PlayResource("WWrongs", false, true));
    speakers.Output().Stop();
}

} // namespace
} // namespace tarvo

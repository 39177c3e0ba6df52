#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>

#include "TestApp.h"
#include "media/Song.h"

namespace tarvo {
namespace {

class FakePlayer final : public SongPlayer {
  public:
    bool Open(const QString& path) override {
        opened = path;
        open = !failOpen;
        error = failOpen;
        return open;
    }
    void Close() override {
        open = playing = error = false;
        opened.clear();
    }
    bool IsOpen() const override { return open; }
    bool HasError() const override { return error; }
    void Play() override {
        playing = true;
        ++plays;
    }
    void Stop() override { playing = false; }
    bool IsPlaying() const override { return playing; }

    QString opened;
    bool failOpen = false, open = false, error = false, playing = false;
    int plays = 0;
};

struct Messages final : SongMessages {
    void CantCreateMusicFile() override { ++cantCreate; }
    int cantCreate = 0;
};

class SongTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureApp();
        ASSERT_TRUE(temp_.isValid());
        path_ = SongFilePath(temp_.path());
    }

    QTemporaryDir temp_;
    QString path_; // the song file
    FakePlayer player_;
    Messages messages_;
};

// The chunks of a standard MIDI file: a header and tracks that each end with "end of track".
TEST(SongResource, IsAWellFormedMidiFile) {
    testing::EnsureApp();
    const QByteArray midi = SongResource();
    ASSERT_GE(midi.size(), 14);
    ASSERT_TRUE(midi.startsWith("MThd"));
    const auto* b = reinterpret_cast<const uchar*>(midi.constData());
    EXPECT_EQ(qFromBigEndian<quint32>(b + 4), 6u);
    EXPECT_EQ(qFromBigEndian<quint16>(b + 8), 1u); // several tracks played together
    const int tracks = qFromBigEndian<quint16>(b + 10);
    EXPECT_GE(tracks, 2);
    qsizetype at = 14;
    for (int t = 0; t < tracks; ++t) {
        ASSERT_LE(at + 8, midi.size());
        EXPECT_EQ(midi.mid(at, 4), "MTrk");
        const qsizetype size = qFromBigEndian<quint32>(b + at + 4);
        ASSERT_LE(at + 8 + size, midi.size());
        EXPECT_EQ(midi.mid(at + 8 + size - 3, 3), QByteArray("\xFF\x2F\x00", 3));
        at += 8 + size;
    }
    EXPECT_EQ(at, midi.size());
}

TEST_F(SongTest, PrepareWritesTheSongOnceAndOpensIt) {
    const QString path = QDir(temp_.path()).filePath(QStringLiteral("temp15_25.mid"));
    EXPECT_EQ(SongFilePath(temp_.path()), path);
    ASSERT_TRUE(PrepareSong(player_, messages_, path_));
    EXPECT_EQ(player_.opened, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), SongResource());
    file.close();

    // A second start finds the file and leaves it as it is.
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    FakePlayer second;
    ASSERT_TRUE(PrepareSong(second, messages_, path_));
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    EXPECT_TRUE(second.IsOpen());
    EXPECT_EQ(messages_.cantCreate, 0);

    DeleteSongFile(path_);
    EXPECT_FALSE(QFileInfo::exists(path));
    DeleteSongFile(path_); // nothing left to delete is no error
}

TEST_F(SongTest, AFileThatIsNotOurSongIsWrittenOver) {
    QFile stale(path_);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("MThd, but cut short");
    stale.close();
    ASSERT_TRUE(PrepareSong(player_, messages_, path_));
    ASSERT_TRUE(stale.open(QIODevice::ReadOnly));
    EXPECT_EQ(stale.readAll(), SongResource());
}

TEST_F(SongTest, UnwritableFolderIsReportedAndTheSongStaysSilent) {
    path_ = SongFilePath(QDir(temp_.path()).filePath(QStringLiteral("no/such/folder")));
    player_.open = true; // whatever it held before
    EXPECT_FALSE(PrepareSong(player_, messages_, path_));
    EXPECT_EQ(messages_.cantCreate, 1);
    EXPECT_FALSE(player_.IsOpen());
    PlaySong(player_, true, path_);
    EXPECT_EQ(player_.plays, 0);
}

TEST_F(SongTest, PlaySongNeedsTheFileAndAPlayerWithoutError) {
    ASSERT_TRUE(PrepareSong(player_, messages_, path_));
    PlaySong(player_, true, path_);
    EXPECT_TRUE(player_.playing);
    PlaySong(player_, false, path_);
    EXPECT_FALSE(player_.playing);

    DeleteSongFile(path_);
    PlaySong(player_, true, path_);
    EXPECT_FALSE(player_.playing);

    FakePlayer broken;
    broken.failOpen = true;
    ASSERT_TRUE(PrepareSong(broken, messages_, path_));
    PlaySong(broken, true, path_);
    EXPECT_EQ(broken.plays, 0);
}

TEST_F(SongTest, TheMenuSongStopsForAGameAndComesBackOnTheMenu) {
    ASSERT_TRUE(PrepareSong(player_, messages_, path_));
    MenuSong song(player_, path_);
    song.ShowMenu(true); // start-up
    EXPECT_TRUE(player_.playing);

    song.DealGame();
    EXPECT_FALSE(player_.playing);

    song.ShowMenu(true);
    EXPECT_TRUE(player_.playing);
    const int plays = player_.plays;
    song.ShowMenu(true); // still playing: not restarted
    EXPECT_EQ(player_.plays, plays);

    song.SwitchMusic(false);
    EXPECT_FALSE(player_.playing);
    song.ShowMenu(false);
    EXPECT_FALSE(player_.playing);
    song.SwitchMusic(true);
    EXPECT_TRUE(player_.playing);
}

// The real synthesiser, without speakers: the song renders loud enough and without clipping.
TEST(FluidSong, TheSongIsAudibleWithTheGeneralMidiFont) {
    testing::EnsureApp();
    const QString font = FluidSongPlayer::DefaultSoundFont();
    if (font.isEmpty()) GTEST_SKIP() << "no General MIDI sound font installed";
    const QByteArray wave = RenderSong(SongResource(), font, 8.0);
    const auto info = ParseWave(wave);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->DurationMs(), 8000);
    const auto* s = reinterpret_cast<const qint16*>(wave.constData() + info->dataOffset);
    double energy = 0, peak = 0;
    const qsizetype n = info->dataSize / 2;
    for (qsizetype i = 0; i < n; ++i) {
        const double v = qFromLittleEndian(s[i]) / 32768.0;
        energy += v * v;
        peak = std::max(peak, std::abs(v));
    }
    EXPECT_GT(std::sqrt(energy / static_cast<double>(n)), 0.03);
    EXPECT_LT(peak, 0.99);

    EXPECT_TRUE(RenderSong("not a song", font, 1.0).isEmpty());
    EXPECT_TRUE(RenderSong(SongResource(), QStringLiteral("/no/such/font.sf2"), 1.0).isEmpty());
}

TEST_F(SongTest, TheFluidSynthPlayerReturnsWithOrWithoutSpeakers) {
    FluidSongPlayer fluid;
    fluid.Play(); // nothing opened: nothing happens
    fluid.Stop();
    EXPECT_FALSE(fluid.IsPlaying());

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(PrepareSong(fluid, messages_, path_));
    MenuSong song(fluid, path_);
    song.ShowMenu(true);
    song.DealGame();
    EXPECT_FALSE(fluid.IsPlaying());
    EXPECT_LT(clock.elapsed(), 10000);
    if (fluid.HasError()) {
        EXPECT_FALSE(fluid.IsOpen());
    }

    QFile junk(QDir(temp_.path()).filePath(QStringLiteral("junk.mid")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a MIDI file at all");
    junk.close();
    EXPECT_FALSE(fluid.Open(junk.fileName()));
    EXPECT_TRUE(fluid.HasError());
    fluid.Play();
    EXPECT_FALSE(fluid.IsPlaying());
}

// The real player on FluidSynth's wave-file output: it starts, stops, and starts again from the
// top, as the menu needs it to.
TEST_F(SongTest, TheFluidSynthPlayerStartsStopsAndStartsAgain) {
    if (FluidSongPlayer::DefaultSoundFont().isEmpty()) GTEST_SKIP() << "no General MIDI sound font installed";
    const QString out = QDir(temp_.path()).filePath(QStringLiteral("heard.wav"));
    FluidSongPlayer fluid(FluidSongPlayer::DefaultSoundFont(), out);
    ASSERT_TRUE(PrepareSong(fluid, messages_, path_));
    if (fluid.HasError()) GTEST_SKIP() << "FluidSynth was built without its wave-file output";
    MenuSong song(fluid, path_);
    song.ShowMenu(true);
    EXPECT_TRUE(fluid.IsPlaying());
    testing::Wait(300);
    song.DealGame();
    EXPECT_FALSE(fluid.IsPlaying());
    song.ShowMenu(true);
    EXPECT_TRUE(fluid.IsPlaying());
    testing::Wait(300);
    fluid.Close();
    EXPECT_FALSE(fluid.IsPlaying());
    EXPECT_GT(QFileInfo(out).size(), 44 + 4 * 44100 / 10); // at least a tenth of a second was heard
}

} // namespace
} // namespace tarvo

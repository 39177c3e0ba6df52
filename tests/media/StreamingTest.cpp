// The music player and the radio against real streams from a local HTTP server: an Ogg Vorbis
// and an MP3 track, an endless live stream, one that stalls, and addresses where nobody answers.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QTemporaryDir>

#include "../support/DeadAddress.h"
#include "LocalServer.h"
#include "TestApp.h"
#include "media/MusicPlayer.h"
#include "media/Radio.h"
#include "media/SourceArbiter.h"
#include "packages/Package.h"

namespace tarvo {
namespace {

using State = AudioStream::State;

using test::DeadAddress;
using testing::WaitFor;

class StreamingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::EnsureApp();
        ASSERT_TRUE(QFile::exists(QStringLiteral(STREAMS_DIR "/live.mp3")));
        server_ = std::make_unique<testing::LocalServer>(STREAMS_DIR);
        network_ = std::make_unique<QNetworkAccessManager>();
    }
    QString Url(const char* path) const { return server_->Url() + QLatin1String(path); }

    std::unique_ptr<testing::LocalServer> server_;
    std::unique_ptr<QNetworkAccessManager> network_;
};

// The tracks of the music folder: three real ones and fillers to make the player usable.
std::vector<Track> TracksAt(const QString& server) {
    std::vector<Track> tracks;
    for (const char* name :
         {"Band_A~Tone_One.mp3", "Band_B~Tone_Two.mp3", "Band_C~Short.mp3", "X~4.mp3", "X~5.mp3"})
        tracks.push_back({server + QStringLiteral("/musik/") + QLatin1String(name), {}, {}});
    return tracks;
}

TEST_F(StreamingTest, MusicPlaysNextPreviousStopAndVolume) {
    MusicPlayer music;
    int pick = 1;
    music.SetChooser([&](int) { return pick; });
    music.SetTracks(TracksAt(server_->Url()));
    ASSERT_TRUE(music.Usable());
    EXPECT_EQ(music.Current(), 1);
    EXPECT_EQ(music.Volume(), 50);
    EXPECT_EQ(music.Stream().CurrentState(), State::Stopped); // nothing plays before the player asks

    music.PlayPause();
    EXPECT_TRUE(music.Playing());
    ASSERT_TRUE(WaitFor([&] { return music.Stream().Position() >= 400; }));
    EXPECT_EQ(music.Stream().CurrentState(), State::Playing);

    pick = 2;
    music.Next();
    EXPECT_EQ(music.Current(), 2);
    ASSERT_TRUE(WaitFor([&] { return music.Stream().CurrentState() == State::Playing; }));
    EXPECT_TRUE(music.Stream().Address().endsWith(QStringLiteral("Band_B~Tone_Two.mp3")));

    music.Previous(); // back to the track heard before
    EXPECT_EQ(music.Current(), 1);
    ASSERT_TRUE(WaitFor([&] { return music.Stream().CurrentState() == State::Playing; }))
        << int(music.Stream().CurrentState()) << " failed " << music.Failed() << " playing " << music.Playing()
        << " position " << music.Stream().Position() << " current " << music.Current();

    // Volume in steps of 5 on the button's halves; the stream follows.
    music.VolumeClick(40);
    EXPECT_EQ(music.Volume(), 55);
    EXPECT_EQ(music.Stream().Volume(), 55);
    music.VolumeClick(30); // the middle changes nothing
    EXPECT_EQ(music.Volume(), 55);
    for (int i = 0; i < 20; ++i) music.VolumeClick(5);
    EXPECT_EQ(music.Volume(), 0);
    for (int i = 0; i < 21; ++i) music.VolumeClick(60);
    EXPECT_EQ(music.Volume(), 100);
    EXPECT_EQ(music.Stream().Volume(), 100);

    music.PlayPause(); // stop
    EXPECT_FALSE(music.Playing());
    EXPECT_EQ(music.Stream().CurrentState(), State::Stopped);
    const qint64 held = music.Stream().Position();
    QThread::msleep(300);
    QCoreApplication::processEvents();
    EXPECT_EQ(music.Stream().Position(), held);
}

TEST_F(StreamingTest, EndOfTrackMovesOnAndADeadTrackStops) {
    MusicPlayer music;
    int pick = 3; // the short track first
    music.SetChooser([&](int) { return pick; });
    music.SetTracks(TracksAt(server_->Url()));
    music.PlayPause();
    pick = 2;
    ASSERT_TRUE(WaitFor([&] { return music.Current() == 2; }));
    EXPECT_TRUE(music.Playing());
    ASSERT_TRUE(WaitFor([&] { return music.Stream().CurrentState() == State::Playing; }));

    // A track the server does not have: shown as stopped.
    std::vector<Track> missing = TracksAt(server_->Url());
    missing[0].address = Url("/musik/Gone~Away.mp3");
    pick = 1;
    music.SetTracks(missing);
    music.PlayPause();
    ASSERT_TRUE(WaitFor([&] { return !music.Playing(); }));
    EXPECT_TRUE(music.Failed());
}

TEST_F(StreamingTest, PlaylistComesFromTheServersMusicFolder) {
    server_->Http().Get("/musik/_playlist.html", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("Band_A~Tone_One.mp3\nBand_B~Tone_Two.mp3\nBand_C~Short.mp3\nX~4.mp3\nX~5.mp3\n",
                        "text/html; charset=utf-8");
    });
    MusicPlayer music;
    music.FetchPlaylist(*network_, server_->Url());
    ASSERT_TRUE(WaitFor([&] { return music.Usable(); }));
    EXPECT_EQ(music.Tracks()[1].artist, QStringLiteral("Band B"));
    EXPECT_EQ(music.Tracks()[1].address, server_->Url() + QStringLiteral("/musik/Band_B~Tone_Two.mp3"));

    // Four tracks are not enough; an unreachable server leaves no tracks.
    MusicPlayer few, none;
    few.SetTracks(std::vector<Track>(4, Track{Url("/musik/X~4.mp3"), {}, {}}));
    EXPECT_FALSE(few.Usable());
    none.FetchPlaylist(*network_, test::DeadServer());
    EXPECT_FALSE(WaitFor([&] { return !none.Tracks().empty(); }, 1500));
}

class RadioTest : public StreamingTest {
  protected:
    void SetUp() override {
        StreamingTest::SetUp();
        ASSERT_TRUE(temp_.isValid());
        // The radio needs its picture package; any file of that name stands in for it here.
        QFile package(temp_.filePath(RadioPackageName));
        ASSERT_TRUE(package.open(QIODevice::WriteOnly));
    }
    // The places of this test's radio: its list and picture package in the temporary folder.
    RadioPlaces Places(const QString& server) const {
        return {temp_.path(), server, true, PackageRegistry({temp_.path(), QString()})};
    }

    std::vector<Station> Stations() {
        return ParseStationList(("RUS#LIVEMP3#Live#Russian Federation#" + Url("/live.mp3") + "#L\n" +
                                 "JAP#DEADONE#Dead#Japan#" + DeadAddress() + "#L\n" +
                                 "JAP#STALLED#Stalled#Japan#" + Url("/stall.mp3") + "#L\n" +
                                 "RUS#LIVEOGG#Live Ogg#Russian Federation#" + Url("/live.ogg") + "#L\n")
                                    .toUtf8());
    }

    QTemporaryDir temp_;
};

TEST_F(RadioTest, PlaysAStationAndADeadOneIsToldWhileTheRestWork) {
    Radio radio;
    radio.Stream().SetPatience(8000, 2000);
    const auto stations = Stations();
    radio.SetStations(stations, true);
    ASSERT_TRUE(radio.Available());
    radio.Select(stations[0]);
    EXPECT_FALSE(radio.Sounding()); // off: choosing a station plays nothing yet
    radio.TurnOn();
    EXPECT_EQ(radio.Stream().Volume(), 30);
    ASSERT_TRUE(WaitFor([&] { return radio.Stream().Position() >= 500; }));
    EXPECT_EQ(radio.Stream().CurrentState(), State::Playing);
    radio.VolumeUp();
    EXPECT_EQ(radio.Stream().Volume(), 40);
    EXPECT_EQ(radio.Settings().volume, 40);

    radio.Select(stations[1]); // nobody answers there
    ASSERT_TRUE(WaitFor([&] { return !radio.FailedStation().isEmpty(); }));
    EXPECT_EQ(radio.FailedStation(), QStringLiteral("Dead"));
    EXPECT_FALSE(radio.Sounding());
    EXPECT_TRUE(radio.On()); // the player's choice stands: the next station plays

    radio.Select(stations[3]); // an Ogg Vorbis station
    EXPECT_TRUE(radio.FailedStation().isEmpty());
    ASSERT_TRUE(WaitFor([&] { return radio.Stream().Position() >= 500; }));
    EXPECT_EQ(radio.Stream().CurrentState(), State::Playing);

    radio.Toggle(); // off
    EXPECT_FALSE(radio.On());
    EXPECT_EQ(radio.Stream().CurrentState(), State::Stopped);
}

TEST_F(RadioTest, AStationThatFallsSilentIsShownStopped) {
    Radio radio;
    radio.Stream().SetPatience(8000, 1500);
    const auto stations = Stations();
    radio.SetStations(stations, true);
    radio.Select(stations[2]);
    radio.TurnOn();
    ASSERT_TRUE(WaitFor([&] { return radio.Stream().CurrentState() == State::Playing; }));
    ASSERT_TRUE(WaitFor([&] { return radio.Stream().CurrentState() == State::Failed; }));
    EXPECT_EQ(radio.FailedStation(), QStringLiteral("Stalled"));
    EXPECT_FALSE(radio.Sounding());
}

TEST_F(RadioTest, ListFromTheServerIsKeptAsACopyAndServesWhenTheServerIsDown) {
    const std::string list = "RUS#LIVEMP3#Live#Russian Federation#" + Url("/live.mp3").toStdString() + "#L\n";
    server_->Http().Get(StationListServerPath, [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(list, "text/plain; charset=utf-8");
    });
    Radio radio;
    radio.CheckAvailability(*network_, Places(server_->Url()));
    ASSERT_TRUE(WaitFor([&] { return !radio.Checking(); }));
    EXPECT_TRUE(radio.Available());
    ASSERT_EQ(radio.Stations().size(), 1u);
    QFile copy(temp_.filePath(ServerStationListFileName));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll().toStdString(), list);

    // The server is down: the copy serves, and a radio left on stays on.
    RadioSettings on = DefaultRadioSettings();
    on.on = true;
    ASSERT_TRUE(WriteRadioSettings(temp_.filePath(RadioSettingsFileName), on));
    const QString down = test::DeadServer();
    Radio offline;
    offline.LoadSettings(temp_.filePath(RadioSettingsFileName));
    offline.CheckAvailability(*network_, Places(down));
    ASSERT_TRUE(WaitFor([&] { return !offline.Checking(); }));
    EXPECT_TRUE(offline.Available());
    EXPECT_EQ(offline.Stations().size(), 1u);
    EXPECT_TRUE(offline.On());

    // Without copy and shipped list, or without the picture package, the radio is off.
    ASSERT_TRUE(QFile::remove(temp_.filePath(ServerStationListFileName)));
    Radio bare;
    bare.LoadSettings(temp_.filePath(RadioSettingsFileName));
    bare.CheckAvailability(*network_, Places(down));
    ASSERT_TRUE(WaitFor([&] { return !bare.Checking(); }));
    EXPECT_FALSE(bare.Available());
    EXPECT_FALSE(bare.On());
    bare.SetStations(Stations(), false);
    EXPECT_FALSE(bare.Available());
}

// Song, music and radio: whichever starts, the others fall silent.
TEST_F(RadioTest, OnlyOneSourceSoundsAtATime) {
    struct Song final : SongPlayer {
        bool Open(const QString&) override { return true; }
        void Close() override {}
        bool IsOpen() const override { return true; }
        bool HasError() const override { return false; }
        void Play() override { playing = true; }
        void Stop() override { playing = false; }
        bool IsPlaying() const override { return playing; }
        bool playing = false;
    } songOutput;
    SourceArbiter arbiter;
    ClaimingSongPlayer song(songOutput, arbiter);
    bool musicOn = true; // the settings' switch of the song
    MusicPlayer music(&arbiter);
    Radio radio(&arbiter);
    arbiter.Attach(AudioSource::Song, [&] {
        musicOn = false;
        song.Stop();
    });
    arbiter.Attach(AudioSource::Music, [&] { music.Silence(); });
    arbiter.Attach(AudioSource::Radio, [&] {
        if (radio.On()) radio.TurnOff();
    });
    music.SetChooser([](int) { return 2; });
    music.SetTracks(TracksAt(server_->Url()));
    const auto stations = Stations();
    radio.SetStations(stations, true);
    radio.Select(stations[0]);
    auto sounding = [&] { return int(songOutput.playing) + int(music.Playing()) + int(radio.Sounding()); };

    song.Play();
    EXPECT_EQ(sounding(), 1);

    music.PlayPause();
    EXPECT_FALSE(songOutput.playing);
    EXPECT_FALSE(musicOn);
    ASSERT_TRUE(WaitFor([&] { return music.Stream().CurrentState() == State::Playing; }));
    EXPECT_EQ(sounding(), 1);

    radio.TurnOn();
    EXPECT_FALSE(music.Playing());
    EXPECT_EQ(music.Stream().CurrentState(), State::Stopped);
    ASSERT_TRUE(WaitFor([&] { return radio.Stream().CurrentState() == State::Playing; }));
    EXPECT_EQ(sounding(), 1);

    music.PlayPause();
    EXPECT_FALSE(radio.On());
    EXPECT_EQ(radio.Stream().CurrentState(), State::Stopped);
    EXPECT_EQ(sounding(), 1);

    musicOn = true; // the player switches the song back on
    song.Play();
    EXPECT_FALSE(music.Playing());
    EXPECT_EQ(sounding(), 1);
}

} // namespace
} // namespace tarvo

// tarvo3-server's music folder and station list, read by the game's own music player and radio
// over real HTTP on 127.0.0.1.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QNetworkAccessManager>

#include "../media/TestApp.h"
#include "../support/ServerProcess.h"
#include "media/MusicPlayer.h"
#include "media/Radio.h"
#include "packages/Package.h"

namespace tarvo {
namespace {

using testing::EnsureApp;
using testing::WaitFor;

class MediaServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApp();
        server = std::make_unique<test::ServerProcess>(TARVO_SERVER);
        musik = server->DataDir() / "musik";
        std::filesystem::create_directories(musik / "Folder~Not_A_Track.mp3");
        const std::string track = test::ReadBytes(STREAMS_DIR "/musik/Band_A~Tone_One.mp3");
        for (const char* name :
             {"Band_A~Tone_One.mp3", "Группа_Б~Песня.mp3", "C~Three.MP3", "D~Four.mp3", "E~Five.mp3"})
            test::WriteBytes(musik / name, track);
        test::WriteBytes(musik / "cover.jpg", "jpeg");
        test::WriteBytes(musik / ".hidden.mp3", track);
        test::WriteBytes(server->DataDir() / "secret.mp3", "not for the music folder");
        http = std::make_unique<httplib::Client>("127.0.0.1", server->Port());
    }

    std::unique_ptr<test::ServerProcess> server;
    std::filesystem::path musik;
    std::unique_ptr<httplib::Client> http;
};

TEST_F(MediaServerTest, PlaylistListsTheMp3FilesAndTheyAreSent) {
    auto page = http->Get("/musik/_playlist.html");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->body, "Band_A~Tone_One.mp3\r\nC~Three.MP3\r\nD~Four.mp3\r\nE~Five.mp3\r\n"
                          "Группа_Б~Песня.mp3\r\n");

    const std::string whole = test::ReadBytes(musik / "Band_A~Tone_One.mp3");
    auto track = http->Get("/musik/Band_A~Tone_One.mp3");
    ASSERT_TRUE(track);
    EXPECT_EQ(track->status, 200);
    EXPECT_EQ(track->body, whole);
    // A player that seeks asks for a part.
    auto part = http->Get("/musik/Band_A~Tone_One.mp3", {{"Range", "bytes=100-199"}});
    ASSERT_TRUE(part);
    EXPECT_EQ(part->status, 206);
    EXPECT_EQ(part->body, whole.substr(100, 100));

    for (const char* path : {"/musik/..%2Fsecret.mp3", "/musik/.hidden.mp3", "/musik/cover.jpg",
                             "/musik/Gone.mp3", "/musik/Folder~Not_A_Track.mp3", "/musik/%0D%0Aevil.mp3"}) {
        auto refused = http->Get(path);
        ASSERT_TRUE(refused) << path;
        EXPECT_EQ(refused->status, 404) << path;
    }
}

TEST_F(MediaServerTest, AHugeFolderIsListedAsFarAsTheGameReads) {
    // 4500 long names would make a page of more than 1 MiB, which the game would not take at all.
    const std::string padding(240, 'x');
    for (int i = 0; i < 4500; ++i) test::WriteBytes(musik / ("Band~" + std::to_string(10000 + i) + padding + ".mp3"), "");
    auto page = http->Get("/musik/_playlist.html");
    ASSERT_TRUE(page);
    EXPECT_LE(page->body.size(), 1u << 20);
    EXPECT_GT(page->body.size(), 1000000u);
    EXPECT_EQ(page->body.substr(page->body.size() - 2), "\r\n"); // whole lines only
    EXPECT_EQ(page->body.substr(0, 21), "Band_A~Tone_One.mp3\r\n");
}

TEST_F(MediaServerTest, TheMusicPlayerPlaysFromTheServer) {
    QNetworkAccessManager network;
    MusicPlayer music;
    music.SetChooser([](int count) { return count; }); // the last one: the Cyrillic name
    music.FetchPlaylist(network, QString::fromStdString(server->Origin()));
    ASSERT_TRUE(WaitFor([&] { return music.Usable(); }));
    ASSERT_EQ(music.Tracks().size(), 5u);
    EXPECT_EQ(music.CurrentTrack()->artist, QStringLiteral(u"Группа Б"));
    EXPECT_EQ(music.CurrentTrack()->title, QStringLiteral(u"Песня"));
    music.PlayPause();
    ASSERT_TRUE(WaitFor([&] { return music.Stream().Position() >= 300; }));
    EXPECT_EQ(music.Stream().CurrentState(), AudioStream::State::Playing);
    music.PlayPause();
}

TEST_F(MediaServerTest, TheRadioTakesItsListFromTheServer) {
    std::filesystem::create_directories(server->DataDir() / "packages");
    const std::string list = "RUS#AVTORAD#Авторадио Moscow#Russian Federation#http://127.0.0.1:1/a#L\n";
    test::WriteBytes(server->DataDir() / "packages" / "QobRadio.rad", list);
    test::TempFolder program;
    test::WriteBytes(program.path() / "QobRadio02.dll", "pictures"); // found, that is all the radio asks

    QNetworkAccessManager network;
    Radio radio;
    const QString folder = QString::fromStdString(program.path().string());
    radio.CheckAvailability(network, {folder, QString::fromStdString(server->Origin()), true,
                                      PackageRegistry({folder, QString()})});
    ASSERT_TRUE(WaitFor([&] { return !radio.Checking(); }));
    EXPECT_TRUE(radio.Available());
    ASSERT_EQ(radio.Stations().size(), 1u);
    EXPECT_EQ(radio.Stations()[0].name, QStringLiteral(u"Авторадио Moscow"));
    EXPECT_EQ(test::ReadBytes(program.path() / "QobRadio.ser"), list);
}

} // namespace
} // namespace tarvo

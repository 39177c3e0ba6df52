// The radio's and the music player's files: the station list, the playlist page, "QobRadio.ini".
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "media/Playlist.h"
#include "media/StationList.h"

namespace tarvo {
namespace {

TEST(StationListTest, TakesOnlyWholeStationLines) {
    struct Case {
        const char* line;
        bool station;
    };
    const Case cases[] = {
        {"RUS#AVTORAD#Авторадио Moscow#Russian Federation#http://host/a#RRADIO_LOGO_AVTORADIO", true},
        {"# RUS#COMMENT#Not a station#Russian Federation#http://host/c#X", false},
        {"", false},
        {"RUS#SHORT1#Six characters#Russian Federation#http://host/s#X", false}, // identifier of 6
        {"RUS#TOOLONG1#Eight#Russian Federation#http://host/l#X", false},
        {"RU#ABCDEFG#Two-letter code#Russia#http://host/r#X", false},
        {"RUS#ABCDEFG#No address#Russian Federation", false},
        {"RUS#ABCDEFG##Russian Federation#http://host/n#X", false},         // no name
        {"RUS#ABCDEFG#Local file#Russian Federation#file:///etc/passwd#X", false},
        {"RUS#ABCDEFG#No host#Russian Federation#http://#X", false},
        {"JAP#NHKRAD1#NHK Radio 1#Japan#https://host/j.m3u8", true},         // no logo field
        {"XYZ#ABCDEFG#Elsewhere#Nowhere#http://host/x#X", true},             // shown under "All"
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseStationList(QByteArray(c.line)).size(), c.station ? 1u : 0u) << c.line;
}

TEST(StationListTest, FieldsOfALine) {
    const auto stations = ParseStationList(
        "# comment\r\nCHI#CNRVOIC#CNR 1 中国之声#China#https://host/386/64k.mp3#RRADIO_LOGO_CNRVOIC\r\n"
        "JAP#NHKRAD1#NHK Radio 1#Japan#https://host/j.m3u8\r\n");
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_EQ(stations[0].code, QStringLiteral("CHI"));
    EXPECT_EQ(stations[0].id, QStringLiteral("CNRVOIC"));
    EXPECT_EQ(stations[0].name, QStringLiteral(u"CNR 1 中国之声"));
    EXPECT_EQ(stations[0].country, QStringLiteral("China"));
    EXPECT_EQ(stations[0].address, QStringLiteral("https://host/386/64k.mp3"));
    EXPECT_EQ(stations[0].logo, QStringLiteral("RRADIO_LOGO_CNRVOIC"));
    EXPECT_EQ(stations[1].logo, DefaultStationLogo);
}

TEST(StationListTest, ReadsAListWrittenInTheOldCodePage) {
    QStringEncoder cp1251("windows-1251");
    const QByteArray old = cp1251.encode(QStringLiteral(u"RUS#MAYAKFM#Маяк#Russian Federation#http://host/m#L\r\n"));
    const auto stations = ParseStationList(old);
    ASSERT_EQ(stations.size(), 1u);
    EXPECT_EQ(stations[0].name, QStringLiteral(u"Маяк"));
}

TEST(StationListTest, FilterShowsOneCountryAndFindTakesTheFirstIdentifier) {
    const auto stations = ParseStationList("RUS#AAAAAAA#One#Russian Federation#http://h/1#L\n"
                                           "JAP#BBBBBBB#Two#Japan#http://h/2#L\n"
                                           "JAP#CCCCCCC#Three#Japan#http://h/3#L\n"
                                           "JAP#AAAAAAA#Same identifier#Japan#http://h/4#L\n");
    const int japan = RadioCountryIndex(QStringLiteral("JAP"));
    EXPECT_EQ(japan, 27);
    const auto shown = StationsForFilter(stations, japan);
    ASSERT_EQ(shown.size(), 3u);
    for (const Station& s : shown) EXPECT_EQ(s.code, QStringLiteral("JAP"));
    EXPECT_EQ(StationsForFilter(stations, 0).size(), 4u);
    EXPECT_EQ(FindStation(stations, QStringLiteral("AAAAAAA"))->name, QStringLiteral("One"));
    EXPECT_EQ(FindStation(stations, QStringLiteral("ZZZZZZZ")), nullptr);
}

// The list the game ships: every line is a station, and each country of the filter has one.
TEST(StationListTest, ShippedListCoversEveryCountry) {
    QFile file(QStringLiteral(SHIPPED_STATION_LIST));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    int lines = 0;
    for (const QByteArray& line : bytes.split('\n'))
        if (!line.isEmpty() && !line.startsWith('#')) ++lines;
    const auto stations = ParseStationList(bytes);
    EXPECT_EQ(static_cast<int>(stations.size()), lines);
    QSet<QString> ids;
    for (const Station& s : stations) {
        EXPECT_FALSE(ids.contains(s.id)) << qPrintable(s.id);
        ids.insert(s.id);
        EXPECT_NE(RadioCountryIndex(s.code), 0) << qPrintable(s.code);
    }
    for (int c = 1; c <= RadioCountryCount; ++c)
        EXPECT_FALSE(StationsForFilter(stations, c).empty()) << RadioCountries()[static_cast<std::size_t>(c)].name;
    // The default station is in the list, so the window finds it selected.
    const RadioSettings d = DefaultRadioSettings();
    const Station* first = FindStation(stations, QStringLiteral("AVTORAD"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name, d.name);
    EXPECT_EQ(first->address, d.address);
    EXPECT_EQ(first->logo, d.logo);
}

TEST(PlaylistTest, LinesBecomeTracks) {
    const QString folder = QStringLiteral("http://server/musik/");
    const auto tracks = ParsePlaylist("Some_Band~Long_Song.mp3\r\n"
                                      "\r\n"
                                      "<html>\n"
                                      "Группа_Кино~Звезда_по_имени_Солнце.MP3\n"
                                      "NoArtist.mp3\n"
                                      "Band~Title~With~Tildes.mp3\n"
                                      "cover.jpg\n"
                                      ".mp3\n",
                                      folder);
    ASSERT_EQ(tracks.size(), 4u);
    EXPECT_EQ(tracks[0].artist, QStringLiteral("Some Band"));
    EXPECT_EQ(tracks[0].title, QStringLiteral("Long Song"));
    EXPECT_EQ(tracks[0].address, folder + QStringLiteral("Some_Band~Long_Song.mp3"));
    EXPECT_EQ(tracks[1].artist, QStringLiteral(u"Группа Кино"));
    EXPECT_EQ(tracks[1].title, QStringLiteral(u"Звезда по имени Солнце"));
    EXPECT_EQ(tracks[2].artist, QString());
    EXPECT_EQ(tracks[2].title, QStringLiteral("NoArtist"));
    EXPECT_EQ(tracks[3].artist, QStringLiteral("Band"));
    EXPECT_EQ(tracks[3].title, QStringLiteral("Title~With~Tildes"));
}

TEST(RadioSettingsTest, VolumeMeterPictures) {
    const std::pair<int, const char*> cases[] = {{0, "00"}, {1, "01"}, {10, "01"}, {11, "02"},
                                                 {30, "03"}, {31, "04"}, {91, "10"}, {100, "10"}};
    for (auto [volume, digits] : cases)
        EXPECT_EQ(VolumeMeterPicture(volume), QStringLiteral("RRADIO_VOLUME") + QLatin1String(digits)) << volume;
}

TEST(RadioSettingsTest, FileRoundTripAndFallBacks) {
    QTemporaryDir temp;
    const QString path = temp.filePath(RadioSettingsFileName);
    const RadioSettings d = DefaultRadioSettings();

    // Missing, or short: the defaults.
    EXPECT_EQ(ReadRadioSettings(path).name, d.name);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Name\r\nhttp://a\r\nCountry\r\n");
    }
    EXPECT_EQ(ReadRadioSettings(path).address, d.address);

    RadioSettings s;
    s.name = QStringLiteral(u"Маяк");
    s.address = QStringLiteral("https://host/mayak");
    s.country = QStringLiteral("Russian Federation");
    s.logo = QStringLiteral("RRADIO_LOGO_MAYAKFM");
    s.on = true;
    s.volume = 31;
    s.filter = 27;
    ASSERT_TRUE(WriteRadioSettings(path, s));
    const RadioSettings back = ReadRadioSettings(path);
    EXPECT_EQ(back.name, s.name);
    EXPECT_EQ(back.address, s.address);
    EXPECT_TRUE(back.on);
    EXPECT_EQ(back.volume, 31);
    EXPECT_EQ(back.filter, 27);
    EXPECT_EQ(VolumeMeterPicture(back.volume), QStringLiteral("RRADIO_VOLUME04"));

    // A station with a part missing is saved as the default one; numbers out of range are held in.
    s.logo.clear();
    s.volume = 250;
    ASSERT_TRUE(WriteRadioSettings(path, s));
    const RadioSettings fallen = ReadRadioSettings(path);
    EXPECT_EQ(fallen.name, d.name);
    EXPECT_EQ(fallen.logo, d.logo);
    EXPECT_EQ(fallen.volume, 100);
}

} // namespace
} // namespace tarvo

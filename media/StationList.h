// The radio's data: the station list file, the country filter, and the radio's own settings file
// "QobRadio.ini". Reading and writing only; what plays lives in Radio.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

namespace tarvo {

inline const QString StationListFileName = QStringLiteral("QobRadio.rad");       // shipped
inline const QString ServerStationListFileName = QStringLiteral("QobRadio.ser"); // downloaded
inline const QString RadioSettingsFileName = QStringLiteral("QobRadio.ini");
inline const QString RadioPackageName = QStringLiteral("QobRadio02.dll");
// Where the program's web server keeps the station list.
inline constexpr const char* StationListServerPath = "/downloads/progr/cards/QobRadio.rad";

// One entry of the country filter: the code at the start of a station line, the name shown, and
// the two-letter code of its flag picture.
struct RadioCountry {
    const char* code;
    const char* name;
    const char* flag;
};
// Entries 1..28 of the filter (entry 0, "All", comes from the language tables).
inline constexpr int RadioCountryCount = 28;
const std::array<RadioCountry, RadioCountryCount + 1>& RadioCountries();
// The filter entry of a country code; 0 when it is none of the 28.
int RadioCountryIndex(const QString& code);

struct Station {
    QString code;    // 3 characters
    QString id;      // 7 characters
    QString name;    // as shown in the list
    QString country; // as shown in the hint
    QString address; // stream address
    QString logo;    // picture name in the radio package
};

// A line without a logo shows this one.
inline const QString DefaultStationLogo = QStringLiteral("RRADIO_LOGO_RADIOUN");

// An address the radio and the music player will open: http or https with a host. A list or a page
// from elsewhere must not make the player open local files.
bool IsStreamAddress(const QString& address);

// The stations of a list file in file order. Comment lines ("#" first) and lines that are not a
// station (fewer than five fields, a code that is not 3 characters, an identifier that is not 7,
// no name, an address that is not a stream address) are left out. UTF-8 text; a file that is not UTF-8 is read as the
// single-byte code page the list was first written in.
std::vector<Station> ParseStationList(const QByteArray& bytes);
// The stations the filter shows: filter 0 takes all, 1..28 the lines of that country.
std::vector<Station> StationsForFilter(const std::vector<Station>& stations, int filter);
// The first station with this identifier, or nullptr.
const Station* FindStation(const std::vector<Station>& stations, const QString& id);

// What "QobRadio.ini" keeps.
struct RadioSettings {
    QString name, address, country, logo;
    bool on = false;
    int volume = 30; // percent, 0..100
    int filter = 0;  // 0..28
};
// The station the radio starts with when nothing else was chosen.
RadioSettings DefaultRadioSettings();
// The defaults with whatever a whole seven-line file says over them; a missing or short file
// leaves the defaults.
RadioSettings ReadRadioSettings(const QString& path);
// Writes the seven lines (an incomplete station falls back to the default one first); false when
// the file cannot be written, and then the old file stays whole.
bool WriteRadioSettings(const QString& path, RadioSettings settings);

// The volume meter's picture: "RRADIO_VOLUME" + "00" for 0, "01" for 1..10, ... "10" for 91..100.
QString VolumeMeterPicture(int volume);

// Text of a list or settings file: UTF-8 when it is valid UTF-8, else the old single-byte code page.
QString DecodeRadioText(const QByteArray& bytes);

} // namespace tarvo

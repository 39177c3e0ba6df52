// The Internet radio: its settings, the station list it found, and the one stream it plays. The
// radio is available when its picture package and a station list are there; it stays on across
// the menu and the games until the player switches it off.
#pragma once

#include <QObject>
#include <vector>

#include "media/AudioStream.h"
#include "media/StationList.h"

class QNetworkAccessManager;

#include "packages/Package.h"

namespace tarvo {

class SourceArbiter;

// Where the radio's files are: its settings and the downloaded list live in the program folder,
// the shipped list and the picture package are found the way packages are.
struct RadioPlaces {
    QString programFolder;
    QString server; // the program's web server, for the list download
    bool listFromServer = true;
    PackageRegistry packages; // where the station list and the radio's pictures are looked for
};

class Radio : public QObject {
    Q_OBJECT
  public:
    explicit Radio(SourceArbiter* arbiter = nullptr, QObject* parent = nullptr);

    // "QobRadio.ini" over the defaults; the radio stays silent until StartAtMenu.
    void LoadSettings(const QString& path);
    bool SaveSettings(const QString& path) const;
    const RadioSettings& Settings() const { return settings_; }

    // Looks for the package and the station list again; with the list from the server it is
    // downloaded into "QobRadio.ser" first, so the answer may come later (changed()). When the
    // server cannot be reached, the copy of an earlier download, else the shipped list, serves.
    void CheckAvailability(QNetworkAccessManager& network, const RadioPlaces& places);
    // Sets the list directly (nullopt: none); the picture package must be there too.
    void SetStations(std::optional<std::vector<Station>> stations, bool packageFound);
    bool Available() const { return available_; }
    bool Checking() const { return checking_; }
    const std::vector<Station>& Stations() const { return stations_; }

    // The main menu has come up: a radio that was on at the last exit plays now (or as soon as
    // its list has arrived).
    void StartAtMenu();
    bool On() const { return settings_.on; }
    // Connecting or playing; a station that does not answer is on but not sounding.
    bool Sounding() const { return stream_.Sounding(); }
    // The station whose stream failed last, or empty.
    const QString& FailedStation() const { return failedStation_; }

    // The power switch: a sounding radio goes off, a silent one (off, or failed) tries again.
    void Toggle();
    void TurnOn();
    void TurnOff();
    // The station to play; it sounds at once when the radio is on.
    void Select(const Station& station);
    void VolumeUp();   // +10, at most 100
    void VolumeDown(); // -10, at least 0
    void SetFilter(int filter);

    AudioStream& Stream() { return stream_; }

  signals:
    void changed();

  private:
    void Play();

    SourceArbiter* arbiter_;
    AudioStream stream_;
    RadioSettings settings_;
    std::vector<Station> stations_;
    bool available_ = false;
    bool checking_ = false;
    bool menuReached_ = false;
    int checkNumber_ = 0; // a newer check makes an older answer stale
    QString failedStation_;
};

} // namespace tarvo

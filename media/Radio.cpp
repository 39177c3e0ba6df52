#include "media/Radio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "media/HttpFetch.h"
#include "media/SourceArbiter.h"
#include "packages/Package.h"

namespace tarvo {

namespace {
constexpr qint64 MaxListBytes = 1 << 20;
constexpr int ListTimeoutMs = 10000;

std::optional<std::vector<Station>> ReadStationFile(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > MaxListBytes) return std::nullopt;
    return ParseStationList(file.readAll());
}
} // namespace

Radio::Radio(SourceArbiter* arbiter, QObject* parent) : QObject(parent), arbiter_(arbiter) {
    settings_ = DefaultRadioSettings();
    stream_.SetVolume(settings_.volume);
    connect(&stream_, &AudioStream::stateChanged, this, &Radio::changed);
    // A live stream has no end of its own: one that ends has broken off like one that failed.
    auto lost = [this] {
        failedStation_ = settings_.name;
        emit changed();
    };
    connect(&stream_, &AudioStream::failed, this, lost);
    connect(&stream_, &AudioStream::ended, this, lost);
}

void Radio::LoadSettings(const QString& path) {
    settings_ = ReadRadioSettings(path);
    stream_.SetVolume(settings_.volume);
    emit changed();
}

bool Radio::SaveSettings(const QString& path) const {
    return WriteRadioSettings(path, settings_);
}

void Radio::CheckAvailability(QNetworkAccessManager& network, const RadioPlaces& places) {
    const int number = ++checkNumber_;
    const bool packageFound = !places.packages.Find(RadioPackageName).isEmpty();
    const QString shippedList = places.packages.Find(StationListFileName);
    if (!places.listFromServer) {
        SetStations(ReadStationFile(shippedList), packageFound);
        return;
    }
    checking_ = true;
    const QString copy = QDir(places.programFolder).filePath(ServerStationListFileName);
    FetchBytes(network, QUrl(places.server + QLatin1String(StationListServerPath)), MaxListBytes,
               ListTimeoutMs, this,
               [this, number, copy, shippedList, packageFound](std::optional<QByteArray> bytes) {
                   if (number != checkNumber_) return;
                   checking_ = false;
                   // A server that cannot be reached leaves the last copy it sent, else the list
                   // shipped with the game: the radio does not go dumb with its server.
                   if (!bytes) {
                       auto kept = ReadStationFile(QFileInfo::exists(copy) ? copy : shippedList);
                       SetStations(std::move(kept), packageFound);
                       return;
                   }
                   QSaveFile file(copy);
                   if (file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size()) file.commit();
                   SetStations(ParseStationList(*bytes), packageFound);
               });
}

void Radio::SetStations(std::optional<std::vector<Station>> stations, bool packageFound) {
    checking_ = false;
    stations_ = stations ? std::move(*stations) : std::vector<Station>{};
    available_ = packageFound && !stations_.empty();
    // Without its list or its pictures the radio is off.
    if (!available_) {
        stream_.Stop();
        settings_.on = false;
    } else if (menuReached_ && settings_.on && !Sounding()) {
        Play();
    }
    emit changed();
}

void Radio::StartAtMenu() {
    if (menuReached_) return;
    menuReached_ = true;
    if (available_ && settings_.on) Play();
}

void Radio::Play() {
    if (arbiter_) arbiter_->Claim(AudioSource::Radio);
    failedStation_.clear();
    if (stream_.Address() != settings_.address) stream_.Open(settings_.address);
    stream_.SetVolume(settings_.volume);
    stream_.Play();
    emit changed();
}

void Radio::Toggle() {
    if (Sounding())
        TurnOff();
    else
        TurnOn();
}

void Radio::TurnOn() {
    if (!available_) return;
    settings_.on = true;
    Play();
}

void Radio::TurnOff() {
    settings_.on = false;
    failedStation_.clear();
    stream_.Stop();
    emit changed();
}

void Radio::Select(const Station& station) {
    settings_.name = station.name;
    settings_.country = station.country;
    settings_.address = station.address;
    settings_.logo = station.logo.isEmpty() ? DefaultStationLogo : station.logo;
    stream_.Open(settings_.address);
    failedStation_.clear();
    if (settings_.on && available_)
        Play();
    else
        emit changed();
}

void Radio::VolumeUp() {
    settings_.volume = std::min(100, settings_.volume + 10);
    stream_.SetVolume(settings_.volume);
    emit changed();
}

void Radio::VolumeDown() {
    settings_.volume = std::max(0, settings_.volume - 10);
    stream_.SetVolume(settings_.volume);
    emit changed();
}

void Radio::SetFilter(int filter) {
    settings_.filter = std::clamp(filter, 0, RadioCountryCount);
}

} // namespace tarvo

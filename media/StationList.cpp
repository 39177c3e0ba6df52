#include "media/StationList.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>
#include <algorithm>

namespace tarvo {

const std::array<RadioCountry, RadioCountryCount + 1>& RadioCountries() {
    static constexpr std::array<RadioCountry, RadioCountryCount + 1> countries = {{
        {"", "", ""},
        {"RUS", "Russian Federation", "ru"},
        {"UA0", "Ukraine", "ua"},
        {"BEL", "Belarus", "by"},
        {"MOL", "Moldova", "md"},
        {"EST", "Estonia", "ee"},
        {"LAT", "Latvia", "lv"},
        {"LIT", "Lithuania", "lt"},
        {"ARM", "Armenia", "am"},
        {"GEO", "Georgia", "ge"},
        {"AZE", "Azerbaijan", "az"},
        {"KZ0", "Kazakhstan", "kz"},
        {"UZ0", "Uzbekistan", "uz"},
        {"USA", "USA", "us"},
        {"CAN", "Canada", "ca"},
        {"UK0", "United Kingdom", "gb"},
        {"AUS", "Australia", "au"},
        {"DE0", "Deutschland", "de"},
        {"FRA", "France", "fr"},
        {"ITA", "Italy", "it"},
        {"NED", "Netherlands", "nl"},
        {"SWE", "Sweden", "se"},
        {"CZ0", "Czech Republic", "cz"},
        {"ESP", "Spain", "es"},
        {"BRA", "Brazil", "br"},
        {"IND", "India", "in"},
        {"CHI", "China", "cn"},
        {"JAP", "Japan", "jp"},
        {"SK0", "South Korea", "kr"},
    }};
    return countries;
}

int RadioCountryIndex(const QString& code) {
    const auto& countries = RadioCountries();
    for (int i = 1; i <= RadioCountryCount; ++i)
        if (code == QLatin1String(countries[static_cast<std::size_t>(i)].code)) return i;
    return 0;
}

QString DecodeRadioText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder single("windows-1251");
    return single.isValid() ? QString(single.decode(bytes)) : QString::fromLatin1(bytes);
}

namespace {
QStringList TextLines(const QByteArray& bytes) {
    QString text = DecodeRadioText(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    return lines;
}
} // namespace

bool IsStreamAddress(const QString& address) {
    const QUrl url(address);
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

std::vector<Station> ParseStationList(const QByteArray& bytes) {
    std::vector<Station> stations;
    for (const QString& line : TextLines(bytes)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList f = line.split(QLatin1Char('#'));
        if (f.size() < 5 || f[0].size() != 3 || f[1].size() != 7) continue;
        Station s{f[0], f[1], f[2].trimmed(), f[3].trimmed(), f[4].trimmed(), {}};
        if (s.name.isEmpty() || !IsStreamAddress(s.address)) continue;
        s.logo = f.size() > 5 && !f[5].trimmed().isEmpty() ? f[5].trimmed() : DefaultStationLogo;
        stations.push_back(std::move(s));
    }
    return stations;
}

std::vector<Station> StationsForFilter(const std::vector<Station>& stations, int filter) {
    if (filter <= 0 || filter > RadioCountryCount) return stations;
    const QLatin1String code(RadioCountries()[static_cast<std::size_t>(filter)].code);
    std::vector<Station> shown;
    std::copy_if(stations.begin(), stations.end(), std::back_inserter(shown),
                 [&](const Station& s) { return s.code == code; });
    return shown;
}

const Station* FindStation(const std::vector<Station>& stations, const QString& id) {
    auto it = std::find_if(stations.begin(), stations.end(), [&](const Station& s) { return s.id == id; });
    return it == stations.end() ? nullptr : &*it;
}

RadioSettings DefaultRadioSettings() {
    RadioSettings s;
    s.name = QStringLiteral(u"Авторадио Moscow");
    // Source: Radio Browser directory (radio-browser.info), station "Авторадио - FM 90.3 - Москва".
    s.address = QStringLiteral("http://ic4.101.ru:8000/v3_1");
    s.country = QStringLiteral("Russian Federation");
    s.logo = QStringLiteral("RRADIO_LOGO_AVTORADIO");
    return s;
}

RadioSettings ReadRadioSettings(const QString& path) {
    RadioSettings s = DefaultRadioSettings();
    QFile file(path);
    // The file is seven short lines; anything much longer is not ours.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024) return s;
    const QStringList lines = TextLines(file.readAll());
    if (lines.size() < 7) return s;
    s.name = lines[0];
    s.address = lines[1];
    s.country = lines[2];
    s.logo = lines[3];
    s.on = lines[4] == QLatin1String("1");
    bool ok = false;
    if (const int v = lines[5].trimmed().toInt(&ok); ok) s.volume = std::clamp(v, 0, 100);
    if (const int f = lines[6].trimmed().toInt(&ok); ok) s.filter = std::clamp(f, 0, RadioCountryCount);
    return s;
}

bool WriteRadioSettings(const QString& path, RadioSettings s) {
    if (s.name.isEmpty() || s.address.isEmpty() || s.country.isEmpty() || s.logo.isEmpty()) {
        const RadioSettings d = DefaultRadioSettings();
        s.name = d.name;
        s.address = d.address;
        s.country = d.country;
        s.logo = d.logo;
    }
    const QStringList lines = {s.name,
                               s.address,
                               s.country,
                               s.logo,
                               s.on ? QStringLiteral("1") : QStringLiteral("0"),
                               QString::number(s.volume),
                               QString::number(s.filter)};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    return file.commit();
}

QString VolumeMeterPicture(int volume) {
    const int step = (std::clamp(volume, 0, 100) + 9) / 10;
    return QStringLiteral("RRADIO_VOLUME%1").arg(step, 2, 10, QLatin1Char('0'));
}

} // namespace tarvo

#include "records/RecordsFile.h"

#include <algorithm>
#include <cassert>
#include <limits>

#include "core/Codec.h"
#include "records/Format.h"

namespace tarvo {
namespace {

constexpr std::string_view CrLf = "\r\n";

// The ten entries of a fresh top ten: heroes of the old songs, scores a good player can beat.
struct InitialEntry {
    std::string_view name;
    int score;
};
constexpr InitialEntry InitialTopTen[TopTenPlaces] = {
    {"Kalevipoeg", 250}, {"Vanemuine", 220}, {"Ilmarine", 190}, {"Linda", 160},  {"Olev", 130},
    {"Sulev", 100},      {"Alev", 80},       {"Tuslar", 60},    {"Lembitu", 40}, {"Tarvo", 20},
};

std::string FitRight(std::string text, std::size_t width, char fill) {
    text.resize(width, fill);
    return text;
}

std::int64_t ScoreOrLowest(std::string_view field) {
    return ParseIntField(field).value_or(std::numeric_limits<std::int64_t>::min());
}

double SlotRating(std::string_view line) {
    if (SlotEmpty(line)) return 0.0;
    return ParseDecimalField(Chars(line, 21, 30)).value_or(0.0);
}

} // namespace

std::size_t RecordsLineLength(int line) {
    if (line <= ClubSlots) return ClubLineLength;
    if (line < MarkerLine) return TopTenLineLength;
    return TailLineLength;
}

std::optional<RecordsText> SplitRecords(std::string_view bytes) {
    RecordsText text;
    for (int line = 1; line <= RecordsLineCount; ++line) {
        std::size_t end = bytes.find(CrLf);
        std::string_view content = bytes.substr(0, end);
        if (content.size() != RecordsLineLength(line)) return std::nullopt;
        text[line] = std::string(content);
        if (end == std::string_view::npos) {
            if (line != RecordsLineCount) return std::nullopt;
            bytes = {};
        } else {
            bytes.remove_prefix(end + CrLf.size());
        }
    }
    if (!bytes.empty()) return std::nullopt;
    return text;
}

std::string JoinRecords(const RecordsText& text) {
    std::string bytes;
    for (int line = 1; line <= RecordsLineCount; ++line) {
        bytes += text[line];
        bytes += CrLf;
    }
    return bytes;
}

std::string RecordsSums(const RecordsText& text) {
    long a = 0, b = 0, c = 0;
    std::size_t i = 0;
    for (int line = 1; line < InstallLine; ++line)
        for (char ch : text[line]) {
            ++i;
            long v = static_cast<unsigned char>(ch);
            a += v;
            if (i % 2 == 0) b += v;
            if (i % 3 == 0) c += v;
        }
    return PadNumber(a, 6, '0') + PadNumber(b, 6, '0') + PadNumber(c, 6, '0');
}

void SealRecords(RecordsText& text) {
    std::string& tail = text[InstallLine];
    tail.resize(TailLineLength, '#');
    tail.replace(10, 18, RecordsSums(text));
}

bool RecordsSealed(const RecordsText& text) {
    for (int line = 1; line <= RecordsLineCount; ++line)
        if (text[line].size() != RecordsLineLength(line)) return false;
    return text[MarkerLine].starts_with(MarkerPrefix) &&
           Chars(text[InstallLine], 11, 28) == RecordsSums(text);
}

std::string InstallationCode(const RecordsText& text) {
    return std::string(Chars(text[InstallLine], 7, 9));
}

bool RussianMarker(const RecordsText& text) {
    return text[InstallLine].starts_with('1');
}

std::string_view Chars(std::string_view line, std::size_t from, std::size_t to) {
    if (from < 1 || from > line.size() || to < from) return {};
    return line.substr(from - 1, to - from + 1);
}

bool SlotEmpty(std::string_view clubLine) {
    return clubLine.size() < 37 || clubLine[36] == '#';
}

std::optional<ClubMember> ReadClubMember(std::string_view clubLine) {
    if (clubLine.size() != ClubLineLength || SlotEmpty(clubLine)) return std::nullopt;
    ClubMember m;
    m.nameField = std::string(Chars(clubLine, 1, 20));
    m.rating = ParseDecimalField(Chars(clubLine, 21, 30)).value_or(0.0);
    m.games = static_cast<std::int32_t>(ParseIntField(Chars(clubLine, 31, 37)).value_or(0));
    m.score = static_cast<std::int32_t>(ParseIntField(Chars(clubLine, 39, 44)).value_or(0));
    m.passwordField = std::string(Chars(clubLine, 45, 59));
    return m;
}

std::string NameField(std::string_view utf8Name) {
    std::string field = Utf8ToCp1251(utf8Name);
    for (char& c : field)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = '?';
    return FitRight(std::move(field), NameLength, ' ');
}

std::string NameFromField(std::string_view nameField) {
    while (!nameField.empty() && nameField.back() == ' ') nameField.remove_suffix(1);
    return Cp1251ToUtf8(nameField);
}

std::string EncodePassword(std::string_view utf8Password) {
    std::string plain = FitRight(Utf8ToCp1251(utf8Password), PasswordLength, ' ');
    std::string stored;
    for (char c : plain) stored += std::to_string(static_cast<unsigned char>(c) + PasswordOffset);
    return stored;
}

std::optional<std::string> DecodePassword(std::string_view passwordField) {
    if (passwordField.size() != 3 * PasswordLength) return std::nullopt;
    std::string plain;
    for (int i = 0; i < PasswordLength; ++i) {
        std::string_view group = passwordField.substr(static_cast<std::size_t>(3 * i), 3);
        int value = 0;
        for (char c : group) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        int code = value - PasswordOffset;
        if (code < 0 || code > 255) return std::nullopt;
        plain += static_cast<char>(code);
    }
    while (!plain.empty() && plain.back() == ' ') plain.pop_back();
    return Cp1251ToUtf8(plain);
}

std::string BuildClubLine(std::string_view nameField, double rating, std::int64_t games, std::int64_t score,
                          std::string_view passwordField) {
    games = std::clamp<std::int64_t>(games, 0, 9'999'999);
    score = std::clamp<std::int64_t>(score, -99'999, 999'999);
    std::string line = FitRight(std::string(nameField), NameLength, ' ');
    line += FormatRating6(LimitRating(rating));
    line += PadNumber(games, 7);
    line += ' ';
    line += PadNumber(score, 6);
    line += FitRight(std::string(passwordField), 3 * PasswordLength, '#');
    assert(line.size() == ClubLineLength);
    return line;
}

bool RemoveClubSlot(RecordsText& text, int slot) {
    if (slot < 1 || slot > ClubSlots) return false;
    for (int s = slot; s < ClubSlots; ++s) text[s] = text[s + 1];
    text[ClubSlots] = std::string(EmptyClubLine);
    return true;
}

int InsertTopTen(RecordsText& text, std::string_view nameField, std::string_view scoreField) {
    std::int64_t score = ScoreOrLowest(scoreField);
    for (int place = 1; place <= TopTenPlaces; ++place) {
        int line = TopTenFirstLine + place - 1;
        if (ScoreOrLowest(Chars(text[line], 21, 26)) > score) continue;
        for (int p = TopTenPlaces; p > place; --p)
            text[TopTenFirstLine + p - 1] = text[TopTenFirstLine + p - 2];
        text[line] =
            FitRight(std::string(nameField), NameLength, ' ') + FitRight(std::string(scoreField), 6, ' ');
        return place;
    }
    return 0;
}

bool InsertClubLine(RecordsText& text, std::string_view clubLine) {
    assert(clubLine.size() == ClubLineLength);
    double rating = SlotRating(clubLine);
    for (int slot = 1; slot <= ClubSlots; ++slot) {
        if (!SlotEmpty(text[slot]) && SlotRating(text[slot]) > rating) continue;
        for (int s = ClubSlots; s > slot; --s) text[s] = text[s - 1];
        text[slot] = std::string(clubLine);
        return true;
    }
    return false;
}

RecordsText FreshRecords(std::string_view installationCode) {
    assert(installationCode.size() == 3 && installationCode != DistributionLabel);
    RecordsText text;
    for (int slot = 1; slot <= ClubSlots; ++slot) text[slot] = std::string(EmptyClubLine);
    for (int place = 1; place <= TopTenPlaces; ++place) {
        const InitialEntry& e = InitialTopTen[place - 1];
        text[TopTenFirstLine + place - 1] =
            FitRight(std::string(e.name), NameLength, ' ') + PadNumber(e.score, 6);
    }
    text[MarkerLine] = FitRight(std::string(MarkerPrefix) + "Tarvo-Trio#records", TailLineLength, '#');
    text[InstallLine] = "0#####" + std::string(installationCode) + "#";
    SealRecords(text);
    return text;
}

} // namespace tarvo

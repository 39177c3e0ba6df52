#include "netplay/TournamentMessages.h"

#include <charconv>
#include <cstdio>

#include "core/Codec.h"

namespace tarvo {
namespace {

constexpr std::string_view Connect = "connect";
constexpr std::string_view Abort = "abort";
constexpr std::string_view TimeOut = "TOut";
constexpr std::string_view Leave = "disA";
constexpr char Filler = '#';

struct Parsed {
    std::optional<TableMessage> table;
    std::optional<PlayerMessage> player;
    std::string error;
};

int SeatDigit(char c) {
    return c >= '1' && c <= '3' ? c - '0' : 0;
}

std::string Filled(std::string text, int seatDigitAtEnd) {
    text.resize(TournamentMessageLength - (seatDigitAtEnd ? 1 : 0), Filler);
    if (seatDigitAtEnd) text += static_cast<char>('0' + seatDigitAtEnd);
    return text;
}

bool AllFiller(std::string_view bytes) {
    return bytes.find_first_not_of(Filler) == std::string_view::npos;
}

// "s" + text up to the first "#" + seat digit at the end: both directions carry it alike.
std::optional<TableChat> ParseChat(std::string_view m, std::string& error) {
    const int seat = SeatDigit(m.back());
    if (!seat) {
        error = "chat without a seat";
        return std::nullopt;
    }
    std::string_view text = m.substr(1, m.size() - 2);
    text = text.substr(0, text.find(Filler));
    if (!IsNetText(text)) {
        error = "chat: the text is not text";
        return std::nullopt;
    }
    return TableChat{seat, Cp1251ToUtf8(text)};
}

// A whole move record followed by the seat it comes from.
std::optional<RecordMsg> ParseRecordOf(std::string_view m, std::string& error) {
    ParsedMessage p = ParseMessage(m.substr(0, RecordLength));
    if (!p.message) {
        error = p.error;
        return std::nullopt;
    }
    return std::get<RecordMsg>(std::move(*p.message));
}

std::size_t TableLength(std::string_view b, std::string& error) {
    switch (b[0]) {
    case 'b':
        return DealLength;
    case 'h':
    case 's':
    case 'e':
    case 'a':
    case 'T':
        return TournamentMessageLength;
    default:
        error = "unknown message starting with byte " + std::to_string(static_cast<unsigned char>(b[0]));
        return 0;
    }
}

Parsed ParseTable(std::string_view m) {
    Parsed out;
    switch (m[0]) {
    case 'b': {
        ParsedMessage p = ParseMessage(m);
        if (p.message)
            out.table = std::get<DealMsg>(std::move(*p.message));
        else
            out.error = p.error;
        break;
    }
    case 'h': {
        auto r = ParseRecordOf(m, out.error);
        if (!r) break;
        if (SeatDigit(m[19]) != r->senderRole) {
            out.error = "record: the seat after it is not its sender's";
            break;
        }
        out.table = std::move(*r);
        break;
    }
    case 's':
        if (auto chat = ParseChat(m, out.error)) out.table = std::move(*chat);
        break;
    case 'e':
        if (AllFiller(m.substr(1)))
            out.table = GameEnded{};
        else
            out.error = "malformed game-over message";
        break;
    case 'a':
        if (m.substr(0, 5) == Abort && SeatDigit(m[5]) && AllFiller(m.substr(6)))
            out.table = PlayerLeft{SeatDigit(m[5])};
        else
            out.error = "malformed message of a player who left";
        break;
    case 'T':
        if (m.substr(0, 4) == TimeOut && SeatDigit(m[19]) && AllFiller(m.substr(4, 15)))
            out.table = PlayerTimeUp{SeatDigit(m[19])};
        else
            out.error = "malformed time-up message";
        break;
    }
    return out;
}

std::size_t PlayerLength(std::string_view b, std::string& error) {
    switch (b[0]) {
    case 'c':
        return ConnectLength;
    case 'h':
        return RecordLength;
    case 's':
        return TournamentMessageLength;
    case 'T':
        return TimeOutLength;
    case 'd':
        return LeaveLength;
    case 'o':
        return ResultLength;
    default:
        error = "unknown message starting with byte " + std::to_string(static_cast<unsigned char>(b[0]));
        return 0;
    }
}

std::optional<int> Score(std::string_view field) {
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    int v = 0;
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (field.empty() || ec != std::errc() || ptr != field.data() + field.size()) return std::nullopt;
    return v;
}

Parsed ParsePlayer(std::string_view m) {
    Parsed out;
    switch (m[0]) {
    case 'c':
        if (m.substr(0, 7) == Connect && SeatDigit(m[7]))
            out.player = SeatConnect{SeatDigit(m[7])};
        else
            out.error = "malformed connect";
        break;
    case 'h':
        if (auto r = ParseRecordOf(m, out.error)) out.player = std::move(*r);
        break;
    case 's':
        if (auto chat = ParseChat(m, out.error)) out.player = std::move(*chat);
        break;
    case 'T':
        if (m == TimeOut)
            out.player = OwnTimeOut{};
        else
            out.error = "malformed time-out";
        break;
    case 'd':
        if (m == Leave)
            out.player = LeaveSeat{};
        else
            out.error = "malformed leave";
        break;
    case 'o': {
        SeriesResult result;
        for (std::size_t i = 0; i < 3; ++i) {
            auto v = Score(m.substr(1 + 5 * i, 5));
            if (!v) {
                out.error = "malformed series result";
                return out;
            }
            result.scores[i] = *v;
        }
        out.player = result;
        break;
    }
    }
    return out;
}

template <class Message> struct Grammar;
template <> struct Grammar<TableMessage> {
    static std::size_t Length(std::string_view b, std::string& e) { return TableLength(b, e); }
    static std::optional<TableMessage> Take(Parsed& p) { return std::move(p.table); }
    static Parsed Parse(std::string_view m) { return ParseTable(m); }
};
template <> struct Grammar<PlayerMessage> {
    static std::size_t Length(std::string_view b, std::string& e) { return PlayerLength(b, e); }
    static std::optional<PlayerMessage> Take(Parsed& p) { return std::move(p.player); }
    static Parsed Parse(std::string_view m) { return ParsePlayer(m); }
};

} // namespace

std::string ConnectMessage(int seat) {
    return std::string(Connect) + static_cast<char>('0' + seat);
}

std::string RelayedRecord(std::string_view record, int senderSeat) {
    return std::string(record) + static_cast<char>('0' + senderSeat);
}

std::string TableChatMessage(int seat, std::string_view utf8) {
    std::string text = Utf8ToCp1251(utf8).substr(0, TournamentChatLength);
    for (char& c : text)
        if (c == Filler || !IsNetText(std::string_view(&c, 1))) c = ' ';
    return Filled("s" + text, seat);
}

std::string GameEndedMessage() {
    return Filled("e", 0);
}

std::string PlayerLeftMessage(int seat) {
    return Filled(std::string(Abort) + static_cast<char>('0' + seat), 0);
}

std::string PlayerTimeUpMessage(int seat) {
    return Filled(std::string(TimeOut), seat);
}

std::string OwnTimeOutMessage() {
    return std::string(TimeOut);
}

std::string LeaveSeatMessage() {
    return std::string(Leave);
}

std::string SeriesResultMessage(const std::array<int, 3>& scores) {
    std::string m = "o";
    for (int score : scores) {
        char field[16];
        std::snprintf(field, sizeof field, "%5d", score);
        m += field;
    }
    return m;
}

template <class Message> std::vector<Message> TournamentReader<Message>::Feed(std::string_view bytes) {
    std::vector<Message> out;
    if (Failed()) return out;
    buffer_.append(bytes);
    std::size_t used = 0;
    while (used < buffer_.size()) {
        const std::string_view unread = std::string_view(buffer_).substr(used);
        const std::size_t length = Grammar<Message>::Length(unread, error_);
        if (Failed() || unread.size() < length) break;
        Parsed parsed = Grammar<Message>::Parse(unread.substr(0, length));
        std::optional<Message> message = Grammar<Message>::Take(parsed);
        if (!message) {
            error_ = parsed.error;
            break;
        }
        out.push_back(std::move(*message));
        used += length;
    }
    if (Failed())
        buffer_.clear();
    else
        buffer_.erase(0, used);
    return out;
}

template class TournamentReader<TableMessage>;
template class TournamentReader<PlayerMessage>;

} // namespace tarvo

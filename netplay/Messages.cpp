#include "netplay/Messages.h"

#include <algorithm>
#include <charconv>

#include "core/Codec.h"

namespace tarvo {
namespace {

constexpr std::string_view HelloPrefix = "qob";
constexpr std::string_view GameNumber = "15";
constexpr std::string_view ProtocolNumber = "25";
constexpr std::string_view HelloWord = "connect1";
constexpr std::string_view WelcomePrefix = "connect2+";
constexpr std::string_view UpdatePrefix = "connect3+";
constexpr std::string_view Abort = "abort";
constexpr char Yes = '\xC8'; // "И": a rule of the deal is on
constexpr char No = '\xCB';  // "Л"

constexpr std::string_view EndCodes = "123abcdefghjklmnop";

ParsedMessage Refuse(std::string why) {
    return {std::nullopt, std::move(why)};
}

std::string NameBytes(std::string_view name) {
    std::string bytes = Utf8ToCp1251(name).substr(0, NetNameLength);
    bytes.resize(NetNameLength, ' ');
    return bytes;
}

std::string NameText(std::string_view bytes) {
    while (!bytes.empty() && bytes.back() == ' ') bytes.remove_suffix(1);
    return Cp1251ToUtf8(bytes);
}

// Three names of six characters in the order server, first client, second client.
std::optional<RoleNames> ParseNames(std::string_view bytes) {
    if (!IsNetText(bytes)) return std::nullopt;
    RoleNames names;
    for (std::size_t i = 0; i < 3; ++i) names[i] = NameText(bytes.substr(i * NetNameLength, NetNameLength));
    return names;
}

std::string JoinNames(const RoleNames& names) {
    return NameBytes(names[0]) + NameBytes(names[1]) + NameBytes(names[2]);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string ByteName(char c) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    const auto u = static_cast<unsigned char>(c);
    return std::string("0x") + Hex[u >> 4] + Hex[u & 15];
}

ParsedMessage ParseHello(std::string_view m) {
    if (m.substr(0, 3) != HelloPrefix || m.substr(7, 8) != HelloWord) return Refuse("unknown hello");
    std::string_view name = m.substr(15);
    if (!IsNetText(name)) return Refuse("hello: the name is not text");
    return {HelloMsg{m.substr(3, 2) == GameNumber && m.substr(5, 2) == ProtocolNumber, NameText(name)}, {}};
}

ParsedMessage ParseWelcome(std::string_view m) {
    if (m[9] != '2' && m[9] != '3') return Refuse("welcome: role " + ByteName(m[9]));
    auto names = ParseNames(m.substr(10));
    if (!names) return Refuse("welcome: the names are not text");
    return {WelcomeMsg{m[9] - '0', *names}, {}};
}

ParsedMessage ParseUpdate(std::string_view m) {
    auto names = ParseNames(m.substr(9));
    if (!names) return Refuse("update: the names are not text");
    return {UpdateMsg{*names}, {}};
}

ParsedMessage ParseDeal(std::string_view m) {
    DealMsg deal;
    std::array<bool, DeckSize + 1> seen{};
    for (int i = 1; i <= DeckSize; ++i) {
        const std::size_t at = 1 + 2 * static_cast<std::size_t>(i - 1);
        TStr2 card{m[at], m[at + 1]};
        if (!IsRealCard(card)) return Refuse("deal: card " + std::to_string(i) + " is not a card");
        if (seen[static_cast<std::size_t>(CardNumber(card))]) return Refuse("deal: a card comes twice");
        seen[static_cast<std::size_t>(CardNumber(card))] = true;
        const char rank = m[72 + static_cast<std::size_t>(i)];
        if (rank != static_cast<char>('0' + RankOf(card)))
            return Refuse("deal: the rank of card " + std::to_string(i) + " disagrees with it");
        deal.deck[i] = card;
    }
    const char move = m[109], five = m[110];
    if ((move != Yes && move != No) || (five != Yes && five != No)) return Refuse("deal: rule flags");
    deal.firstMove = move == Yes;
    deal.firstBoutFive = five == Yes;
    return {deal, {}};
}

// A card field: kind "1".."4" and a slot 01..36, or "iii".
bool ParseCard(std::string_view f, RecordCard& card) {
    if (f == "iii") return true;
    if (f[0] < '1' || f[0] > '4' || !IsDigit(f[1]) || !IsDigit(f[2])) return false;
    card.kind = static_cast<MoveKind>(f[0] - '0');
    card.slot = (f[1] - '0') * 10 + (f[2] - '0');
    return card.slot >= 1 && card.slot <= DeckSize;
}

ParsedMessage ParseRecord(std::string_view m) {
    RecordMsg r;
    r.bytes = std::string(m);
    auto in = [](char c, std::string_view set) { return set.find(c) != std::string_view::npos; };
    if (m[1] < '1' || m[1] > '3') return Refuse("record: sender role " + ByteName(m[1]));
    r.senderRole = m[1] - '0';
    if (!in(m[2], "edi") || !in(m[3], "1234i")) return Refuse("record: button field");
    r.enable = m[2] == 'e';
    r.caption = m[3];
    for (std::size_t i = 0; i < 3; ++i) {
        if (!in(m[4 + i], "dngtai")) return Refuse("record: bubble field");
        r.bubbles[i] = m[4 + i];
    }
    if (!in(m[7], "gtadi")) return Refuse("record: sound field");
    r.sound = m[7];
    if (!ParseCard(m.substr(8, 3), r.cards[0]) || !ParseCard(m.substr(11, 3), r.cards[1]))
        return Refuse("record: card field");
    if (m[14] != 'i' && !in(m[14], EndCodes)) return Refuse("record: end-of-bout code " + ByteName(m[14]));
    r.end = m[14];
    if (m.substr(15, 2) != "ii") {
        if (!IsDigit(m[15]) || !IsDigit(m[16])) return Refuse("record: HodPhase field");
        r.hodPhase = (m[15] - '0') * 10 + (m[16] - '0');
        if (r.hodPhase > 14 || r.hodPhase == 11)
            return Refuse("record: HodPhase " + std::to_string(r.hodPhase) + " out of range");
    }
    if (m[17] != 'i') {
        if (m[17] < '0' || m[17] > '6')
            return Refuse("record: DuelPhase " + ByteName(m[17]) + " out of range");
        r.duelPhase = m[17] - '0';
    }
    if (m[18] < '1' || m[18] > '3') return Refuse("record: route " + ByteName(m[18]));
    r.route = m[18] - '0';
    return {r, {}};
}

ParsedMessage ParseChat(std::string_view m) {
    if (m.size() < 2 || m[1] < '1' || m[1] > '3') return Refuse("chat: role");
    std::string_view text = m.substr(2);
    if (text.size() > MaxChatLength)
        return Refuse("over-long chat (" + std::to_string(text.size()) + " bytes)");
    if (!IsNetText(text)) return Refuse("chat: the text is not text");
    return {ChatMsg{m[1] - '0', Cp1251ToUtf8(text)}, {}};
}

} // namespace

bool IsNetText(std::string_view bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F || u == 0x98;
    });
}

std::string NetName(std::string_view name) {
    return NameText(NameBytes(name));
}

std::string HelloMessage(std::string_view name) {
    return std::string(HelloPrefix) + std::string(GameNumber) + std::string(ProtocolNumber) +
           std::string(HelloWord) + NameBytes(name);
}

std::string WelcomeMessage(int role, const RoleNames& names) {
    return std::string(WelcomePrefix) + static_cast<char>('0' + role) + JoinNames(names);
}

std::string UpdateMessage(const RoleNames& names) {
    return std::string(UpdatePrefix) + JoinNames(names);
}

std::string DealMessage(const Deck& deck, bool firstMove, bool firstBoutFive) {
    std::string m = "b";
    for (int i = 1; i <= DeckSize; ++i) m += {deck[i].rank, deck[i].suit};
    for (int i = 1; i <= DeckSize; ++i) m += static_cast<char>('0' + RankOf(deck[i]));
    m += firstMove ? Yes : No;
    m += firstBoutFive ? Yes : No;
    return m;
}

std::string RecordMessage(int senderRole, std::string_view body, int hodPhase, int duelPhase, int route) {
    std::string m = "h";
    m += static_cast<char>('0' + senderRole);
    m += body;
    m += static_cast<char>('0' + hodPhase / 10);
    m += static_cast<char>('0' + hodPhase % 10);
    m += static_cast<char>('0' + duelPhase);
    m += static_cast<char>('0' + route);
    return m;
}

std::string ChatMessage(int role, std::string_view text) {
    std::string bytes = Utf8ToCp1251(text).substr(0, MaxChatLength);
    return std::string("s") + static_cast<char>('0' + role) + bytes;
}

std::string AbortMessage() {
    return std::string(Abort);
}

ParsedMessage ParseMessage(std::string_view m) {
    if (m.empty()) return Refuse("empty message");
    switch (m[0]) {
    case 'q':
        return m.size() == HelloLength ? ParseHello(m) : Refuse("hello of wrong length");
    case 'c':
        if (m.size() == WelcomeLength && m.substr(0, 9) == WelcomePrefix) return ParseWelcome(m);
        if (m.size() == UpdateLength && m.substr(0, 9) == UpdatePrefix) return ParseUpdate(m);
        return Refuse("unknown connect message");
    case 'b':
        return m.size() == DealLength ? ParseDeal(m) : Refuse("deal of wrong length");
    case 'h':
        return m.size() == RecordLength ? ParseRecord(m) : Refuse("record of wrong length");
    case 's':
        return ParseChat(m);
    case 'a':
        return m == Abort ? ParsedMessage{AbortMsg{}, {}} : Refuse("unknown message");
    default:
        return Refuse("unknown message starting with " + ByteName(m[0]));
    }
}

namespace {

// Whether a chat's bytes end in a whole message of kind M, `length` long, after its own two.
template <class M> bool EndsWith(std::string_view chat, std::size_t length) {
    if (chat.size() < 2 + length) return false;
    const ParsedMessage m = ParseMessage(chat.substr(chat.size() - length));
    return m.message && std::holds_alternative<M>(*m.message);
}

} // namespace

std::size_t MessageReader::NextLength(std::string_view b) {
    switch (b[0]) {
    case 'q':
        return HelloLength;
    case 'c': {
        const std::size_t known = std::min<std::size_t>(b.size(), 8);
        if (b.substr(0, known) == WelcomePrefix.substr(0, known)) return known < 8 ? 0 : WelcomeLength;
        if (b.substr(0, known) == UpdatePrefix.substr(0, known)) return known < 8 ? 0 : UpdateLength;
        error_ = "unknown connect message";
        return 0;
    }
    case 'b':
        return DealLength;
    case 'h':
        return RecordLength;
    case 'a':
        return AbortLength;
    case 's': {
        // A chat has no terminator: it is everything read so far, but for whole move records and
        // deals at its end, which came in the same read and would be lost in its text.
        if (b.size() < 2) return 0;
        std::size_t end = b.size();
        for (;;) {
            if (EndsWith<RecordMsg>(b.substr(0, end), RecordLength))
                end -= RecordLength;
            else if (EndsWith<DealMsg>(b.substr(0, end), DealLength))
                end -= DealLength;
            else
                return end;
        }
    }
    default:
        error_ = "unknown message starting with " + ByteName(b[0]);
        return 0;
    }
}

std::vector<NetMessage> MessageReader::Feed(std::string_view bytes) {
    std::vector<NetMessage> out;
    if (Failed()) return out;
    buffer_.append(bytes);
    std::size_t used = 0;
    while (used < buffer_.size()) {
        const std::string_view unread = std::string_view(buffer_).substr(used);
        const std::size_t length = NextLength(unread);
        if (Failed() || length == 0 || unread.size() < length) break;
        ParsedMessage parsed = ParseMessage(unread.substr(0, length));
        if (!parsed.message) {
            error_ = parsed.error;
            break;
        }
        out.push_back(std::move(*parsed.message));
        used += length;
    }
    if (Failed())
        buffer_.clear();
    else
        buffer_.erase(0, used);
    return out;
}

} // namespace tarvo

#include "online/Chat.h"

#include <charconv>

#include "files/SafeWrite.h"
#include "online/FieldRules.h"

namespace tarvo {
namespace {

// The lines of a small state file (CR LF, LF or CR ends a line).
std::vector<std::string> Lines(std::string_view bytes, std::size_t most) {
    std::vector<std::string> lines;
    while (!bytes.empty() && lines.size() < most) {
        const std::size_t end = bytes.find_first_of("\r\n");
        lines.emplace_back(bytes.substr(0, end));
        if (end == std::string_view::npos) break;
        const std::size_t next =
            bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? end + 2 : end + 1;
        bytes.remove_prefix(next);
    }
    return lines;
}

int NumberOr0(std::string_view text) {
    int v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty()) return 0;
    return v;
}

// The state files are a few bytes; anything much larger is not one of them.
constexpr std::uintmax_t kStateFileMax = 4096;

std::optional<std::string> ReadSmallFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > kStateFileMax) return std::nullopt;
    std::string bytes;
    if (ReadFileBytes(file, bytes)) return std::nullopt;
    return bytes;
}

} // namespace

std::string ChatWireText(std::string_view utf8, int limit) {
    std::u32string text = DecodeUtf8(utf8);
    if (text.size() > static_cast<std::size_t>(limit)) text.resize(static_cast<std::size_t>(limit));
    for (char32_t& c : text)
        if (!PlainCharacter(c)) c = U'_';
    return EncodeUtf8(text);
}

std::string ChatShownText(std::string_view wire) {
    std::string text(wire);
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

std::string ChatStamp(std::string_view time, std::string_view date) {
    return ChatWireText(std::string(time) + "_" + std::string(date) + "_" + kGameEnglishName, kChatStampMax);
}

bool ChatWireTextValid(std::string_view utf8, int limit) {
    const std::u32string text = DecodeUtf8(utf8);
    if (text.empty() || text.size() > static_cast<std::size_t>(limit)) return false;
    for (char32_t c : text)
        if (!PlainCharacter(c)) return false;
    return true;
}

ChatFile ReadChatFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) && !ec) {
        WriteChatFile(file, ChatFile{});
        return ChatFile{};
    }
    ChatFile state{0, false, false};
    const auto bytes = ReadSmallFile(file);
    if (!bytes) return state;
    const auto lines = Lines(*bytes, 3);
    if (!lines.empty()) state.lastSeen = NumberOr0(lines[0]);
    state.atBottom = lines.size() > 1 && lines[1] == "1";
    state.openOnNew = lines.size() > 2 && lines[2] == "1";
    return state;
}

bool WriteChatFile(const std::filesystem::path& file, const ChatFile& s) {
    const std::string text = std::to_string(s.lastSeen) + "\r\n" + (s.atBottom ? "1" : "0") + "\r\n" +
                             (s.openOnNew ? "1" : "0") + "\r\n";
    return !ReplaceFileContents(file, text);
}

int ReadNewsFile(const std::filesystem::path& file) {
    const auto bytes = ReadSmallFile(file);
    if (!bytes) return 0;
    const auto lines = Lines(*bytes, 1);
    return lines.empty() ? 0 : NumberOr0(lines[0]);
}

bool WriteNewsFile(const std::filesystem::path& file, int number) {
    return !ReplaceFileContents(file, std::to_string(number) + "\r\n");
}

std::vector<ChatEntry> BoardEntries(const std::array<TQobRecord, 10>& rows, int lastSeen, bool atBottom) {
    std::vector<ChatEntry> entries;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TQobRecord& r = rows[i];
        if (r.Empty()) continue;
        ChatEntry e;
        e.position = atBottom ? static_cast<int>(rows.size() - 1 - i) : static_cast<int>(i);
        e.row = &r;
        e.head = r.City + " : " + ChatShownText(r.R09) + " " + r.R08 + " : " + r.Nick;
        e.text = ChatShownText(r.R10);
        e.isNew = r.Score > lastSeen;
        entries.push_back(std::move(e));
    }
    return entries;
}

int BoardTop(const std::array<TQobRecord, 10>& rows) {
    return rows[0].Empty() ? 0 : rows[0].Score;
}

std::optional<int> SendChatMessage(ScoreClient& client, const ChatAuthor& author, std::string_view text,
                                   std::string_view stamp) {
    const auto board = client.TopTen(kChatBoard);
    if (!board.ok) return std::nullopt;
    WorldTopTenEntry entry;
    entry.nick = author.nick;
    entry.city = author.city;
    entry.country = author.country;
    entry.sex = author.sex;
    entry.score = BoardTop(board.value) + 1;
    entry.r9 = std::string(stamp);
    entry.r10 = ChatWireText(text);
    const auto written = client.WriteTopTen(kChatBoard, entry);
    if (!written.ok) return std::nullopt;
    return entry.score;
}

NewsCheck CheckNews(ScoreClient& client, const std::filesystem::path& newsFile) {
    const int seen = ReadNewsFile(newsFile);
    const auto page = client.NewsNumber();
    if (!page.ok) return {};
    return {page.value > seen, page.value};
}

ChatCheck CheckChat(ScoreClient& client, const std::filesystem::path& chatFile) {
    ChatCheck check;
    check.state = ReadChatFile(chatFile);
    const auto board = client.TopTen(kChatBoard);
    check.top = board.ok ? BoardTop(board.value) : 0;
    check.isNew = check.top > check.state.lastSeen;
    return check;
}

ChatNewsSchedule::Due ChatNewsSchedule::Tick(bool menuShown) {
    ++ticks_;
    Due due;
    due.news = !newsFlagged && menuShown && ticks_ >= 4 && (ticks_ - 4) % 3 == 0;
    due.chat = !chatFlagged && ticks_ % 90 == 0;
    return due;
}

} // namespace tarvo

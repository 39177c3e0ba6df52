// The chat board and the news signal. The board is list 100 of the world top ten, shared by all
// the maker's games: one message per row, its number in the score field, its text in R10. Two
// small files in the folder shared with sibling games remember what the player has seen.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "online/Records.h"
#include "online/Requests.h"

namespace tarvo {

inline constexpr int kChatBoard = 100;
inline constexpr int kChatMessageMax = 80; // characters
inline constexpr int kChatStampMax = 40;   // characters of R09
inline constexpr const char* kChatFileName = "QobChatQob.ini";
inline constexpr const char* kNewsFileName = "QobNewsQob.ini";
inline constexpr const char* kGameEnglishName = "Tarvo-Trio";

// The message character set: Latin and Cyrillic letters, digits and ! ( ) , - . @ _ . A text
// travels with every other character (a blank too) as "_", cut to `limit` characters.
std::string ChatWireText(std::string_view utf8, int limit = kChatMessageMax);
// As the board shows it: every "_" a blank.
std::string ChatShownText(std::string_view wire);
// R09: "<time>_<date>_<game>" in the message character set.
std::string ChatStamp(std::string_view time, std::string_view date);
// Whether a text that arrives as a message (or its stamp) keeps to the character set and the
// length: what the score server stores.
bool ChatWireTextValid(std::string_view utf8, int limit);

// "QobChatQob.ini": the last message seen, "Last message at the bottom", "Open this window when
// a new message"; three lines with CR LF.
struct ChatFile {
    int lastSeen = 1;
    bool atBottom = false;
    bool openOnNew = false;
    bool operator==(const ChatFile&) const = default;
};
// A missing file is created as "1", "0", "0"; a first line that is no number counts as 0, any
// other line than "1" below it as off.
ChatFile ReadChatFile(const std::filesystem::path& file);
bool WriteChatFile(const std::filesystem::path& file, const ChatFile& state);

// "QobNewsQob.ini": the number of the news item last opened; missing or no number counts as 0.
int ReadNewsFile(const std::filesystem::path& file);
bool WriteNewsFile(const std::filesystem::path& file, int number);

// One message of the board as the chat window draws it.
struct ChatEntry {
    int position = 0; // 0..9 from the top
    const TQobRecord* row = nullptr;
    std::string head; // "<city> : <time date game> <version> : <nick>", blanks restored
    std::string text; // the message, blanks restored
    bool isNew = false;
};
// The messages of a board read (highest number first) at their positions: the first row at the
// top, or with "Last message at the bottom" at the bottom.
std::vector<ChatEntry> BoardEntries(const std::array<TQobRecord, 10>& rows, int lastSeen, bool atBottom);
// The number of the board's newest message (0 for an empty board).
int BoardTop(const std::array<TQobRecord, 10>& rows);

// The passport under which a message is sent.
struct ChatAuthor {
    std::string nick, city, country, sex;
};
// Sends a message: reads the board for its top number and writes the message as the next one.
// The number of the new message, or nothing when either exchange failed (then nothing was sent).
std::optional<int> SendChatMessage(ScoreClient& client, const ChatAuthor& author, std::string_view text,
                                   std::string_view stamp);

// The background checks of the news page and the chat board.
struct NewsCheck {
    bool isNew = false;
    int pageNumber = 0; // 0 when the page could not be read
};
NewsCheck CheckNews(ScoreClient& client, const std::filesystem::path& newsFile);
struct ChatCheck {
    bool isNew = false;
    int top = 0; // 0 when the board could not be read
    ChatFile state;
};
ChatCheck CheckChat(ScoreClient& client, const std::filesystem::path& chatFile);

// When the 10-second timer of the main window checks what: the news every third tick from the
// fourth on while none is flagged and the main menu is up; the chat every ninetieth tick (a
// quarter of an hour) while no new message is flagged.
class ChatNewsSchedule {
  public:
    struct Due {
        bool news = false, chat = false;
    };
    Due Tick(bool menuShown);
    bool newsFlagged = false, chatFlagged = false;
    int Ticks() const { return ticks_; }

  private:
    int ticks_ = 0;
};

} // namespace tarvo

// The player's choices beyond the classic game: the strong computer, hints, numbered deals and
// keyboard play. They live in "Tarvo3Play.ini" beside the settings file, whose 35 lines stay as
// they are; the file is written only once a choice has been made, so a player who never touches
// them keeps the data folder exactly as it was.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace tarvo {

inline constexpr const char* kPlayChoicesFileName = "Tarvo3Play.ini";

struct PlayChoices {
    bool StrongComputer = false; // the computer seats search the hidden cards
    bool Hints = false;          // "Hint" in the popup menu (and H with keyboard play)
    bool NumberedDeals = false;  // the deal number on the table, "Replay a deal..."
    bool KeyboardPlay = false;   // arrows, Enter, Space, H and Esc play at the table

    bool operator==(const PlayChoices&) const = default;
};

// The file as written: INI text, one key a line, LF ends.
std::string PlayChoicesFileBytes(const PlayChoices& choices);

// Reads the file. A missing file, an unknown key, or a value that is not understood leaves the
// default of that choice: the file is the player's to edit.
PlayChoices LoadPlayChoices(const std::filesystem::path& file);

// Replaces the file through the crash-safe write; an empty error code when it is in place.
std::error_code SavePlayChoices(const std::filesystem::path& file, const PlayChoices& choices);

} // namespace tarvo

// Readers of the score server's replies. A reply is single-byte text that the scanners search for
// the marker characters "$", "*", "#", "~" and for two-letter words; positions are bytes. The
// server shapes its replies for exactly these rules (see server/Reply.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// The fields of one record, cut at blanks (or "~" for details). Field 0 is the text before the
// first cut, always empty; the fields the caller wants start at 1.
using RecordFields = std::vector<std::string>;

// The field numbered `n`, or nothing when the record is shorter: the caller keeps its default.
const std::string* FieldAt(const RecordFields& fields, int n);

// A number reply: the digits after the last "$" (a "$" that ends the reply does not count), up
// to the first non-digit; the reply's last character is never part of them. Nothing when there
// is no "$" or no digit right after it: an earlier "$" is not tried.
std::optional<int> ScanNumber(std::string_view reply);

// A record list: every "$" that is not the reply's last character starts a record running to the
// next "*" or to the last character (excluded); at most ten records, in reply order.
std::vector<RecordFields> ScanRecords(std::string_view reply);

// The first record only, ending at the next `end` ("$", or "*" for the statistics read).
std::optional<RecordFields> ScanRecord(std::string_view reply, char end = '$');

// Whether the two characters stand side by side anywhere in the reply (case matters).
bool HasPair(std::string_view reply, std::string_view pair);

// A status reply: the text after the last "$" (not a final one) up to the next "#" or the end
// succeeds when its second and third characters are "ok": "$ ok#".
bool ScanStatus(std::string_view reply);

// A detail reply: the first record, running to the next "$" or the last character, cut at "~".
std::optional<RecordFields> ScanDetails(std::string_view reply);

} // namespace tarvo

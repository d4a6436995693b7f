// The sequential 8-bit reader of the instrument's text files (".vqo", ".vqm", ".vqg",
// ".vqk") and the parsing helpers both text imports share: lines, raw fixed-size fields,
// numbers in the "C" convention, comma fields, calendar times, and the result and settings
// types of an import. It covers reading only; the imports themselves build the measurement.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/MessageIds.h"
#include "model/CAchse.h"
#include "model/CKurveObj.h"
#include "platform/TimeStamp.h"

namespace vantrel::document {

/// The message an import failure is reported with (the file is not what its name says).
using ids::kMsgImportFailed;

/// Characters kept of one line. Longer lines are still read up to their line feed, but the
/// characters past this bound are dropped, so an overlong line costs at most this much
/// memory and never shifts the lines after it. Real instrument lines are far shorter.
constexpr std::size_t kMaxLineLength = 16384;

/// Reads an instrument text file held in memory, one byte at a time and strictly forwards.
/// Bytes are characters with the same code (byte 0xDF is U+00DF, 0xB0 is U+00B0).
class TextFileReader {
 public:
  explicit TextFileReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  /// The next line: the bytes up to the next line feed (which is consumed), without the
  /// bytes below 32 (CR, tab and the other control bytes). At the end of the file a line
  /// ends without error; past the end every line is empty.
  std::string ReadLine();
  /// Reads and discards `count` lines.
  void SkipLines(int count);
  /// The next `count` bytes as they are, line feeds and control bytes included; fewer when
  /// the file ends first.
  std::string_view ReadRaw(std::size_t count);

  bool AtEnd() const { return position_ >= bytes_.size(); }
  /// Bytes not yet read.
  std::size_t Remaining() const { return bytes_.size() - position_; }
  /// How many lines were longer than kMaxLineLength characters.
  std::size_t OverlongLines() const { return overlongLines_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  std::size_t overlongLines_ = 0;
};

/// Reads an integer from the start of `text` as the instrument files are read: leading
/// white space is skipped, an optional sign and the decimal digits up to the first other
/// character are taken; no digits give 0. Values past the 32-bit range saturate.
std::int32_t ParseInt(std::string_view text);

/// Reads a decimal number from the start of `text`: leading white space, an optional sign,
/// digits with an optional "." fraction and an optional exponent; "." is the decimal
/// separator whatever the user's locale. No digits give 0; "inf" and "nan" are not numbers
/// (0); a magnitude beyond the double range gives an infinity, one below it 0.
double ParseDecimal(std::string_view text);

/// Field k (1-based) of a line: the text after the (k - 1)-th comma; empty when the line
/// has fewer commas.
std::string_view Field(std::string_view line, int k);

/// The text after the first `separator` in `text`; empty when there is none.
std::string_view After(std::string_view text, char separator);

/// Bytes to UTF-16, each byte the character with the same code.
std::u16string WidenBytes(std::string_view bytes);

/// A double as a 32-bit float with the IEEE rounding of a hardware conversion: magnitudes
/// past the float range become infinities instead of undefined behaviour.
float ToFloat(double value);

/// ceil(seconds) as a 32-bit time span, saturated at the 32-bit range; NaN gives 0.
std::int32_t CeilSeconds(double seconds);

/// A calendar date and local time as written in a file (not yet checked).
struct LocalDateTime {
  std::int64_t year = 1970;
  std::int64_t month = 1;
  std::int64_t day = 1;
  std::int64_t hour = 0;
  std::int64_t minute = 0;
  std::int64_t second = 0;
};

/// Converts a local date and time to seconds since 1970-01-01 00:00:00 UTC in the process's
/// time zone; nullopt when a field lies outside its calendar range (month 1..12, day 1..31,
/// hour 0..23, minute and second 0..59, year 1900..9999). Results past the 32-bit range
/// saturate.
std::optional<platform::TimeStamp> LocalTimeToStamp(const LocalDateTime& time);

/// The expansion of a two-digit year: below 70 means 2000 + year, otherwise 1900 + year.
std::int64_t ExpandYear(std::int64_t twoDigitYear);

/// Sets the unit code and text of a curve and its axis from a unit line of an instrument
/// text file: "bar", "U/min", "l/min" and degrees Celsius written as `degreeByte` + "C"
/// (0xDF in online recordings, 0xB0 in instrument data files); any other text is custom.
void ApplyFileUnit(const std::string& line, model::CKurveObj& curve, model::CAchse& axis,
                   char degreeByte);

/// What an import needs besides the file's bytes.
struct ImportSettings {
  /// Local date and time to a time stamp; nullopt for an invalid date (the start time
  /// then stays 0). Tests put a fixed time zone here.
  std::optional<platform::TimeStamp> (*toTimeStamp)(const LocalDateTime&) = &LocalTimeToStamp;
  /// The moment of the import in seconds since 1970 UTC: the start time of instrument data
  /// files that carry no date. Filled by the caller with the current time.
  platform::TimeStamp importTime = 0;
};

/// The outcome of an import. `messageId` is 0 on success; otherwise 32956 (not an
/// instrument file of this kind, or the user cancelled an allocation after message 32900
/// was asked) or 32900 (memory ran out where nobody was asked; the document shows 32900
/// and then 32956).
struct ImportResult {
  int messageId = 0;
  /// Why the import failed, for logs and tests (users see the text of `messageId`).
  std::string detail;
  /// What the import read leniently (short file, overlong lines, invalid numbers).
  std::vector<std::string> warnings;

  bool Succeeded() const { return messageId == 0; }
};

}  // namespace vantrel::document

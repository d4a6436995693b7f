// A small INI file of sections and "key=value" lines, read and written as UTF-8. It backs
// the user profile and is the reader of the product information file. Section and key
// names compare case-insensitively (ASCII letters), the first of equal sections or keys
// wins, and every line it does not understand (comments, blank and malformed lines,
// sections nobody asks for) is kept verbatim when the file is written back. It does not
// know what any section means.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::app {

/// How reading a file ended.
enum class IniLoadStatus {
  kOk,
  kMissing,     // no file at that path
  kUnreadable,  // not a regular file, or reading failed
  kTooLarge,    // larger than IniFile::kMaxBytes; not read at all
};

struct IniLoadResult;

class IniFile {
 public:
  /// Files larger than this are refused: a profile or product file is a few hundred bytes.
  static constexpr std::size_t kMaxBytes = std::size_t{1} << 20;

  /// Reads `path`. Only a result with status kOk carries the file's contents.
  static IniLoadResult Load(const std::filesystem::path& path);
  /// Parses file contents: an optional UTF-8 byte order mark, lines ended by LF, CRLF or CR.
  static IniFile Parse(std::string_view bytes);

  /// The text of the value, without the blanks around it and without one pair of matching
  /// quotes ("..." or '...') around it; cut at an embedded NUL. Nothing when the section or
  /// key is missing.
  std::optional<std::u16string> Get(std::string_view section, std::string_view key) const;
  /// The value or `defaultValue` when it is missing.
  std::u16string GetString(std::string_view section, std::string_view key,
                           std::u16string_view defaultValue) const;
  /// The value read as an integer (see ParseInt) or `defaultValue` when it is missing or
  /// holds no number.
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

  /// Sets a value, adding the section and key when needed. False (and nothing changed) when
  /// the section or key name is not one a file line can hold, or the value holds a line
  /// break or NUL, which would otherwise add lines to the file.
  bool SetString(std::string_view section, std::string_view key, std::u16string_view value);
  bool SetInt(std::string_view section, std::string_view key, int value);
  /// Removes a key; false when there was none.
  bool Remove(std::string_view section, std::string_view key);

  /// The names of all sections in file order (the lines before the first header are not a
  /// section).
  std::vector<std::string> SectionNames() const;

  /// The file's contents as written by Save, every line ended by LF.
  std::string Serialize() const;
  /// Writes the file through the safe save (platform::AtomicFile), so a failure leaves the
  /// previous file as it was. The new file keeps the access rights of the old one; a
  /// symbolic link stays and its target is replaced. Throws platform::FileError on failure.
  void Save(const std::filesystem::path& path) const;

  /// The integer reading of a value: optional blanks, an optional sign and decimal digits
  /// (or "0x" and hex digits); anything after the number is ignored, as the platform's
  /// profile reader does. Nothing when no digit comes first or the number does not fit in
  /// 32 bits, so garbage never replaces a default with 0.
  static std::optional<int> ParseInt(std::u16string_view text);

 private:
  struct Line {
    std::string raw;    // the line as read or as formatted for writing (without its end)
    std::string key;    // empty for lines that are not "key=value"
    std::string value;  // the value as read (unquoted UTF-8 bytes)
  };
  struct Section {
    std::string name;
    std::string header;     // the header line as read or formatted
    bool hasHeader = true;  // false for the lines before the first header
    std::vector<Line> lines;
  };

  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  static const Line* FindKey(const Section& section, std::string_view key);

  std::vector<Section> sections_;
};

struct IniLoadResult {
  IniLoadStatus status = IniLoadStatus::kMissing;
  IniFile file;
  std::string detail;  // why reading failed, for the caller's report
  int messageId = 0;   // the file error message of the cause (platform/FileErrors.h); 0 if none
};

}  // namespace vantrel::app

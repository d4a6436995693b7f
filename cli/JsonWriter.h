// A small streaming JSON writer for the command-line output: compact, keys in the order
// they are written, floats and doubles as their shortest round-trip decimal, non-finite
// numbers as the strings "NaN", "Infinity" and "-Infinity", strings as escaped UTF-8.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

class JsonWriter {
 public:
  /// Writes to `out`, in chunks.
  explicit JsonWriter(std::FILE* out) : out_(out) {}
  ~JsonWriter() { Flush(); }
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  /// The key of the next value inside an object.
  void Key(std::string_view key);

  void Int(std::int64_t value);
  void UInt(std::uint64_t value);
  void Float(float value);
  void Double(double value);
  void String(std::string_view utf8);
  void String(std::u16string_view text);
  void Null();
  /// The base64 text of `bytes` as a string.
  void Base64(std::span<const std::uint8_t> bytes);
  /// Ends the output with a newline and hands it to the stream.
  void Finish();
  void Flush();

  static std::string Escape(std::string_view utf8);
  static std::string ToBase64(std::span<const std::uint8_t> bytes);

 private:
  void Open(char bracket);
  void Close(char bracket);
  void BeforeValue();
  void Raw(std::string_view text);

  std::FILE* out_;
  std::string buffer_;
  /// Per open bracket: whether an element has been written (for the commas).
  std::vector<bool> hasElement_;
  bool afterKey_ = false;
};

}  // namespace vantrel::cli

// Number, string and base64 encodings of the JSON output.
#include "JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/Strings.h"

namespace vantrel::cli {
namespace {

constexpr std::size_t kChunk = 1 << 20;

template <typename T>
void AppendNumber(std::string& out, T value) {
  std::array<char, 64> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  out.append(digits.data(), result.ptr);
}

}  // namespace

void JsonWriter::Raw(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kChunk) Flush();
}

void JsonWriter::Flush() {
  if (buffer_.empty()) return;
  std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
  buffer_.clear();
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasElement_.empty()) {
    if (hasElement_.back()) buffer_.push_back(',');
    hasElement_.back() = true;
  }
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  buffer_.push_back(bracket);
  hasElement_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  hasElement_.pop_back();
  buffer_.push_back(bracket);
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  buffer_.push_back('"');
  buffer_.append(Escape(key));
  buffer_.append("\":");
  afterKey_ = true;
}

void JsonWriter::Int(std::int64_t value) {
  BeforeValue();
  AppendNumber(buffer_, value);
}

void JsonWriter::UInt(std::uint64_t value) {
  BeforeValue();
  AppendNumber(buffer_, value);
}

void JsonWriter::Float(float value) {
  if (!std::isfinite(value)) {
    Double(static_cast<double>(value));
    return;
  }
  BeforeValue();
  AppendNumber(buffer_, value);
  if (buffer_.size() >= kChunk) Flush();
}

void JsonWriter::Double(double value) {
  if (std::isnan(value)) return String(std::string_view("NaN"));
  if (std::isinf(value)) return String(std::string_view(value > 0 ? "Infinity" : "-Infinity"));
  BeforeValue();
  AppendNumber(buffer_, value);
}

void JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  buffer_.push_back('"');
  Raw(Escape(utf8));
  buffer_.push_back('"');
}

void JsonWriter::String(std::u16string_view text) { String(platform::ToUtf8(text)); }

void JsonWriter::Null() {
  BeforeValue();
  buffer_.append("null");
}

void JsonWriter::Base64(std::span<const std::uint8_t> bytes) { String(ToBase64(bytes)); }

void JsonWriter::Finish() {
  buffer_.push_back('\n');
  Flush();
}

std::string JsonWriter::Escape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out += "\\u00";
          out.push_back(kHex[byte >> 4]);
          out.push_back(kHex[byte & 0x0F]);
        } else {
          out.push_back(c);
        }
    }
  }
  return out;
}

std::string JsonWriter::ToBase64(std::span<const std::uint8_t> bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const std::uint32_t n =
        (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
    out.push_back(kAlphabet[(n >> 18) & 63]);
    out.push_back(kAlphabet[(n >> 12) & 63]);
    out.push_back(kAlphabet[(n >> 6) & 63]);
    out.push_back(kAlphabet[n & 63]);
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    std::uint32_t n = std::uint32_t{bytes[i]} << 16;
    if (rest == 2) n |= std::uint32_t{bytes[i + 1]} << 8;
    out.push_back(kAlphabet[(n >> 18) & 63]);
    out.push_back(kAlphabet[(n >> 12) & 63]);
    out.push_back(rest == 2 ? kAlphabet[(n >> 6) & 63] : '=');
    out.push_back('=');
  }
  return out;
}

}  // namespace vantrel::cli

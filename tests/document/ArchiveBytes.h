// Builds expected archive bytes by hand for the archive tests: little-endian primitives,
// the UTF-16 string form and class records.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::document::testing {

struct Bytes {
  std::vector<std::uint8_t> v;

  Bytes& B(std::uint8_t x) {
    v.push_back(x);
    return *this;
  }
  Bytes& W(std::uint16_t x) { return B(x & 0xFF).B(x >> 8); }
  Bytes& D(std::uint32_t x) { return W(x & 0xFFFF).W(x >> 16); }
  Bytes& I(std::int32_t x) { return D(static_cast<std::uint32_t>(x)); }
  Bytes& F(float x) { return D(std::bit_cast<std::uint32_t>(x)); }
  Bytes& Q(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    return D(bits & 0xFFFFFFFF).D(bits >> 32);
  }
  Bytes& Raw(std::string_view text) {
    for (char c : text) B(static_cast<std::uint8_t>(c));
    return *this;
  }
  /// The written string form of a short (< 255 units) text.
  Bytes& S(std::u16string_view text) {
    B(0xFF).W(0xFFFE).B(static_cast<std::uint8_t>(text.size()));
    for (char16_t c : text) W(c);
    return *this;
  }
  /// A class record: FFFF, schema, name length, name.
  Bytes& Class(std::string_view name, std::uint16_t schema = 1) {
    return W(0xFFFF).W(schema).W(static_cast<std::uint16_t>(name.size())).Raw(name);
  }
  Bytes& Append(const Bytes& other) {
    v.insert(v.end(), other.v.begin(), other.v.end());
    return *this;
  }
};

}  // namespace vantrel::document::testing

// The classes whose object records occur in document archives, with the names and schema
// numbers stored in their class records. The measurement and the x axis are stored
// without tags and so have no entry here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantrel::document {

enum class ArchiveClass : std::uint8_t { Achse, KurveObj, ValueObj, TextObj, LineObj, ByteArray };

constexpr std::size_t kArchiveClassCount = 6;

struct ArchiveClassInfo {
  std::string_view name;
  std::uint16_t schema;
};

/// Indexed by ArchiveClass.
constexpr std::array<ArchiveClassInfo, kArchiveClassCount> kArchiveClasses{{
    {"CAchse", 1},
    {"CKurveObj", 1},
    {"CValueObj", 1},
    {"CTextObj", 1},
    {"CLineObj", 1},
    {"CByteArray", 0},
}};

constexpr const ArchiveClassInfo& InfoOf(ArchiveClass cls) {
  return kArchiveClasses[static_cast<std::size_t>(cls)];
}

// Tag words of the reference protocol.
constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;     // a dword tag follows
constexpr std::uint16_t kNewClassTag = 0xFFFF;      // a class record follows
constexpr std::uint16_t kClassTag = 0x8000;         // | class index (short form)
constexpr std::uint32_t kBigClassTag = 0x80000000;  // | class index (long form)
/// The largest index the shared index space can hand out.
constexpr std::uint32_t kMaxIndex = 0x7FFFFFFE;
/// Class names of this length or longer are never listed.
constexpr std::size_t kMaxClassNameLength = 64;

}  // namespace vantrel::document

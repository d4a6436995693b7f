// The product information file "mvdl4.ini" next to the program (program name, version,
// maker and instrument family) and the serial-port settings of the profile section "Comm".
// Placeholder replacement in texts and the port mapping to devices live elsewhere.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/ProductNames.h"
#include "app/ProfileStore.h"

namespace vantrel::app {

/// The fixed text shown when the product information cannot be read (start-up ends).
constexpr const char* kIniFileNotFound = "ini-File not found";
/// The product information file's name in the program folder.
constexpr const char* kProductInfoFileName = "mvdl4.ini";
/// Values of the product information file are cut to this many UTF-16 units.
constexpr std::size_t kProductValueMaxLength = 255;

struct ProductInfo {
  std::u16string applicationName;   // [Application] Name (required)
  std::u16string version;           // [Application] Version (required)
  std::u16string extendedVersion;   // [Application] xVersion (required)
  std::u16string oldVersion;        // [Application] oldVersion
  std::u16string manufacturerName;  // [Manufacturer] Name (required)
  std::u16string division;          // [Manufacturer] Devision
  std::u16string street;            // [Manufacturer] Street
  std::u16string town;              // [Manufacturer] Town
  std::u16string telephone;         // [Manufacturer] Telephone
  std::u16string fax;               // [Manufacturer] Fax
  std::u16string deviceName;        // [Device] Name (required)
  std::filesystem::path programDirectory;
  std::filesystem::path infoFilePath;  // programDirectory / "mvdl4.ini"

  /// The names that replace the placeholders of the language texts; the maker is the
  /// company key of the profile. An empty oldVersion leaves "2.0" as it is.
  ProductNames Names() const;
};

/// Reads "<programDirectory>/mvdl4.ini" into `info`, keys in the order of the fields. False
/// when the file is missing or unreadable or a required key is missing or empty; the caller
/// then shows kIniFileNotFound. Optional keys that are missing read as empty.
bool ReadProductInfo(const std::filesystem::path& programDirectory, ProductInfo& info);

/// Profile section and keys of the port settings.
constexpr std::string_view kCommSection = "Comm";
constexpr std::string_view kPortKey = "Port";
constexpr std::string_view kBaudRateKey = "Baud-Rate";
constexpr int kDefaultPortNumber = 1;
constexpr int kDefaultBaudRate = 1200;

/// "Comm"/"Port", 1 when not stored. The value is returned as stored; the port map rejects
/// numbers it cannot map.
int GetPortNumber(const ProfileStore& profile);
/// "Comm"/"Baud-Rate", 1200 when not stored.
int GetBaudRate(const ProfileStore& profile);
/// Write the value to the profile at once; false when the profile cannot be written
/// (profile.LastError() says why).
bool SetPortNumber(ProfileStore& profile, int port);
bool SetBaudRate(ProfileStore& profile, int baudRate);
/// Writes port and baud rate together: both are stored or, when the profile cannot be
/// written, neither.
bool SetPortSettings(ProfileStore& profile, int port, int baudRate);

}  // namespace vantrel::app

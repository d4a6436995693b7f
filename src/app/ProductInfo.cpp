// Reading the product information file and the port settings; see ProductInfo.h.
#include "app/ProductInfo.h"

#include <string_view>

#include "app/IniFile.h"

namespace vantrel::app {
namespace {

/// One key of the product information file, read in table order.
struct ProductKey {
  std::string_view section;
  std::string_view key;
  bool required;
  std::u16string ProductInfo::*field;
};

constexpr ProductKey kProductKeys[] = {
    {"Application", "Name", true, &ProductInfo::applicationName},
    {"Application", "Version", true, &ProductInfo::version},
    {"Application", "xVersion", true, &ProductInfo::extendedVersion},
    {"Application", "oldVersion", false, &ProductInfo::oldVersion},
    {"Manufacturer", "Name", true, &ProductInfo::manufacturerName},
    {"Manufacturer", "Devision", false, &ProductInfo::division},
    {"Manufacturer", "Street", false, &ProductInfo::street},
    {"Manufacturer", "Town", false, &ProductInfo::town},
    {"Manufacturer", "Telephone", false, &ProductInfo::telephone},
    {"Manufacturer", "Fax", false, &ProductInfo::fax},
    {"Device", "Name", true, &ProductInfo::deviceName},
};

/// Cuts a value to the length the product reader keeps, never inside a surrogate pair.
std::u16string Bounded(std::u16string value) {
  if (value.size() <= kProductValueMaxLength) return value;
  value.resize(kProductValueMaxLength);
  if (value.back() >= 0xD800 && value.back() <= 0xDBFF) value.pop_back();
  return value;
}

}  // namespace

ProductNames ProductInfo::Names() const {
  ProductNames names;
  names.applicationName = applicationName;
  names.version = version;
  if (!oldVersion.empty()) names.oldVersion = oldVersion;
  names.deviceName = deviceName;
  names.maker = manufacturerName;
  return names;
}

bool ReadProductInfo(const std::filesystem::path& programDirectory, ProductInfo& info) {
  info.programDirectory = programDirectory;
  info.infoFilePath = programDirectory / kProductInfoFileName;
  const IniLoadResult loaded = IniFile::Load(info.infoFilePath);
  if (loaded.status != IniLoadStatus::kOk) return false;
  bool complete = true;
  for (const ProductKey& entry : kProductKeys) {
    std::u16string value = Bounded(loaded.file.GetString(entry.section, entry.key, u""));
    if (entry.required && value.empty()) complete = false;
    info.*entry.field = std::move(value);
  }
  return complete;
}

int GetPortNumber(const ProfileStore& profile) {
  return profile.GetProfileInt(kCommSection, kPortKey, kDefaultPortNumber);
}

int GetBaudRate(const ProfileStore& profile) {
  return profile.GetProfileInt(kCommSection, kBaudRateKey, kDefaultBaudRate);
}

bool SetPortNumber(ProfileStore& profile, int port) {
  return profile.WriteProfileInt(kCommSection, kPortKey, port);
}

bool SetBaudRate(ProfileStore& profile, int baudRate) {
  return profile.WriteProfileInt(kCommSection, kBaudRateKey, baudRate);
}

bool SetPortSettings(ProfileStore& profile, int port, int baudRate) {
  return profile.WriteProfileValues(
      kCommSection, {{std::string(kPortKey), port}, {std::string(kBaudRateKey), baudRate}});
}

}  // namespace vantrel::app

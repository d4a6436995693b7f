// The programs' version line; see ProgramVersion.h.
#include "app/ProgramVersion.h"

#include "app/ProductInfo.h"
#include "platform/Strings.h"

#ifndef VANTREL_PROJECT_VERSION
#error "VANTREL_PROJECT_VERSION is set by the build"
#endif

namespace vantrel::app {

std::string_view ProjectVersion() { return VANTREL_PROJECT_VERSION; }

std::string VersionLine(std::string_view program, const std::filesystem::path& dataFolder) {
  ProductInfo product;
  // An incomplete file still names the product when it has the name.
  ReadProductInfo(dataFolder, product);
  std::u16string name =
      product.applicationName.empty() ? ProductNames{}.applicationName : product.applicationName;
  std::string line(program);
  line += " (";
  line += platform::ToUtf8(name);
  line += ") ";
  line += ProjectVersion();
  return line;
}

}  // namespace vantrel::app

#include "CliSettings.h"

#include <filesystem>

namespace vantrel::cli {

CliSettings::CliSettings(const CommandContext& context) {
  const std::u16string maker = context.product != nullptr ? context.product->manufacturerName : u"";
  const std::u16string program =
      context.product != nullptr ? context.product->applicationName : u"";
  profile_ = std::make_unique<app::ProfileStore>(app::ProfileStore::DefaultPath(maker, program));
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  user_.Load(*profile_, context.texts);
  if (!error) std::filesystem::current_path(current, error);
}

int CliSettings::ScaleMode(const ParsedArgs& args, const std::string& option) const {
  const auto value = args.Value(option);
  return value ? ParseIntOption(*value, 0, 1, option) : user_.GetScaleMode();
}

int CliSettings::AxisGrouping(const ParsedArgs& args, const std::string& option) const {
  const auto value = args.Value(option);
  return value ? ParseIntOption(*value, 0, 2, option) : user_.GetAxisGrouping();
}

}  // namespace vantrel::cli

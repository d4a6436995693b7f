// The settings a command takes from the user's profile (honouring XDG_CONFIG_HOME): the
// profile of the product named in "mvdl4.ini", the user settings of "Einstellungen"
// ("Zusammenfassen", "Einteilung") and the port settings of "Comm". Options given on the
// command line override them; nothing is written back unless a command says so.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CliFrame.h"
#include "app/ProfileStore.h"
#include "settings/CUserSettings.h"

namespace vantrel::cli {

class CliSettings {
 public:
  /// Reads the profile and the user settings. Unlike the program's start-up this does not
  /// make the working folder current: relative paths on the command line keep their meaning.
  explicit CliSettings(const CommandContext& context);

  app::ProfileStore& Profile() { return *profile_; }
  const settings::CUserSettings& User() const { return user_; }

  /// "Einteilung" unless `option` (0 or 1) overrides it.
  int ScaleMode(const ParsedArgs& args, const std::string& option = "--einteilung") const;
  /// "Zusammenfassen" unless `option` (0, 1 or 2) overrides it.
  int AxisGrouping(const ParsedArgs& args, const std::string& option = "--zusammenfassen") const;

 private:
  std::unique_ptr<app::ProfileStore> profile_;
  settings::CUserSettings user_;
};

}  // namespace vantrel::cli

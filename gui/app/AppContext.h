// What the windows of the program reach through the application object: texts, the
// message and file-dialog services, the product information, the profile, the user
// settings, the port map, the open documents and the instrument link.
#pragma once

#include <filesystem>

#include "app/BrandedTexts.h"
#include "app/PortMap.h"
#include "app/ProductInfo.h"
#include "app/ProfileStore.h"
#include "gui/platform/QtServices.h"
#include "settings/CUserSettings.h"

class QPrinter;

namespace vantrel::gui {

class DocumentManager;
class InstrumentAccess;

/// The application's services, as the main frame receives them.
struct AppServices {
  const app::BrandedTexts& texts;
  QtMessageService& messages;
  QtFileDialogs& dialogs;
  const app::ProductInfo& product;
  app::ProfileStore& profile;
  settings::CUserSettings& settings;
  app::PortMap& portMap;
};

/// The services and the main frame's documents.
struct AppContext : AppServices {
  DocumentManager& documents;
  /// The application's instrument link and online recording; set by the application.
  InstrumentAccess* instrument = nullptr;
  /// The printer of every print command (landscape by default); set by the application.
  QPrinter* printer = nullptr;
};

}  // namespace vantrel::gui

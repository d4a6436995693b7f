// The application object: start-up in its fixed order (language library, product
// information, Qt's translations, profile and user settings, document types, main window,
// start picture, landscape printing, the files of the command line) and the services every
// window reaches through it.
#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/BrandedTexts.h"
#include "app/LanguageLibrary.h"
#include "app/PortMap.h"
#include "app/ProductInfo.h"
#include "app/ProfileStore.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/DemoInstrument.h"
#include "gui/app/SingleInstance.h"
#include "gui/instrument/InstrumentAccess.h"
#include "gui/platform/QtServices.h"
#include "gui/recovery/RecoveryKeeper.h"
#include "settings/CUserSettings.h"

namespace vantrel::gui {

struct StartupOptions {
  /// The folder of the program's executables (vantrel-sim of the demo mode).
  std::filesystem::path programDirectory;
  /// The folder of the language texts, mvdl4.ini and start.bmp; empty: found from
  /// `programDirectory` (beside it, else in ../share/vantrel).
  std::filesystem::path dataDirectory;
  /// Empty: VANTREL_LANG, else German.
  std::string language;
  /// Start the simulated instrument and map port 1 to it.
  bool demo = false;
  bool minimized = false;
  /// Show the start picture (tests switch it off).
  bool startPicture = true;
  /// Overrides of the port map for this run ("N=PATH").
  std::vector<std::string> portOverrides;
  /// Overrides the profile file (tests).
  std::filesystem::path profilePath;
  /// Overrides the recovery folder of journals and recovery copies (tests).
  std::filesystem::path recoveryFolder;
  /// Files to open once the main window is shown, as File > Open opens them.
  QStringList files;
  /// The local socket later starts hand their files to; empty: none is listened on.
  QString instanceSocket;
};

class CVantrel40App {
 public:
  CVantrel40App();
  ~CVantrel40App();
  CVantrel40App(const CVantrel40App&) = delete;
  CVantrel40App& operator=(const CVantrel40App&) = delete;

  /// Runs the start-up steps; false when start-up failed (the fixed message was shown,
  /// unless `quiet`).
  bool InitInstance(const StartupOptions& options, bool quiet = false);
  /// The reason of a failed start-up ("Resource-DLL not found", "ini-File not found").
  const std::string& StartupError() const { return startupError_; }

  CMainFrame& MainFrame() { return *mainFrame_; }
  const app::BrandedTexts& Texts() const { return *texts_; }
  settings::CUserSettings& Settings() { return settings_; }
  app::ProfileStore& Profile() { return *profile_; }
  const app::ProductInfo& Product() const { return product_; }
  app::PortMap& Ports() { return portMap_; }
  /// The one instrument link and the online recording.
  InstrumentAccess& Instrument() { return *instrument_; }
  RecoveryKeeper& Recovery() { return *recovery_; }
  /// The printer every print command uses, landscape by default.
  QPrinter& Printer() { return *printer_; }
  /// The folder the program data was read from.
  const std::filesystem::path& DataDirectory() const { return dataDirectory_; }
  /// Whether later starts of the program reach this one.
  bool ReceivesFiles() const { return instance_ != nullptr && instance_->IsListening(); }

 private:
  bool Fail(const char* message, bool quiet);

  std::string startupError_;
  std::filesystem::path dataDirectory_;
  std::unique_ptr<QTranslator> qtTranslator_;
  std::unique_ptr<SingleInstance> instance_;
  std::unique_ptr<app::LanguageLibrary> library_;
  app::ProductInfo product_;
  std::unique_ptr<app::BrandedTexts> texts_;
  std::unique_ptr<app::ProfileStore> profile_;
  settings::CUserSettings settings_;
  app::PortMap portMap_;
  std::unique_ptr<QtMessageService> messages_;
  std::unique_ptr<QtFileDialogs> dialogs_;
  std::unique_ptr<InstrumentAccess> instrument_;
  std::unique_ptr<CMainFrame> mainFrame_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<DemoInstrument> demo_;
  std::unique_ptr<RecoveryKeeper> recovery_;
};

}  // namespace vantrel::gui

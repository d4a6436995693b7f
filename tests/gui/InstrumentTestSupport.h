// Helpers of the instrument window tests: a started application whose port is served by the
// simulated instrument, and a script that answers each modal window as it appears (the
// dialog under test, message boxes, file dialogs) while a command runs.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "SimHarness.h"

namespace vantrel::testing {

/// A device path that no port maps to: opening it fails at once.
std::string MissingDevice(int port);

/// The application with the simulated instrument on `port` (and nothing on the other
/// search ports), the profile's port set to it.
class InstrumentApp {
 public:
  explicit InstrumentApp(sim::SimOptions options, int port = 1);
  gui::CVantrel40App& App() { return *app_; }
  gui::CMainFrame& Frame() { return app_->MainFrame(); }
  SimHarness& Sim() { return *sim_; }
  const TempFolder& Folder() const { return folder_; }
  bool Ready() const { return app_ != nullptr && sim_->Ready(); }

 private:
  TempFolder folder_;
  std::unique_ptr<SimHarness> sim_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

/// Answers modal windows while it lives: every 20 ms the active modal window, if any, is
/// offered to the handler until the handler returns true (answered). A window is answered
/// once; the handler may wait for a condition by returning false.
class ModalScript {
 public:
  using Handler = std::function<bool(QWidget& modal)>;
  explicit ModalScript(Handler handler);
  ~ModalScript();
  /// Titles or texts of the windows answered, in order.
  const std::vector<QString>& Seen() const { return seen_; }

 private:
  Handler handler_;
  QTimer timer_;
  std::vector<QPointer<QWidget>> answered_;
  std::vector<QString> seen_;
};

/// Presses the standard button `button` of a message box; false when `modal` is none.
bool PressMessageButton(QWidget& modal, int button);
/// Chooses `path` in a save-file dialog and accepts it; false when `modal` is none.
bool ChooseFile(QWidget& modal, const std::filesystem::path& path);
/// Processes events for `milliseconds`.
void Wait(int milliseconds);

}  // namespace vantrel::testing

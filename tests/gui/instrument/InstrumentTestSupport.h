// Helpers of the instrument window tests: a started application whose port is served by the
// simulated instrument. Modal windows are answered with the shared ModalScript.
#pragma once

#include <memory>
#include <string>

#include "SimHarness.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"

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
  sim::SimHarness& Sim() { return *sim_; }
  const TempFolder& Folder() const { return folder_; }
  bool Ready() const { return app_ != nullptr && sim_->Ready(); }

 private:
  TempFolder folder_;
  std::unique_ptr<sim::SimHarness> sim_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

}  // namespace vantrel::testing

#include "InstrumentTestSupport.h"

#include "app/ProductInfo.h"
#include "instrument/InstrumentSetup.h"

namespace vantrel::testing {

std::string MissingDevice(int port) { return "/nonexistent/vantrel-tty" + std::to_string(port); }

InstrumentApp::InstrumentApp(sim::SimOptions options, int port)
    : sim_(std::make_unique<sim::SimHarness>(std::move(options))), app_(StartApp(folder_)) {
  if (app_ == nullptr || !sim_->Ready()) return;
  for (int p = 1; p <= instrument::kSearchPortCount; ++p) {
    app_->Ports().SetOverride(p, p == port ? sim_->Path() : MissingDevice(p));
  }
  app::SetPortNumber(app_->Profile(), port);
}

}  // namespace vantrel::testing

#include "gui/instrument/InstrumentAccess.h"

#include "app/ProductInfo.h"
#include "platform/Error.h"

namespace vantrel::gui {

InstrumentAccess::InstrumentAccess(platform::MessageService& messages, app::ProfileStore& profile,
                                   const app::PortMap& ports, bool demo,
                                   instrument::PortOpener opener)
    : profile_(profile),
      ports_(ports),
      demo_(demo),
      link_(&messages, std::move(opener)),
      online_(link_) {}

int InstrumentAccess::PortNumber() const { return demo_ ? 1 : app::GetPortNumber(profile_); }

int InstrumentAccess::BaudRate() const { return app::GetBaudRate(profile_); }

std::string InstrumentAccess::DevicePath(int number) const {
  try {
    return ports_.DevicePath(number);
  } catch (const platform::VantrelError&) {
    return {};
  }
}

void InstrumentAccess::ConfigureLink() {
  link_.SetPortSettings(DevicePath(PortNumber()), BaudRate());
}

}  // namespace vantrel::gui

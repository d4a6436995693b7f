// The application's one instrument link and what it needs from the application: the port
// settings of the profile (port 1 in demo mode, where the simulated instrument answers),
// port numbers turned into devices through the port map, and the online recording session.
#pragma once

#include <memory>
#include <string>

#include "app/PortMap.h"
#include "app/ProfileStore.h"
#include "gui/instrument/OnlineSession.h"
#include "instrument/CInstrumentLink.h"
#include "platform/MessageService.h"

namespace vantrel::gui {

class InstrumentAccess {
 public:
  /// `demo`: the simulated instrument answers on port 1 for this run.
  InstrumentAccess(platform::MessageService& messages, app::ProfileStore& profile,
                   const app::PortMap& ports, bool demo,
                   instrument::PortOpener opener = instrument::OpenPosixPort);
  InstrumentAccess(const InstrumentAccess&) = delete;
  InstrumentAccess& operator=(const InstrumentAccess&) = delete;

  instrument::CInstrumentLink& Link() { return link_; }
  OnlineSession& Online() { return online_; }
  bool Demo() const { return demo_; }
  /// The mapping of port numbers to devices in force.
  const app::PortMap& Ports() const { return ports_; }

  /// The port the link uses: the profile's "Comm"/"Port", or 1 in demo mode.
  int PortNumber() const;
  /// The profile's "Comm"/"Baud-Rate".
  int BaudRate() const;
  /// The device of port `number`; empty when the number cannot be mapped (opening it fails
  /// with the link's message for a missing device).
  std::string DevicePath(int number) const;
  /// Gives the link the port and baud rate in force before it is opened.
  void ConfigureLink();

 private:
  app::ProfileStore& profile_;
  const app::PortMap& ports_;
  bool demo_;
  instrument::CInstrumentLink link_;
  OnlineSession online_;
};

}  // namespace vantrel::gui

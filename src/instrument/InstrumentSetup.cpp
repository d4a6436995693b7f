// Port check and automatic port configuration.
#include "instrument/InstrumentSetup.h"

namespace vantrel::instrument {

int CheckPort(CInstrumentLink& link) {
  if (!link.Open(0)) return 0;
  const int status = link.CheckHandshake() ? kStrCheckAnswered : kStrCheckNoAnswer;
  link.Close();
  return status;
}

std::optional<FoundPort> AutoConfigure(CInstrumentLink& link, const PortResolver& resolve,
                                       const SearchProgress& progress) {
  for (int port = 1; port <= kSearchPortCount; ++port) {
    const std::string device = resolve ? resolve(port) : std::string();
    for (const int baud : kSearchBaudRates) {
      if (progress) progress(port, baud);
      if (link.ConnectHandshake(device, baud)) {
        link.Close();
        return FoundPort{port, baud};
      }
    }
  }
  link.Close();
  return std::nullopt;
}

}  // namespace vantrel::instrument

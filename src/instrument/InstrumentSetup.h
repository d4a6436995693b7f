// The logic of the instrument setup: the port check on the configured port and the search
// over ports 1..9 and 1200..38400 baud. Dialogs and the stored port settings are the
// caller's; port numbers are turned into device paths by the caller's resolver.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/MessageIds.h"
#include "instrument/CInstrumentLink.h"

namespace vantrel::instrument {

/// Status strings of the port check and the search.
using ids::kStrCheckAnswered;
using ids::kStrCheckNoAnswer;
using ids::kStrFound;
using ids::kStrNothingFound;
using ids::kStrSearching;

/// Ports and baud rates the search tries, port-major.
constexpr int kSearchPortCount = 9;
constexpr std::array<int, 6> kSearchBaudRates = {1200, 2400, 4800, 9600, 19200, 38400};

/// Opens the link's configured port (variant 0, with its Retry/Cancel prompt on failure), runs the
/// check handshake and closes. Returns 32832 when the instrument answered, 32831 when it did
/// not, 0 when the port could not be opened.
int CheckPort(CInstrumentLink& link);

struct FoundPort {
  int portNumber = 0;
  int baudRate = 0;
};

/// Turns a port number into a device path.
using PortResolver = std::function<std::string(int portNumber)>;
/// Told before each try (string 32834 shows both numbers).
using SearchProgress = std::function<void(int portNumber, int baudRate)>;

/// Tries the connect handshake on ports 1..9 at each of the six baud rates, port-major, and
/// closes the link. Returns the first port and rate that answered; none when nothing did
/// (string 32836).
std::optional<FoundPort> AutoConfigure(CInstrumentLink& link, const PortResolver& resolve,
                                       const SearchProgress& progress = {});

}  // namespace vantrel::instrument

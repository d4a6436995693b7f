// Opening the simulator's pseudo-terminal pair.
#include "PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace vantrel::sim {

std::unique_ptr<PseudoTerminal> PseudoTerminal::Open() {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) return nullptr;
  char path[128];
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
      ::ptsname_r(master, path, sizeof path) != 0) {
    ::close(master);
    return nullptr;
  }
  const int slave = ::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) {
    ::close(master);
    return nullptr;
  }
  termios settings{};
  if (::tcgetattr(slave, &settings) == 0) {
    ::cfmakeraw(&settings);
    ::tcsetattr(slave, TCSANOW, &settings);
  }
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, slave, path));
}

PseudoTerminal::~PseudoTerminal() {
  ::close(slave_);
  ::close(master_);
}

}  // namespace vantrel::sim

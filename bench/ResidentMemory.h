// The memory a benchmark holds: the process's resident bytes from /proc/self/statm, for
// figures of memory per sample or per step.
#pragma once

#include <unistd.h>

#include <cstdio>

namespace vantrel::bench {

/// The resident bytes of this process now; 0 when /proc cannot be read.
inline long ResidentBytes() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace vantrel::bench

#include "PollUntil.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace vantrel::testing {

pid_t ThisThreadId() { return static_cast<pid_t>(::syscall(SYS_gettid)); }

bool ThreadIsBlocked(pid_t tid) {
  const std::string task = "/proc/self/task/" + std::to_string(tid);
  // stat: "tid (name) S ...": the state follows the last ')'.
  std::ifstream stat(task + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'S') {
    return false;
  }
  // syscall: the number of the call it sleeps in, or "running".
  std::ifstream call(task + "/syscall");
  std::string first;
  return static_cast<bool>(call >> first) && first != "running" && first != "-1";
}

}  // namespace vantrel::testing

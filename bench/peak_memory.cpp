// Runs a command and records its peak memory, for bench/engine_floor.sh.
//   peak_memory REPORT command [arguments...]
// Writes "<peak private kB> <peak RSS kB>" to REPORT and exits with the command's status.
// Private memory is the largest RssAnon seen while polling /proc about every millisecond:
// unlike RSS it leaves out the page cache of a mapped document, which costs the machine
// nothing it could not drop. The peak RSS is the kernel's own (ru_maxrss from wait4).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// RssAnon in kB, or -1 once the process has gone (its status then has no such line).
long privateKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("RssAnon:", 0) == 0) return std::stol(line.substr(8));
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: peak_memory REPORT command [arguments...]\n");
    return 2;
  }
  const pid_t child = fork();
  if (child < 0) {
    std::perror("peak_memory: fork");
    return 2;
  }
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::fprintf(stderr, "peak_memory: cannot run %s: %s\n", argv[2], std::strerror(errno));
    _exit(127);
  }
  long peak = 0;
  int status = 0;
  rusage usage{};
  for (;;) {
    peak = std::max(peak, privateKilobytes(child));
    const pid_t done = wait4(child, &status, WNOHANG, &usage);
    if (done == child) break;
    if (done < 0 && errno != EINTR) {
      std::perror("peak_memory: wait4");
      return 2;
    }
    usleep(1000);
  }
  std::FILE* report = std::fopen(argv[1], "w");
  if (!report || std::fprintf(report, "%ld %ld\n", peak, usage.ru_maxrss) < 0 || std::fclose(report) != 0) {
    std::perror("peak_memory: report");
    return 2;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}

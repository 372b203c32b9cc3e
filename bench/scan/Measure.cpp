// Runs a command and prints "seconds bytes-read peak-KiB exit-status": wall
// time, rchar of /proc/PID/io read before the process is reaped, and the
// peak resident set of the child. A small launcher, so that the peak is the
// command's own and not that of a large parent copied by fork.
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s STDOUT-FILE COMMAND [ARGS...]\n", argv[0]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0)
    return 1;
  if (pid == 0) {
    const int out = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int null = open("/dev/null", O_RDWR);
    if (out < 0 || null < 0)
      _exit(127);
    dup2(out, 1);
    dup2(null, 2);
    dup2(null, 0);
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  siginfo_t info{};
  if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0)
    return 1;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  long long rchar = -1;
  if (FILE *io = std::fopen(("/proc/" + std::to_string(pid) + "/io").c_str(), "r")) {
    char key[64];
    long long value;
    while (std::fscanf(io, "%63s %lld", key, &value) == 2)
      if (std::string(key) == "rchar:")
        rchar = value;
    std::fclose(io);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  std::printf("%.6f %lld %ld %d\n", seconds, rchar, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : 128);
  return 0;
}

#include <time.h>
#include <unistd.h>

#include <cstdio>

// stamp_exec PROGRAM [ARG...]: writes the CLOCK_MONOTONIC reading to standard error as a trace
// line of its own, "starveil.trace: <ns> 0 exec <program>", then becomes PROGRAM. The reading
// is taken right before the exec, so "from process start" includes loading the program.
int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARG...]\n", argv[0]);
    return 2;
  }
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long ns = static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
  std::fprintf(stderr, "starveil.trace: %lld 0 exec %s\n", ns, argv[1]);
  std::fflush(stderr);
  execv(argv[1], argv + 1);
  std::perror(argv[1]);
  return 127;
}

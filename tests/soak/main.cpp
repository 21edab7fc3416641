#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

#include "soak/soak.h"

namespace {

int Usage(const char* program) {
  std::cerr << "usage: " << program << " [--seed N] [--seconds S] [--steps K]\n"
            << "Plays a random stream of input against the game window for S seconds (or K\n"
            << "steps), from seed N (from the time of day when not given).\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  QApplication app(argc, argv);

  starveil::soak::Options options;
  options.seed = static_cast<std::uint64_t>(
      std::chrono::system_clock::now().time_since_epoch().count() % 1'000'000'000);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage(argv[0]);
    const std::string value = argv[++i];
    if (arg == "--seed") {
      options.seed = std::stoull(value);
    } else if (arg == "--seconds") {
      options.seconds = std::stod(value);
    } else if (arg == "--steps") {
      options.steps = std::stol(value);
    } else {
      return Usage(argv[0]);
    }
  }
  std::cout << "soak seed " << options.seed << "; the same run again: " << argv[0] << " --seed "
            << options.seed;
  if (options.steps < 0) {
    std::cout << " --seconds " << options.seconds << '\n' << std::flush;
  } else {
    std::cout << " --steps " << options.steps << '\n' << std::flush;
  }

  const auto start = std::chrono::steady_clock::now();
  starveil::soak::Soak soak(options);
  int status = EXIT_SUCCESS;
  try {
    soak.Run();
  } catch (const starveil::soak::Failure& failure) {
    std::cout << "FAILED: " << failure.what() << "\nreplay: " << argv[0] << " --seed "
              << options.seed << " --steps " << soak.Step() << '\n'
              << std::flush;
    status = EXIT_FAILURE;
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::cout << soak.Summary(elapsed.count()) << std::flush;
  return status;
}

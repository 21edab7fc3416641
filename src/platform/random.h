#pragma once

#include <random>

namespace starveil::platform {

// The game's random numbers: reseeded from a number (the time of day), drawn uniform in [0, 1).
class Random {
 public:
  virtual ~Random() = default;
  virtual void Randomize(float seed) = 0;
  virtual float Rnd() = 0;
};

// The standard library's minimal standard generator. The march reseeds at every step, so the
// engine must be cheap to seed: a larger one spends more on reseeding than on all its draws.
class StandardRandom final : public Random {
 public:
  void Randomize(float seed) override;
  float Rnd() override;

 private:
  std::minstd_rand engine_;
};

}  // namespace starveil::platform

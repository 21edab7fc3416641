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

class MersenneRandom final : public Random {
 public:
  void Randomize(float seed) override;
  float Rnd() override;

 private:
  std::mt19937 engine_;
};

}  // namespace starveil::platform

// The pseudo-random numbers of the random perturbations: a 24-bit linear
// congruential generator, x <- (1140671485 x + 12820163) mod 2^24 from
// x = 327680, each draw x / 2^24 as a single in [0, 1).  One generator lives
// for the whole program, so a second run continues the first one's sequence.
#ifndef EBP_TREMORA_UNIFORM_RANDOM_H_
#define EBP_TREMORA_UNIFORM_RANDOM_H_

#include <cstdint>

namespace tremora {

class UniformRandom {
 public:
  float next() {
    state_ = static_cast<std::uint32_t>((1140671485ull * state_ + 12820163ull) & 0xFFFFFFu);
    return static_cast<float>(state_) / 16777216.0f;
  }

 private:
  std::uint32_t state_ = 327680;
};

}  // namespace tremora

#endif  // EBP_TREMORA_UNIFORM_RANDOM_H_

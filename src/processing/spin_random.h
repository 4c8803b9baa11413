#pragma once

// The picks of spinning and of choosing a batch, from a generator of this
// program's own (SplitMix64), so that one seed gives the same article and the
// same batch on every platform.

#include <cstddef>
#include <cstdint>

namespace kestrelwick {

// SplitMix64's finaliser: 64 bits mixed so that every bit of the result
// depends on every bit of z. The generator's output, and the batch's keys.
std::uint64_t mixBits(std::uint64_t z);

// The same seed gives the same picks.
class SpinRandom {
  public:
    explicit SpinRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // A number from 0 to count - 1, each equally likely.
    std::size_t below(std::size_t count);

  private:
    std::uint64_t state_;
};

}  // namespace kestrelwick

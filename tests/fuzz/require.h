#pragma once

// What every fuzz target asks of its input: a condition that must hold, or
// the run stops there, so that the fuzzer keeps the input that broke it.

#include <cstdlib>

namespace kestrelwick::testing {

inline void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace kestrelwick::testing

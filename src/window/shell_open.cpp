#include "window/shell_open.h"

// shellapi.h uses the types of windows.h without including it, so windows.h
// comes first, in a block of its own that include sorting leaves in place.
#include <windows.h>

#include <shellapi.h>

#include <cstdint>

namespace kestrelwick {

std::int32_t shellOpen(const char* address, std::int32_t showState) {
    const HINSTANCE result = ShellExecuteA(nullptr, "open", address, nullptr, nullptr, showState);
    // The result is an HINSTANCE only in name: a small integer status code.
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result));
}

}  // namespace kestrelwick

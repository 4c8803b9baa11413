#pragma once

// The Windows shell's "open" action, the way the link labels use it. No Qt:
// the same call is tested on its own under Wine.

#include <cstdint>

namespace kestrelwick {

// The window state that a link is opened in: the handler's own default
// (SW_SHOWDEFAULT).
inline constexpr std::int32_t kShowDefault = 10;

// The shell's results up to this one are its errors; above it, a handler
// was started.
inline constexpr std::int32_t kLastShellError = 32;

// Asks the shell to open `address` (text in the system's single-byte code
// page) with no owner window, no parameters and no working directory, in the
// given window show state. Returns the shell's result unchanged: above 32 when
// a handler was started, otherwise an error such as 2 (no such file) or 31 (no
// application is associated with the address).
std::int32_t shellOpen(const char* address, std::int32_t showState);

}  // namespace kestrelwick

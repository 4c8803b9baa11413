// The shell's "open" action as the link labels call it. Only addresses that no
// handler takes are used: a real web address would start a browser.

#include <gtest/gtest.h>

#include <string>

#include "window/shell_open.h"

namespace {

using kestrelwick::kLastShellError;
using kestrelwick::kShowDefault;
using kestrelwick::shellOpen;

// The shell's own error numbers, as Windows documents them.
constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kNoAssociation = 31;

// What the shell says of an address it cannot open comes back unchanged, and
// reads as a failure to the link labels.
TEST(ShellOpen, PassesTheShellsResultBack) {
    const std::int32_t scheme = shellOpen("kestrelwick-no-such-scheme:/uaw.php", kShowDefault);
    EXPECT_EQ(scheme, kNoAssociation);
    EXPECT_LE(scheme, kLastShellError);
    const std::int32_t file =
        shellOpen("C:\\kestrelwick-no-such-folder\\no-such-file.txt", kShowDefault);
    EXPECT_EQ(file, kFileNotFound);
    EXPECT_LE(file, kLastShellError);
}

}  // namespace

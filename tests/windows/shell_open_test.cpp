// The shell's "open" action as the link labels call it. Only addresses that no
// handler takes are used: a real web address would start a browser.

#include <gtest/gtest.h>

#include <string>

#include "window/shell_open.h"

namespace {

constexpr std::int32_t kShowDefault = 10;
constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kNoAssociation = 31;

TEST(ShellOpen, PassesTheShellsResultBack) {
    EXPECT_EQ(kestrelwick::shellOpen("kestrelwick-no-such-scheme:/uaw.php", kShowDefault),
              kNoAssociation);
    EXPECT_EQ(
        kestrelwick::shellOpen("C:\\kestrelwick-no-such-folder\\no-such-file.txt", kShowDefault),
        kFileNotFound);
}

}  // namespace

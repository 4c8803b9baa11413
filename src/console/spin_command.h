#pragma once

// kestrelwick --spin [--format F] [--seed N] [FILE | -]: one article spun
// from the spin text in FILE (standard input when it is - or left out),
// written to standard output with LF line breaks. A spin text that cannot be
// spun is told on standard error with its line and column, and nothing is
// written to standard output (exit status 2).

#include <QString>

#include <cstdint>
#include <optional>

#include "processing/spin_text.h"

class QIODevice;

namespace kestrelwick {

// file: a file name or "-"; seed: none for a random one. Returns the exit
// status.
int spinFile(const QString& file, SpinFormat format, std::optional<std::uint64_t> seed,
             QIODevice& in, QIODevice& out, QIODevice& err);

}  // namespace kestrelwick

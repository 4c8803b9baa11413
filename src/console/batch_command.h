#pragma once

// kestrelwick --spin --count K --out DIR [--max-share S] [--seed N]
// [--format F] [FILE | -]: a batch of K different articles spun from the
// spin text in FILE (standard input when it is - or left out), chosen so
// that no two repeat each other more than they must
// (processing/article_batch.h), written to DIR as one
// (files/batch_files.h). Standard error then says in one line how much any
// two share. Exit status 0 when the batch is written, 2 for a text that
// cannot be spun, a count beyond what the text gives, a file of the same
// name, or a folder or disk that cannot take the files.

class QIODevice;

namespace kestrelwick {

struct CommandLine;

// Returns the exit status.
int spinBatch(const CommandLine& command, QIODevice& in, QIODevice& err);

}  // namespace kestrelwick

#pragma once

// Reading and writing the state file (window/state_file.h) so that a save is
// whole or reported and no file but a regular one at the state's own path is
// ever read or written.
//
// Writing: the bytes go to a new file beside the state (created, never
// opened through a link, readable by its owner only), every write, the
// flush to the disk and the close are checked, and only then is it renamed
// over the state; on any failure it is removed and the state stays as it
// was. A symbolic link at the state's path is replaced, never written
// through. Reading: the file is opened without following a link and without
// waiting (a FIFO would block), refused unless it is a regular file no
// larger than a state can be and its header and lengths fit its size, and
// only then read, straight into the texts.

#include <QString>

#include <optional>

#include "window/saved_state/state_file.h"

namespace kestrelwick {

// Writes the texts to the state file at path, creating its folder; returns
// why it could not, or an empty text when the file holds them.
QString writeStateFile(const QString& path, const StateTexts& texts);

// What reading the state file found. NoMemory: a state that may be whole,
// but there was not the memory to read it; it is to be left as it is.
struct StateRead {
    enum class Outcome { Read, Missing, Refused, NoMemory } outcome = Outcome::Missing;
    StateTexts texts;  // when read
    QString why;       // when refused: why, to follow "could not be read back ("
};
StateRead readStateFile(const QString& path);

// Makes every write of a state fail with the given error number, as a full
// disk would; 0 ends it. For the tests of failing saves.
void failStateWritesWith(int error);

}  // namespace kestrelwick

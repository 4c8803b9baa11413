#pragma once

// Which window keeps the saved work: the one that holds the lock beside the
// state file. The lock is the system's own lock on that file (flock on
// Unix; on Windows, the file opened for no one else to write), which the
// system lets go of when its program ends, however it ends. So a lock is
// never stale and never taken from a live program, and two windows started
// at the same moment never both hold it: nothing is guessed from what the
// file says (it names the program that holds it, for whoever looks).
//
// The file stays when its program ends, for the next to lock. A thing at the
// lock's path that cannot be locked (a folder, a link, whether or not it
// leads anywhere, a FIFO) is moved aside (".stale-" and a time stamp) and
// the lock taken anew, but never the lock file of a live window. On Unix a
// regular file there is never moved, and the windows that find something
// else repair it one at a time, under the system's lock on the folder, each
// looking again at what stands at the path once it is its turn: so of two
// windows that found a link there together, the second finds the first's
// lock file in its place and locks that (which fails while the first
// lives). On Windows an open lock file cannot be renamed, or opened for
// writing, by another program at all.

#include <QString>

#include <memory>

namespace kestrelwick {

class StateLock {
  public:
    explicit StateLock(QString path);
    // Lets go of the lock.
    ~StateLock();
    StateLock(const StateLock&) = delete;
    StateLock& operator=(const StateLock&) = delete;

    enum class Taken { Ours, Others, Failed };
    // Takes the lock. Others: another program holds it.
    Taken take();

  private:
    struct Handle;
    QString path_;
    std::unique_ptr<Handle> handle_;
};

}  // namespace kestrelwick

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
// lock's path that cannot be opened as a file (a folder, a link, a file
// without permission) is moved aside (".stale-" and a time stamp) and the
// lock taken anew.

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

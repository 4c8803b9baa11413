#pragma once

// Which window keeps the saved work: the first to take the lock beside the
// state file. A lock that cannot be read as the lock of a live process on
// this machine (empty, garbage, a folder, another host's, or older than the
// machine's last boot) is stale: it is moved aside and taken over, so that
// a bad lock never stops the saving for good.

#include <QString>

#include <memory>

class QLockFile;

namespace kestrelwick {

class StateLock {
  public:
    explicit StateLock(QString path);
    ~StateLock();
    StateLock(const StateLock&) = delete;
    StateLock& operator=(const StateLock&) = delete;

    enum class Taken { Ours, Others, Failed };
    // Takes the lock. Others: a live window on this machine has it.
    Taken take();

  private:
    // Why the lock at the path is stale, or nothing when it is live or
    // missing.
    QString staleness() const;

    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace kestrelwick

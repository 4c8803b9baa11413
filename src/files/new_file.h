#pragma once

// A file written whole or not at all, for everything Kestrelwick saves: the
// saved work, a spin text, a batch of articles.
//
// The bytes go to a new file of its own beside the file's name (created,
// never opened through a link); every write, the flush to the disk and the
// close are checked, and only then is the new file given its name, in one
// step, so that the name always holds the old file or the new one, never a
// part. On any failure, and when it is dropped unfinished, the new file is
// removed. A symbolic link at the name is replaced, never written through.
// Why a write failed is said in words ("the disk is full"), as a refusal of
// the kind CannotWrite whose words go on after a colon.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include "processing/spinning.h"

namespace kestrelwick {

class NewFile {
  public:
    enum class Access { OwnerOnly, Everyone };
    enum class Replace { Yes, No };

    // Starts a new file that is to become path.
    NewFile(const QString& path, Access access);
    // Removes the new file unless it was put in place.
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Each returns false once anything has failed (failure()).
    bool write(const QByteArray& bytes);
    // Flushes the file to the disk and closes it.
    bool finish();
    // Gives the finished file its name: over a file of that name, or only
    // where there is none.
    bool putInPlace(Replace replace);
    // finish() and putInPlace() in one.
    bool commit(Replace replace) { return finish() && putInPlace(replace); }

    // Why it failed; nothing while nothing has.
    const std::optional<Refusal>& failure() const { return failure_; }
    bool failed() const { return failure_.has_value(); }

    // Makes every write fail with the given error number, as a full disk
    // would; 0 ends it. For the tests of failing saves.
    static void failWritesWith(int error);

  private:
    struct Handle;
    void fail(int error);
    void fail(const QString& why);

    QString path_;
    std::unique_ptr<Handle> handle_;
    std::optional<Refusal> failure_;
    bool placed_ = false;
};

// What a new file named fileName was to become, where it is one that a
// writer left behind: named as a new file is (the file's own name, ".new-",
// the writer's process number and a random part) by a process that is no
// longer running, killed before it could name or remove it. Nothing for any
// other name, and for a writer that may still be at work.
std::optional<QString> leftBehindNewFile(const QString& fileName);

// Writes the bytes to path whole or not at all, over a file of that name;
// returns why it could not, or nothing.
std::optional<Refusal> writeWholeFile(const QString& path, const QByteArray& bytes,
                                      NewFile::Access access);

// Why writing failed, in words: "the disk is full", "permission denied".
QString writeFailureReason(int error);

// Makes the folder at path and those above it that are missing; returns why
// it could not, or nothing. What stands where a folder should be is named:
// "\"/home/ann/work\" is a file where a folder should be" (or a link that
// leads nowhere, a link to a file, a FIFO, a socket, a device). made, where
// given, gets the folders it made, the deepest first.
std::optional<Refusal> makeFolder(const QString& path, QStringList* made = nullptr);

}  // namespace kestrelwick

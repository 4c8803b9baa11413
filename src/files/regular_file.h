#pragma once

// Reading a file that is a regular file, and only that, for the article
// reader and the saved work alike: one set of rules for what is opened, so
// that neither can be made to block, to read a device or to take a huge file
// into memory.
//
// The file is opened without waiting (a FIFO would block until something
// writes to it), optionally without following a symbolic link, and judged
// through the open file, so that what is judged is what is read: a folder, a
// FIFO, a socket or a device is refused, and so is a file larger than the
// caller can take, before a byte is read. Reads go on when a signal
// interrupts them. Names are taken as the system gives them
// (files/file_names.h).

#include <QString>

#include <memory>

namespace kestrelwick {

class RegularFile {
  public:
    enum class Links { Follow, Refuse };
    enum class Problem {
        None,
        Missing,       // nothing at the path
        DanglingLink,  // a link to nothing
        LinkLoop,      // a link that leads round in a loop
        Link,          // a link, where links are refused
        Folder,
        NotRegular,  // a FIFO, a socket or a device
        TooLarge,    // larger than the caller takes
        System,      // anything else; error() and reason() say what
    };

    // Opens the file at path for reading, if it is a regular file of at most
    // largest bytes.
    RegularFile(const QString& path, qint64 largest, Links links);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return problem_ == Problem::None; }
    Problem problem() const { return problem_; }
    // The system's error number of a System problem or a failed read, where
    // the system gives one (0 on Windows).
    int error() const { return error_; }
    // The system's words for it, as a message goes on after a colon.
    QString reason() const { return reason_; }

    // The file's size when it was opened.
    qint64 size() const { return size_; }
    // Reads up to bytes bytes from where reading stands; returns how many,
    // 0 at the end of the file, -1 on failure (error()).
    qint64 read(char* into, qint64 bytes);
    // Reads until bytes bytes are read or the file ends; returns how many,
    // -1 on failure.
    qint64 readFully(char* into, qint64 bytes);
    // Where the next read starts.
    bool seek(qint64 offset);

  private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    Problem problem_ = Problem::None;
    int error_ = 0;
    QString reason_;
    qint64 size_ = 0;
};

}  // namespace kestrelwick

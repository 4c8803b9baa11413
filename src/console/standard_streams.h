#pragma once

// The standard streams of the command line: held open from the start, and
// written as UTF-8 with every failure seen, even one after part of the text.

#include <QFile>
#include <QIODevice>
#include <QString>

namespace kestrelwick {

inline constexpr int kExitClean = 0;
inline constexpr int kExitNotes = 1;
inline constexpr int kExitTrouble = 2;

// Called first in main, before Qt opens anything: a standard stream that
// the program was started without (closed by the shell) gets its number held
// by the null device, so that no file or Qt's own machinery takes that number
// and is written or read in its place; the command line then treats the
// stream as closed and says so.
void holdStandardStreams();

// Writes all of the text to a device as UTF-8 (a lone surrogate as U+FFFD);
// false when the device took less.
bool writeUtf8(QIODevice& device, const QString& text);
// Why a device failed, as a message goes on after a colon.
QString failureOf(const QIODevice& device);

// Standard output or error, written with the system's own calls.
class StandardOutput final : public QIODevice {
  public:
    explicit StandardOutput(int fd);

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    int fd_;
};

// The three standard streams of a command.
struct StandardStreams {
    StandardStreams();
    QFile in;
    StandardOutput out{1};
    StandardOutput err{2};
};

}  // namespace kestrelwick

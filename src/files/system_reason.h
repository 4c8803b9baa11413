#pragma once

// The system's reason for a failure, worded as a message goes on after a
// colon: "Cannot read \"a.txt\": permission denied."

#include <QString>

namespace kestrelwick {

// Its first letter in lower case; "the system gives no reason" for none.
inline QString systemReason(QString why) {
    if (why.isEmpty()) {
        return QStringLiteral("the system gives no reason");
    }
    why[0] = why[0].toLower();
    return why;
}

}  // namespace kestrelwick

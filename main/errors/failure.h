#pragma once

#include <QString>

// A failure that the caller decides about: skip the text, ask, go on, stop, or turn it into a
// QvxError. Returned as std::optional<Failure>, empty when all went well.
struct Failure
{
    // The German text the user is shown.
    QString reason;
    // The system's error number where one caused the failure, 0 otherwise.
    int errorNumber = 0;

    // The disk (or the quota) is full: every further write there would fail the same way.
    bool diskFull() const;
};

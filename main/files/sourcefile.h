#pragma once

#include "errors/failure.h"
#include "files/fileidentity.h"

#include <QString>
#include <optional>

// A source text opened for reading: opened without waiting (a pipe without a writer would wait
// for ever) and kept open only when it is a regular file after links. Its size is the one it had
// when opened; a reader takes no more than that, so a device or a file that grows never ends
// the reading. The descriptor is closed with the object.
class SourceFile
{
public:
    explicit SourceFile(const QString &path);
    // The same with the path's bytes (see nativePath).
    explicit SourceFile(const char *nativePath);
    // The same with a path relative to a directory descriptor, as openat takes it.
    SourceFile(int directory, const char *nativePath);
    ~SourceFile();
    SourceFile(const SourceFile &) = delete;
    SourceFile &operator=(const SourceFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Why the file could not be opened, in German, without a closing full stop.
    const QString &failure() const { return m_failure; }
    int descriptor() const { return m_fd; }
    qsizetype size() const { return m_size; }
    // The file's state when it was opened.
    const FileIdentity &identity() const { return m_identity; }

private:
    void fail(const QString &reason);

    int m_fd = -1;
    qsizetype m_size = 0;
    FileIdentity m_identity;
    QString m_failure;
};

// Reads up to count bytes at data, retrying an interrupted read. Returns the bytes read (0 at the
// end) or -1 with errno set.
qsizetype readSome(int descriptor, char *data, qsizetype count);

// Writes all count bytes at data, going on after a short write; the write that then fails tells
// why (a disk fills up in the middle of a write). Returns that failure: its error number and its
// German text, without a closing full stop.
std::optional<Failure> writeAll(int descriptor, const char *data, qsizetype count);

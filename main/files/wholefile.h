#pragma once

#include "errors/failure.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>

// A file that appears only whole, named by the bytes of its path (see nativePath): Qt's save and
// temporary files name a file by the path's text, which turns a byte that is not UTF-8 into
// U+FFFD and so writes another file, or into a directory that does not exist. The bytes go to a
// temporary file beside the target, which takes the target's place on commit; without commit it
// is removed. A link at the target is followed, and an existing file keeps its permissions.
class WholeFile
{
public:
    explicit WholeFile(const QString &path);
    ~WholeFile();
    WholeFile(const WholeFile &) = delete;
    WholeFile &operator=(const WholeFile &) = delete;

    // Creates the temporary file. The reason is German, without a closing full stop: a missing
    // directory, or what the system reported.
    std::optional<Failure> open();
    int descriptor() const { return m_fd; }
    // The permissions the file gets on commit, in place of those of an existing file or of a new
    // one.
    void setMode(mode_t mode) { m_mode = mode; }
    // Flushes the bytes to the disk and gives the file its name.
    std::optional<Failure> commit();
    // The same, but a file that has the name meanwhile stays and the commit fails with EEXIST.
    std::optional<Failure> commitNew();

private:
    Failure failure(int errorNumber) const;
    // Gives the flushed file its name: by rename, which replaces, or by link, which does not.
    std::optional<Failure> commitBy(bool replace);

    QByteArray m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    mode_t m_mode = 0;
};

#pragma once

#include <QString>

class SourceFile;

// Reads the text bytes of a source file a piece at a time: no more than limit bytes, nor more
// than the file had when it was opened (one that grows since is read to that size, one that
// shrinks to its end), and up to its first NUL, where the text ends.
class PieceReader
{
public:
    // Throws QvxError "Datei <path> kann nicht geöffnet werden. <reason>" when file is not open.
    PieceReader(const SourceFile &file, const QString &path, qsizetype limit);

    // Reads up to count bytes to data and returns how many, 0 once the text has ended. Throws
    // QvxError as above when the reading fails.
    qsizetype next(char *data, qsizetype count);

    // Whether the text has ended: the bytes read so far are all of it.
    bool ended() const { return m_ended; }

    // Starts the reading again at the text's first byte. Throws QvxError as above when the file
    // cannot be read from there.
    void rewind();

private:
    int m_descriptor = -1;
    const QString &m_path;
    const qsizetype m_limit;
    qsizetype m_left = 0;
    bool m_ended = false;
};

// Throws QvxError "Datei <path> kann nicht geöffnet werden. <reason>".
[[noreturn]] void throwCannotOpen(const QString &path, const QString &reason);

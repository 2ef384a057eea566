#pragma once

#include "files/fileidentity.h"

#include <QHash>
#include <QPair>
#include <QString>

// The files of the texts searched so far, by device and inode, so that a file named again
// (through a link or another spelling) counts once: counted twice, it would double its rows and
// its copy. A text that could not be read names no file and is never a repeat.
class RepeatedTexts
{
public:
    // Makes room for that many texts at once instead of growing step by step.
    void expect(qsizetype texts) { m_firstOfFile.reserve(texts); }
    // The place in the run of the text under which the file read for text i was met before; -1
    // for the first time. The places keep the table small: 100,000 paths in it would each be
    // visited again when it is given back.
    qsizetype firstTextOf(const FileIdentity &file, qsizetype i);

private:
    QHash<QPair<quint64, quint64>, qsizetype> m_firstOfFile;
};

// The note on standard error for a path whose file was met under first.
QString repeatedTextNote(const QString &path, const QString &first);

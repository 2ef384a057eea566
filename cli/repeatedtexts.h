#pragma once

#include "files/fileidentity.h"

#include <QString>
#include <vector>

// The files of the texts searched so far, by device and inode, so that a file named again
// (through a link or another spelling) counts once: counted twice, it would double its rows and
// its copy. A text that could not be read names no file and is never a repeat.
class RepeatedTexts
{
public:
    // Makes room for that many texts at once instead of growing step by step.
    void expect(qsizetype texts);
    // The place in the run of the text under which the file read for text i was met before; -1
    // for the first time. The places keep the table small: 100,000 paths in it would each be
    // visited again when it is given back.
    qsizetype firstTextOf(const FileIdentity &file, qsizetype i);
    // Tells that file will soon be asked for: its slot is fetched into the processor's cache
    // meanwhile. The table is far larger than the cache, and the threads that read the texts
    // push it out; a run that asks without this waits for memory at every text.
    void expectSoon(const FileIdentity &file) const;

private:
    // An open table with one look at memory for most texts: a run asks once per text, on the
    // thread that writes the rows. Places are kept one up, so that 0 marks a free slot.
    struct Slot
    {
        quint64 device = 0;
        quint64 inode = 0;
        qsizetype firstPlusOne = 0;
    };
    void growFor(qsizetype texts);
    Slot &slotOf(quint64 device, quint64 inode);

    std::vector<Slot> m_slots;
    qsizetype m_used = 0;
};

// The note on standard error for a path whose file was met under first.
QString repeatedTextNote(const QString &path, const QString &first);

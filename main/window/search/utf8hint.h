#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QListWidget;

// Counts the texts of a run that were read as Windows-1252 although they are UTF-8, and tells
// the user of them after the run, once for a source list: not again until the list changes.
class Utf8Hint
{
public:
    void runStarts() { m_texts = 0; }
    void textRead(bool utf8AsWindows1252)
    {
        if (utf8AsWindows1252)
            ++m_texts;
    }
    // The note for the run that ended over the list box, or nothing when the run met no such
    // text or the user was told of this list already.
    std::optional<QString> noteAfterRun(const QListWidget *box);

private:
    qsizetype m_texts = 0;
    // The entries of the list that the last note was about.
    QStringList m_toldList;
};

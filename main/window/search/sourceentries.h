#pragma once

#include "text/sourceencoding.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

class QListWidget;

// The paths and encodings of the source list for a search run, as the list holds them at each
// text's turn. Commands that run while events are processed may change the list, so the run reads
// each entry at its turn. Reading it from the list's item costs more than the rest of a turn that
// finds nothing, so the entries are read once, and as long as the list's model has reported no
// change since, the entry at a turn is the one read then. After any change every turn reads its
// entry from the list again, and the next run reads them all once more. A linguist runs many
// searches over one list; with 1,000,000 sources reading it takes longer than a glance.
class SourceEntries : public QObject
{
public:
    SourceEntries(QListWidget *box, QObject *parent);

    // Reads the entries again if the list has changed since they were read; a run begins with it.
    // A list of a million entries takes longer than the window may go without events, so
    // letEventsRun is called about every slice; a change of the list meanwhile starts the reading
    // again.
    void readChanged(std::chrono::milliseconds slice, const std::function<void()> &letEventsRun);
    // The paths as the list held them when they were read.
    const QStringList &atStart() const { return m_paths; }
    // The encodings as the list held them when they were read, in the order of atStart().
    const QList<SourceEncoding> &encodingsAtStart() const { return m_encodings; }
    // The number of entries now.
    int count() const;
    // The path of entry i now; i < count().
    QString at(int i) const;
    // The encoding of entry i now; i < count().
    SourceEncoding encodingAt(int i) const;

private:
    QListWidget *m_box;
    QStringList m_paths;
    QList<SourceEncoding> m_encodings;
    bool m_changed = true;
};

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QListWidget;

// The paths of the source list for a search run, as the list holds them at each text's turn.
// Commands that run while events are processed may change the list, so the run reads each entry at
// its turn. Reading it from the list's item costs more than the rest of a turn that finds nothing,
// so the paths are read once at the start, and as long as the list's model has reported no change
// since, the entry at a turn is the one read then. After any change every turn reads its entry from
// the list again.
class SourceEntries : public QObject
{
public:
    explicit SourceEntries(QListWidget *box);

    // The paths as the list held them at the start.
    const QStringList &atStart() const { return m_paths; }
    // The number of entries now.
    int count() const;
    // The path of entry i now; i < count().
    QString at(int i) const;

private:
    QListWidget *m_box;
    QStringList m_paths;
    bool m_changed = false;
};

#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

// What --stats reports at the end of a run: texts read and found, the matches in those found,
// the bytes read and the time since the run began.
class RunStats
{
public:
    RunStats();

    void textRead(const QString &path);
    // f is -1 where the simple search counts nothing.
    void textFound(qint32 f);
    // One German line; the matches only where they were counted.
    QString summary() const;

private:
    QElapsedTimer m_clock;
    qsizetype m_read = 0;
    qsizetype m_found = 0;
    qint64 m_matches = 0;
    bool m_counted = true;
    qint64 m_bytes = 0;
};

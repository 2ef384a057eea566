#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

// The progress line on standard error: files done of all, MB/s, rows so far. Drawn only when
// enabled (standard error is a terminal and --quiet is not given), at most a few times a second.
class ProgressLine
{
public:
    ProgressLine(bool enabled, qsizetype total);
    ~ProgressLine();
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    // After every file.
    void fileDone(const QString &path, qsizetype rows);
    // Clears the line, before a message or at the end.
    void clear();

private:
    void draw(qsizetype rows);

    bool m_enabled;
    qsizetype m_total;
    qsizetype m_done = 0;
    qint64 m_bytes = 0;
    qint64 m_lastDraw = -1;
    bool m_shown = false;
    QElapsedTimer m_clock;
};

// Whether standard error is a terminal.
bool standardErrorIsTerminal();

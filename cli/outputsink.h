#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class WholeFile;

// Standard output closed by its reader (a pipe into head): the run ends quietly.
struct BrokenPipe
{
};

// Where the rows go: standard output, or a file that appears only whole. Rows are collected and
// written in large pieces, except on a terminal, where a reader waits for each line.
class OutputSink
{
public:
    // Standard output when path is empty. Throws QvxError when the file cannot be opened.
    explicit OutputSink(const QString &path);
    ~OutputSink();
    OutputSink(const OutputSink &) = delete;
    OutputSink &operator=(const OutputSink &) = delete;

    // Whether rows go to a terminal, which the progress line shares.
    bool toTerminal() const { return m_terminal; }
    // Room for the next rows; call written() after appending.
    QByteArray &buffer() { return m_buffer; }
    // Writes the buffer once it is large. Throws BrokenPipe or QvxError.
    void written();
    // Writes the rest; a file then takes its name. Without finish() the file is never created
    // and its temporary file is removed.
    void finish();
    // After a failed run: the rows so far go to standard output, whose reader has seen them
    // come anyway; a file stays unwritten, as a part of it would pose as the whole.
    void finishPrefix();

private:
    void flush();
    [[noreturn]] void fail(const QString &reason) const;

    QString m_path;
    std::unique_ptr<WholeFile> m_file;
    int m_descriptor = 1;
    bool m_terminal = false;
    QByteArray m_buffer;
};

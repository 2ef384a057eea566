#include "realcorpus.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <thread>
#include <vector>

QStringList germanManualPages(const QString &root)
{
    QStringList pages;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        pages << it.next();
    pages.sort();
    return pages;
}

QString renderManualPage(const QString &path)
{
    // The path goes into a shell command line: only names without quotes are taken.
    if (path.contains(QLatin1Char('\'')))
        return QString();
    const QByteArray command =
        "MANWIDTH=78 man --nh --nj -l '" + QFile::encodeName(path) + "' 2>/dev/null";
    FILE *pipe = ::popen(command.constData(), "r");
    if (!pipe)
        return QString();
    QByteArray output;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, qsizetype(got));
    return ::pclose(pipe) == 0 ? QString::fromUtf8(output) : QString();
}

QString plainText(const QString &formatted)
{
    static const QRegularExpression escapes(QStringLiteral("\x1B\\[[0-9;]*[A-Za-z]"));
    QString text = formatted;
    text.remove(escapes);
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\b'))
            plain.chop(1);
        else
            plain.append(c);
    }
    return plain;
}

namespace {

// Appends piece to texts, cut at empty lines into parts of at most maxChars where it can be.
void appendPieces(QStringList &texts, const QString &piece, int maxChars, int minChars)
{
    QString part;
    for (const QString &paragraph : piece.split(QStringLiteral("\n\n"))) {
        if (!part.isEmpty() && part.size() + 2 + paragraph.size() > maxChars) {
            texts << part;
            part.clear();
        }
        part += (part.isEmpty() ? QString() : QStringLiteral("\n\n")) + paragraph;
    }
    if (part.trimmed().size() >= minChars)
        texts << part;
}

} // namespace

QStringList splitIntoTexts(const QString &text, int maxChars, int minChars)
{
    QStringList texts;
    QString section;
    const auto flush = [&] {
        const QString trimmed = section.trimmed();
        if (trimmed.size() >= minChars)
            appendPieces(texts, trimmed, maxChars, minChars);
        section.clear();
    };
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.front().isSpace())
            flush();
        section += line + QLatin1Char('\n');
    }
    flush();
    return texts;
}

QByteArray toWindows1252CrLf(const QString &text)
{
    static const QHash<char16_t, char> upper = {
        {u'€', '\x80'}, {u'‚', '\x82'}, {u'ƒ', '\x83'}, {u'„', '\x84'}, {u'…', '\x85'},
        {u'†', '\x86'}, {u'‡', '\x87'}, {u'ˆ', '\x88'}, {u'‰', '\x89'}, {u'Š', '\x8A'},
        {u'‹', '\x8B'}, {u'Œ', '\x8C'}, {u'Ž', '\x8E'}, {u'‘', '\x91'}, {u'’', '\x92'},
        {u'“', '\x93'}, {u'”', '\x94'}, {u'•', '\x95'}, {u'–', '\x96'}, {u'—', '\x97'},
        {u'˜', '\x98'}, {u'™', '\x99'}, {u'š', '\x9A'}, {u'›', '\x9B'}, {u'œ', '\x9C'},
        {u'ž', '\x9E'}, {u'Ÿ', '\x9F'}, {u'‐', '-'},    {u'⟨', '<'},    {u'⟩', '>'},
        {u'‑', '-'},    {u'−', '-'},
    };
    QByteArray out;
    out.reserve(text.size() + text.size() / 40);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n') {
            out.append("\r\n", 2);
        } else if (c == u'\r') {
            continue;
        } else if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            out.append(char(c));
        } else {
            out.append(upper.value(c, '?'));
            // A character beyond the 16-bit plane is one "?", not two.
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
        }
    }
    if (!out.endsWith("\r\n"))
        out.append("\r\n", 2);
    return out;
}

int writeRealCorpus(const QString &directory, const QStringList &pages)
{
    std::atomic<int> next{0};
    std::atomic<int> written{0};
    std::atomic<bool> failed{false};
    const auto work = [&] {
        for (int i = next++; i < pages.size() && !failed; i = next++) {
            QString name = QFileInfo(pages[i]).fileName();
            if (name.endsWith(QLatin1String(".gz")))
                name.chop(3);
            const QStringList texts =
                splitIntoTexts(plainText(renderManualPage(pages[i])), 4000, 200);
            for (int k = 0; k < texts.size(); ++k) {
                QFile file(directory + QLatin1Char('/') + name +
                           QStringLiteral("-%1.txt").arg(k, 2, 10, QLatin1Char('0')));
                const QByteArray bytes = toWindows1252CrLf(texts[k]);
                if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                    failed = true;
                ++written;
            }
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < std::max(1, QThread::idealThreadCount()); ++t)
        threads.emplace_back(work);
    for (std::thread &thread : threads)
        thread.join();
    if (failed)
        throw std::runtime_error("cannot write the real texts into " + directory.toStdString());
    return written;
}

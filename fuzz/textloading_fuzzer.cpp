// Random file contents through every text loader: the preview's loadPreviewLine (one line with
// markers and its UTF-8), the one counting uses (TextLoader::loadUtf8, UTF-8 straight from the
// bytes, also its decoder's variants for processors without SSSE3 or SSE2) and the one the simple
// search uses (TextLoader::loadWindows1252, also in lower case). All must give the text that a
// line-by-line reading of the loading rule gives.
#include "files/linebreaks.h"
#include "files/textloading.h"
#include "fuzzcheck.h"
#include "preview/linemarker.h"
#include "text/utf8normalizer.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Decodes with Qt's own Windows-1252 converter, cuts at the first NUL, splits into lines at
// CR LF, lone CR and lone LF, and joins the lines with CR LF after each.
QString referenceText(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    require(decoder.isValid(), "Qt offers a Windows-1252 decoder");
    QString text = decoder.decode(bytes);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);

    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') {
            line.append(c);
            continue;
        }
        lines.append(line);
        line.clear();
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
    }
    if (!line.isEmpty())
        lines.append(line);

    QString joined;
    for (const QString &each : lines)
        joined += each + QStringLiteral("\r\n");
    return joined;
}

QString windows1252Text(std::string_view bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void requireLineBreaksInPairs(const QString &text)
{
    require(!text.contains(QChar(u'\0')), "no NUL in a loaded text");
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\r')
            require(i + 1 < text.size() && text.at(i + 1) == u'\n', "every CR is followed by LF");
        if (text.at(i) == u'\n')
            require(i > 0 && text.at(i - 1) == u'\r', "every LF follows a CR");
    }
    require(text.isEmpty() || text.endsWith(QStringLiteral("\r\n")),
            "a text that is not empty ends in CR LF");
}

// In memory where the system offers it: rewriting a file on disk thousands of times a second
// makes some file systems flush it each time.
QString scratchFile()
{
    static QTemporaryDir directory(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                       ? QStringLiteral("/dev/shm/qvx-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/qvx-fuzz-XXXXXX"));
    require(directory.isValid(), "a scratch directory can be made");
    return directory.filePath(QStringLiteral("source.txt"));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the scratch file opens");
    require(file.write(bytes) == bytes.size(), "the scratch file is written whole");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = scratchFile();
    writeFile(path, bytes);

    const QString expected = referenceText(bytes);
    // The preview decodes the file once more, straight into its one-line form.
    const PreviewLine preview = loadPreviewLine(path);
    require(preview.line == QString(expected).replace(QStringLiteral("\r\n"), lineBreakMarker()),
            "the preview's line is the text with a marker for every line break");
    require(preview.subject == preview.line.toUtf8().toStdString() + "\r\n",
            "the preview searches the UTF-8 of its line followed by CR LF");

    // One loader for all inputs, as the search run keeps one for all files: its buffers carry
    // over from the previous input.
    static TextLoader loader;
    const std::string expectedUtf8 = expected.toUtf8().toStdString();
    const TextLoader::Utf8Text text = loader.loadUtf8(path);
    require(text.length == expected.size(), "loadUtf8 gives the UTF-16 length of the text");
    require(text.utf8 == expectedUtf8, "the counting loader gives the UTF-8 of the text");

    // The decoder as it runs on processors without SSSE3 and without SSE2, in the same room.
    const auto sameAsLoader = [&](auto normalize) {
        std::vector<char> out(static_cast<size_t>(normalizedUtf8Capacity(bytes.size())));
        const NormalizedUtf8 result = normalize(bytes.constData(), bytes.size(), out.data(),
                                                normalizedUtf8Capacity(bytes.size()));
        return result.complete && result.units == expected.size() &&
               std::string_view(out.data(), static_cast<size_t>(result.bytes)) == expectedUtf8;
    };
    require(sameAsLoader(normalizeToUtf8Sse2), "the SSE2 decoder gives the same UTF-8 and length");
    require(sameAsLoader(normalizeToUtf8Portable),
            "the portable decoder gives the same UTF-8 and length");

    const auto raw = loader.loadRawWindows1252(path, bytes.size());
    require(raw && lineRuledLength(raw->data(), qsizetype(raw->size())) == expected.size(),
            "the bytes as they stand give the UTF-16 length of the text");

    const QString simpleText = windows1252Text(loader.loadWindows1252(path, false));
    requireLineBreaksInPairs(simpleText);
    require(simpleText == expected,
            "the simple search's loader gives the text of the loading rule");
    require(windows1252Text(loader.loadWindows1252(path, true)) == expected.toLower(),
            "the simple search's lower-case loader gives the lower-case text");
    return 0;
}

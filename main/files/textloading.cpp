#include "files/textloading.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/sourcefile.h"
#include "text/codepage.h"
#include "text/nativepath.h"
#include "text/utf8decoding.h"
#include "text/utf8normalizer.h"

#include <cerrno>
#include <cstring>
#include <limits>

namespace {

[[noreturn]] void throwCannotOpen(const QString &path, const QString &reason)
{
    throw QvxError(QString("Datei %1 kann nicht geöffnet werden. %2").arg(shownPath(path), reason));
}

// A piece of a large file is read and looked through for NUL before the next: a file of NUL
// bytes, whose text is empty, ends after its first piece instead of being read whole.
constexpr qsizetype readPiece = 16 * 1024 * 1024;

// Reads the text bytes of the source file into the buffer that room(size, keep) provides (at
// least size bytes, the first keep bytes kept), up to the first NUL, where the text ends, and no
// more than limit bytes. Returns the bytes read; sets cut when the text went on beyond limit.
template <typename Room>
qsizetype readSourceBytes(const SourceFile &file, const QString &path, qsizetype limit, bool &cut,
                          Room room)
{
    if (!file.isOpen())
        throwCannotOpen(path, file.failure());
    // One byte beyond the limit tells a cut text from one that ends right there.
    const qsizetype wanted = file.size() > limit ? limit + 1 : file.size();
    qsizetype filled = 0;
    qsizetype capacity = qMin(wanted, readPiece);
    char *data = room(capacity, 0);
    while (filled < wanted) {
        const qsizetype piece = qMin(wanted - filled, readPiece);
        if (filled + piece > capacity) {
            capacity = qMin(wanted, qMax(filled + piece, 2 * filled));
            data = room(capacity, filled);
        }
        const qsizetype got = readSome(file.descriptor(), data + filled, piece);
        if (got < 0)
            throwCannotOpen(path, systemErrorText(errno));
        if (got == 0)
            break;
        const void *nul = std::memchr(data + filled, '\0', size_t(got));
        if (nul)
            return static_cast<const char *>(nul) - data;
        filled += got;
    }
    cut = filled > limit;
    return qMin(filled, limit);
}

qsizetype readIntoArray(const QString &path, QByteArray &buffer, qsizetype limit, bool &cut)
{
    const SourceFile file(nativePath(path).constData());
    const qsizetype bytes =
        readSourceBytes(file, path, limit, cut, [&buffer](qsizetype size, qsizetype /*keep*/) {
            if (buffer.size() < size)
                buffer.resize(size);
            return buffer.data();
        });
    buffer.resize(bytes);
    return bytes;
}

} // namespace

void readWholeFile(const QString &path, QByteArray &buffer)
{
    bool cut = false;
    readIntoArray(path, buffer, std::numeric_limits<qsizetype>::max() - 1, cut);
}

bool readFileStart(const QString &path, QByteArray &buffer, qsizetype limit)
{
    bool cut = false;
    readIntoArray(path, buffer, limit, cut);
    return cut;
}

void normalizeLineBreaks(const char *data, qsizetype size, QByteArray &out)
{
    const void *nul = size > 0 ? std::memchr(data, '\0', static_cast<size_t>(size)) : nullptr;
    const qsizetype n = nul ? static_cast<const char *>(nul) - data : size;
    if (n == 0) {
        out.resize(0);
        return;
    }

    // Room for a line break added to every eighth byte, more only for a text that needs it: the
    // worst case, every byte a lone break that doubles, would keep twice the largest file.
    out.resize(n + n / 8 + 2);
    char *dst = out.data();
    const char *src = data;
    const char *const end = data + n;
    while (src < end) {
        const char *stop = src;
        while (stop < end && *stop != '\r' && *stop != '\n')
            ++stop;
        // The line, its break and the break of an open last line.
        const qsizetype needed = (dst - out.constData()) + (stop - src) + 4;
        if (needed > out.size()) {
            const qsizetype written = dst - out.constData();
            out.resize(qMax(needed, 2 * out.size()));
            dst = out.data() + written;
        }
        std::memcpy(dst, src, static_cast<size_t>(stop - src));
        dst += stop - src;
        if (stop == end)
            break;
        *dst++ = '\r';
        *dst++ = '\n';
        // CR LF is one break; LF CR are two.
        if (*stop == '\r' && stop + 1 < end && stop[1] == '\n')
            ++stop;
        src = stop + 1;
    }
    const char last = data[n - 1];
    if (last != '\r' && last != '\n') {
        *dst++ = '\r';
        *dst++ = '\n';
    }
    out.resize(dst - out.constData());
}

std::string_view TextLoader::readRaw(const QString &path)
{
    const SourceFile file(m_path.encode(path));
    if (file.isOpen() && file.size() > m_sizeLimit)
        throw TextTooLarge();
    m_identity = file.identity();
    bool cut = false;
    const qsizetype bytes = readSourceBytes(
        file, path, std::numeric_limits<qsizetype>::max() - 1, cut,
        [this](qsizetype size, qsizetype keep) { return m_raw.reserve(size, keep); });
    return std::string_view(m_raw.data(), size_t(bytes));
}

TextLoader::Utf8Text TextLoader::loadUtf8(const QString &path)
{
    if (m_encoding == SourceEncoding::Utf8)
        return loadUtf8FromUtf8(path);
    const std::string_view raw = readRaw(path);
    const qsizetype size = qsizetype(raw.size());
    // The room a text may need at most is three times its size; asking for that much would keep
    // a buffer of three times the largest file for the whole run.
    qsizetype room = likelyUtf8Capacity(size);
    char *out = m_utf8.reserve(room);
    NormalizedUtf8 text = normalizeToUtf8(raw.data(), size, out, room);
    if (!text.complete) {
        room = normalizedUtf8Capacity(size);
        out = m_utf8.reserve(room);
        text = normalizeToUtf8(raw.data(), size, out, room);
    }
    return {std::string_view(out, size_t(text.bytes)), text.units};
}

std::string_view TextLoader::loadWindows1252(const QString &path, bool lowerCase, bool lineRule)
{
    const std::string_view raw = readRaw(path);
    if (!lineRule) {
        if (lowerCase)
            cp1252::lowerInPlace(m_raw.data(), qsizetype(raw.size()));
        return raw;
    }
    normalizeLineBreaks(raw.data(), qsizetype(raw.size()), m_normalized);
    if (lowerCase)
        cp1252::lowerInPlace(m_normalized.data(), m_normalized.size());
    return std::string_view(m_normalized.constData(), size_t(m_normalized.size()));
}

QString &TextLoader::loadUtf16(const QString &path)
{
    const std::string_view raw = readRaw(path);
    decodeUtf8Text(raw.data(), qsizetype(raw.size()), m_utf16);
    return m_utf16;
}

TextLoader::Utf8Text TextLoader::loadUtf8FromUtf8(const QString &path)
{
    // Decoded and encoded again: the line rule and the replacement of malformed bytes give text
    // that PCRE2 accepts as it is, and the length in UTF-16 code units comes with it.
    const QString &text = loadUtf16(path);
    m_normalized = text.toUtf8();
    return {std::string_view(m_normalized.constData(), size_t(m_normalized.size())), text.size()};
}

// Only the read-ahead sets a size limit, and it leaves such a text to the run, so this text is
// shown only if a limit is ever set elsewhere.
TextTooLarge::TextTooLarge()
    : QvxError(QStringLiteral("Der Text ist zu groß, um ihn vorab zu lesen"))
{
}

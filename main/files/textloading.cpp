#include "files/textloading.h"

#include "errors/qvxerror.h"
#include "files/linebreaks.h"
#include "files/piecereader.h"
#include "files/sourcefile.h"
#include "text/codepage.h"
#include "text/nativepath.h"
#include "text/utf8decoding.h"
#include "text/utf8normalizer.h"

#include <cstring>
#include <limits>

namespace {

// A piece of a file read whole is looked through for NUL before the next: a file of NUL bytes,
// whose text is empty, ends after its first piece instead of being read whole.
constexpr qsizetype kArrayPiece = 16 * 1024 * 1024;

// A load keeps the pages of earlier texts that it may fill again, up to twice its own text's
// size, and at least this much, so that a run of small texts never gives pages back.
constexpr qsizetype kKeptBytes = qsizetype(64) << 20;

// At most a CR, or a byte-order mark or sequence cut short, comes again before the next piece.
constexpr qsizetype kCarryRoom = 4;

// Reads the text bytes of the file into buffer, no more than limit of them; sets cut when the
// text went on beyond limit.
void readIntoArray(const QString &path, QByteArray &buffer, qsizetype limit, bool &cut)
{
    const SourceFile file(nativePath(path).constData());
    // One byte beyond the limit tells a cut text from one that ends right there.
    PieceReader reader(file, path, limit + 1);
    const qsizetype wanted = qMin(file.size(), limit + 1);
    qsizetype filled = 0;
    while (!reader.ended()) {
        // Grown by reallocation, which moves large blocks by remapping their pages.
        const qsizetype piece = qMin(kArrayPiece, wanted - filled);
        if (buffer.size() < filled + piece)
            buffer.resize(filled + piece);
        filled += reader.next(buffer.data() + filled, piece);
    }
    cut = filled > limit;
    buffer.resize(qMin(filled, limit));
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
    out.resize(2 * n + 2);
    char *end = out.data();
    LineBreaking state;
    normalizePieceLineBreaks(data, n, true, end, state);
    out.resize(end - out.constData());
}

void TextLoader::setPieceSize(qsizetype bytes)
{
    m_pieceSize = qMax<qsizetype>(1, bytes);
    m_piece.reset();
}

void TextLoader::releaseLargeBuffers(qsizetype keepBytes)
{
    m_text.release(keepBytes);
    if (m_utf16.capacity() * qsizetype(sizeof(QChar)) > keepBytes)
        m_utf16 = QString();
}

void TextLoader::checkCancelled() const
{
    if (m_cancelled && m_cancelled->load(std::memory_order_relaxed))
        throw LoadCancelled();
}

void TextLoader::opened(const SourceFile &file)
{
    if (m_openedHook && file.isOpen())
        m_openedHook(file.size());
    m_identity = file.identity();
    releaseLargeBuffers(qMax(kKeptBytes, 2 * file.size()));
}

template <typename Convert>
void TextLoader::readPieces(const SourceFile &file, const QString &path, Convert convert)
{
    PieceReader reader(file, path, file.size());
    if (!m_piece)
        m_piece.reset(new char[size_t(m_pieceSize + kCarryRoom)]);
    char *const piece = m_piece.get();
    qsizetype carried = 0;
    for (;;) {
        checkCancelled();
        const qsizetype size = carried + reader.next(piece + carried, m_pieceSize);
        const bool last = reader.ended();
        const qsizetype taken = convert(piece, size, last);
        if (last)
            return;
        carried = size - taken;
        std::memmove(piece, piece + taken, size_t(carried));
    }
}

template <typename Capacity, typename Convert>
std::string_view TextLoader::loadConverted(const QString &path, Capacity capacity, Convert convert)
{
    const SourceFile file(m_path.encode(path));
    opened(file);
    char *const begin = m_text.reserve(capacity(file.size()));
    char *end = begin;
    readPieces(file, path, [&](const char *piece, qsizetype size, bool last) {
        return convert(piece, size, last, end);
    });
    m_text.noteUsed(end - begin);
    return std::string_view(begin, size_t(end - begin));
}

TextLoader::Utf8Text TextLoader::loadUtf8(const QString &path)
{
    if (m_encoding == SourceEncoding::Utf8)
        return loadUtf8FromUtf8(path);
    Utf8Normalizing state;
    const std::string_view text =
        loadConverted(path, normalizedUtf8Capacity,
                      [&state](const char *piece, qsizetype size, bool last, char *&end) {
                          return normalizePieceToUtf8(piece, size, last, end, state);
                      });
    return {text, qsizetype(text.size()) - state.continuationBytes};
}

std::string_view TextLoader::loadWindows1252(const QString &path, bool lowerCase, bool lineRule)
{
    if (lineRule) {
        LineBreaking state;
        return loadConverted(
            path, [](qsizetype size) { return 2 * size + 2; },
            [&state, lowerCase](const char *piece, qsizetype size, bool last, char *&end) {
                char *const written = end;
                const qsizetype taken = normalizePieceLineBreaks(piece, size, last, end, state);
                if (lowerCase)
                    cp1252::lowerInPlace(written, end - written);
                return taken;
            });
    }
    // The bytes stay as they are, so they are read straight into the text.
    const SourceFile file(m_path.encode(path));
    opened(file);
    char *const begin = m_text.reserve(file.size());
    char *end = begin;
    PieceReader reader(file, path, file.size());
    while (!reader.ended()) {
        checkCancelled();
        char *const written = end;
        end += reader.next(end, qMin(m_pieceSize, file.size() - (end - begin)));
        if (lowerCase)
            cp1252::lowerInPlace(written, end - written);
    }
    m_text.noteUsed(end - begin);
    return std::string_view(begin, size_t(end - begin));
}

QString &TextLoader::loadUtf16(const QString &path)
{
    const SourceFile file(m_path.encode(path));
    opened(file);
    // Sized for most texts at once and grown only for one of many line breaks or characters
    // beyond U+FFFF; a string no longer shared is grown by reallocation, which moves large blocks
    // by remapping their pages. Cleared first, so that a grown string copies nothing.
    m_utf16.resize(0);
    m_utf16.resize(qMin(decodedUtf16Capacity(file.size()),
                        file.size() + file.size() / 8 + decodedUtf16Capacity(m_pieceSize)));
    qsizetype units = 0;
    Utf8Decoding state;
    readPieces(file, path, [&](const char *piece, qsizetype size, bool last) {
        const qsizetype needed = units + decodedUtf16Capacity(size);
        if (m_utf16.size() < needed)
            m_utf16.resize(qMax(needed, 2 * m_utf16.size()));
        char16_t *const begin = reinterpret_cast<char16_t *>(m_utf16.data());
        char16_t *end = begin + units;
        const qsizetype taken = decodeUtf8Piece(piece, size, last, end, state);
        units = end - begin;
        return taken;
    });
    m_utf16.resize(units);
    return m_utf16;
}

TextLoader::Utf8Text TextLoader::loadUtf8FromUtf8(const QString &path)
{
    Utf8Decoding state;
    const std::string_view text =
        loadConverted(path, decodedUtf8Capacity,
                      [&state](const char *piece, qsizetype size, bool last, char *&end) {
                          return decodeUtf8Piece(piece, size, last, end, state);
                      });
    return {text, state.units};
}

LoadCancelled::LoadCancelled() : QvxError(QStringLiteral("Das Lesen wurde abgebrochen")) {}

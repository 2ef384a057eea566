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
#include <utility>

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

bool readsAsUtf8(const QString &path, const QByteArray &start, bool cut, SourceEncoding encoding)
{
    if (encoding != SourceEncoding::Automatic)
        return encoding == SourceEncoding::Utf8;
    Utf8Check check;
    check.add(start.constData(), start.size());
    if (!cut || !check.possible())
        return check.isMultiByteUtf8();
    Utf8Check whole;
    const SourceFile file(nativePath(path).constData());
    PieceReader reader(file, path, file.size());
    QByteArray piece(TextLoader::kDefaultPieceSize, Qt::Uninitialized);
    while (!reader.ended() && whole.possible())
        whole.add(piece.constData(), reader.next(piece.data(), piece.size()));
    return whole.isMultiByteUtf8();
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

SourceFile TextLoader::open(const QString &path)
{
    const char *native = m_path.encode(path);
    if (!m_directory)
        return SourceFile(native);
    const HeldDirectory::Place place = m_directory->place(native);
    return SourceFile(place.directory, place.name);
}

void TextLoader::opened(const SourceFile &file, PieceReader &reader, SourceEncoding encoding)
{
    if (m_openedHook && file.isOpen())
        m_openedHook(file.size());
    m_identity = file.identity();
    releaseLargeBuffers(qMax(kKeptBytes, 2 * file.size()));
    m_check = Utf8Check();
    m_held = 0;
    m_readAsUtf8 = encoding == SourceEncoding::Utf8;
    m_checking = encoding == SourceEncoding::Windows1252;
    if (encoding == SourceEncoding::Automatic)
        decideEncoding(reader);
}

void TextLoader::decideEncoding(PieceReader &reader)
{
    // Most texts decide within their first piece: a Windows-1252 text breaks the form of UTF-8
    // at its first letter beyond ASCII, and most texts are shorter than a piece. Only a longer
    // text of ASCII or UTF-8 is read twice, the second time from the page cache.
    m_checking = true;
    m_held = readPiece(reader, 0);
    bool firstPiece = true;
    while (!reader.ended() && m_check.possible()) {
        readPiece(reader, 0);
        firstPiece = false;
    }
    m_checking = false;
    m_readAsUtf8 = m_check.isMultiByteUtf8();
    if (!firstPiece) {
        m_held = 0;
        reader.rewind();
    }
}

char *TextLoader::pieceBuffer()
{
    if (!m_piece)
        m_piece.reset(new char[size_t(m_pieceSize + kCarryRoom)]);
    return m_piece.get();
}

qsizetype TextLoader::readPiece(PieceReader &reader, qsizetype carried)
{
    checkCancelled();
    char *const piece = pieceBuffer() + carried;
    const qsizetype got = reader.next(piece, m_pieceSize);
    if (m_checking)
        m_check.add(piece, got);
    return carried + got;
}

template <typename Convert> void TextLoader::readPieces(PieceReader &reader, Convert convert)
{
    char *const piece = pieceBuffer();
    qsizetype size = std::exchange(m_held, 0);
    if (size == 0)
        size = readPiece(reader, 0);
    for (;;) {
        const bool last = reader.ended();
        const qsizetype taken = convert(piece, size, last);
        if (last)
            return;
        const qsizetype carried = size - taken;
        std::memmove(piece, piece + taken, size_t(carried));
        size = readPiece(reader, carried);
    }
}

template <typename Capacity, typename Convert>
std::string_view TextLoader::loadConverted(const SourceFile &file, PieceReader &reader,
                                           Capacity capacity, Convert convert)
{
    char *const begin = m_text.reserve(capacity(file.size()));
    char *end = begin;
    readPieces(reader, [&](const char *piece, qsizetype size, bool last) {
        return convert(piece, size, last, end);
    });
    m_text.noteUsed(end - begin);
    return std::string_view(begin, size_t(end - begin));
}

template <typename Output> qsizetype TextLoader::utf8(Output output)
{
    if (m_readAsUtf8) {
        Utf8Decoding state;
        output(decodedUtf8Capacity,
               [&state](const char *piece, qsizetype size, bool last, char *&end) {
                   return decodeUtf8Piece(piece, size, last, end, state);
               });
        return state.units;
    }
    Utf8Normalizing state;
    const qsizetype bytes = output(
        normalizedUtf8Capacity, [&state](const char *piece, qsizetype size, bool last, char *&end) {
            return normalizePieceToUtf8(piece, size, last, end, state);
        });
    return bytes - state.continuationBytes;
}

template <typename Capacity, typename Convert>
qsizetype TextLoader::streamConverted(const SourceFile &file, PieceReader &reader,
                                      Capacity capacity, Convert convert,
                                      const WindowConsumer &consume)
{
    // Room for the whole text is only address space: the window moves back to its start after
    // every piece, so the pages of a piece or two are all that a text of any length touches.
    char *const begin = m_text.reserve(capacity(file.size()));
    char *end = begin;
    qsizetype bytes = 0;
    readPieces(reader, [&](const char *piece, qsizetype size, bool last) {
        char *const written = end;
        const qsizetype taken = convert(piece, size, last, end);
        bytes += end - written;
        m_text.noteUsed(end - begin);
        const qsizetype done =
            qsizetype(consume(std::string_view(begin, size_t(end - begin)), !last));
        std::memmove(begin, begin + done, size_t(end - begin - done));
        end -= done;
        return taken;
    });
    return bytes;
}

TextLoader::Utf8Text TextLoader::loadUtf8(const QString &path)
{
    const SourceFile file = open(path);
    PieceReader reader(file, path, file.size());
    opened(file, reader, m_encoding);
    Utf8Text text;
    text.length = utf8([&](auto capacity, auto convert) {
        text.utf8 = loadConverted(file, reader, capacity, convert);
        return qsizetype(text.utf8.size());
    });
    return text;
}

qsizetype TextLoader::streamUtf8(const QString &path, const WindowConsumer &consume)
{
    const SourceFile file = open(path);
    PieceReader reader(file, path, file.size());
    opened(file, reader, m_encoding);
    return utf8([&](auto capacity, auto convert) {
        return streamConverted(file, reader, capacity, convert, consume);
    });
}

std::string_view TextLoader::loadWindows1252(const QString &path, bool lowerCase, bool lineRule)
{
    const SourceFile file = open(path);
    PieceReader reader(file, path, file.size());
    opened(file, reader, SourceEncoding::Windows1252);
    return windows1252(file, reader, lowerCase, lineRule);
}

std::optional<std::string_view> TextLoader::loadRawWindows1252(const QString &path,
                                                               qsizetype maxBytes)
{
    const SourceFile file = open(path);
    if (file.isOpen() && file.size() > maxBytes)
        return std::nullopt;
    PieceReader reader(file, path, file.size());
    opened(file, reader, SourceEncoding::Windows1252);
    return windows1252(file, reader, false, false);
}

QString &TextLoader::loadUtf16(const QString &path)
{
    const SourceFile file = open(path);
    PieceReader reader(file, path, file.size());
    opened(file, reader, SourceEncoding::Utf8);
    return utf16(file, reader);
}

TextLoader::SearchText TextLoader::loadForSearch(const QString &path, bool lowerCase, bool lineRule)
{
    const SourceFile file = open(path);
    PieceReader reader(file, path, file.size());
    opened(file, reader, m_encoding);
    if (m_readAsUtf8)
        return {{}, &utf16(file, reader)};
    return {windows1252(file, reader, lowerCase, lineRule), nullptr};
}

std::string_view TextLoader::windows1252(const SourceFile &file, PieceReader &reader,
                                         bool lowerCase, bool lineRule)
{
    if (lineRule) {
        LineBreaking state;
        return loadConverted(
            file, reader, [](qsizetype size) { return 2 * size + 2; },
            [&state, lowerCase](const char *piece, qsizetype size, bool last, char *&end) {
                char *const written = end;
                const qsizetype taken = normalizePieceLineBreaks(piece, size, last, end, state);
                if (lowerCase)
                    cp1252::lowerInPlace(written, end - written);
                return taken;
            });
    }
    // The bytes stay as they are, so they are read straight into the text.
    char *const begin = m_text.reserve(file.size());
    char *end = begin;
    if (m_held > 0) {
        std::memcpy(begin, pieceBuffer(), size_t(m_held));
        end += std::exchange(m_held, 0);
        if (lowerCase)
            cp1252::lowerInPlace(begin, end - begin);
    }
    while (!reader.ended()) {
        checkCancelled();
        char *const written = end;
        end += reader.next(end, qMin(m_pieceSize, file.size() - (end - begin)));
        if (m_checking)
            m_check.add(written, end - written);
        if (lowerCase)
            cp1252::lowerInPlace(written, end - written);
    }
    m_text.noteUsed(end - begin);
    return std::string_view(begin, size_t(end - begin));
}

QString &TextLoader::utf16(const SourceFile &file, PieceReader &reader)
{
    // Sized for most texts at once and grown only for one of many line breaks or characters
    // beyond U+FFFF; a string no longer shared is grown by reallocation, which moves large blocks
    // by remapping their pages. Cleared first, so that a grown string copies nothing.
    m_utf16.resize(0);
    m_utf16.resize(qMin(decodedUtf16Capacity(file.size()),
                        file.size() + file.size() / 8 + decodedUtf16Capacity(m_pieceSize)));
    qsizetype units = 0;
    Utf8Decoding state;
    readPieces(reader, [&](const char *piece, qsizetype size, bool last) {
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

LoadCancelled::LoadCancelled() : QvxError(QStringLiteral("Das Lesen wurde abgebrochen")) {}

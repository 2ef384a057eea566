#pragma once

#include "errors/qvxerror.h"
#include "files/fileidentity.h"
#include "files/helddirectory.h"
#include "files/reservedbuffer.h"
#include "text/nativepath.h"
#include "text/sourceencoding.h"
#include "text/utf8check.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Reads the text bytes of the file into buffer, replacing its content: the whole file as it was
// when opened, up to its first NUL, where the text ends. Only regular files (after links) are
// read. Throws QvxError "Datei <path> kann nicht geöffnet werden. <reason>" with a German reason.
void readWholeFile(const QString &path, QByteArray &buffer);

// The same, but no more than limit bytes; returns whether the text went on beyond them.
bool readFileStart(const QString &path, QByteArray &buffer, qsizetype limit);

// Whether a text in encoding is read as UTF-8; for Automatic, whether the file's text is
// well-formed UTF-8 with multi-byte sequences (see Utf8Check). start holds the text's first bytes,
// all of them unless cut; the rest is read only when start leaves the answer open. Throws QvxError
// as readWholeFile.
bool readsAsUtf8(const QString &path, const QByteArray &start, bool cut, SourceEncoding encoding);

// The line rule of text loading on raw bytes: the first NUL ends the text; CR LF, a lone CR and
// a lone LF each end a line; every line, the last one included, is written back with CR LF.
// The bytes stay Windows-1252. An empty input, or one that starts with NUL, gives an empty out.
void normalizeLineBreaks(const char *data, qsizetype size, QByteArray &out);

// A load stopped because the loader's cancellation flag was set.
class LoadCancelled : public QvxError
{
public:
    LoadCancelled();
};

// Loads source texts for the search, one after another, into buffers that it reuses from file to
// file. What it returns stays valid until its next load. A file is read a piece at a time straight
// into the form the load returns, so that its raw bytes are never held whole beside it.
class PieceReader;
class SourceFile;

class TextLoader
{
public:
    // Small enough to stay in the processor's cache between the read and the conversion.
    static constexpr qsizetype kDefaultPieceSize = qsizetype(1) << 20;

    struct Utf8Text
    {
        std::string_view utf8;
        // Length of the text in UTF-16 code units.
        qsizetype length = 0;
    };

    explicit TextLoader(SourceEncoding encoding = SourceEncoding::Windows1252)
        : m_encoding(encoding), m_pieceSize(kDefaultPieceSize)
    {
    }

    SourceEncoding encoding() const { return m_encoding; }
    // The encoding of the loads from now on; a run that mixes encodings sets it for each text.
    void setEncoding(SourceEncoding encoding) { m_encoding = encoding; }

    // The file's text in UTF-8, read in the loader's encoding.
    Utf8Text loadUtf8(const QString &path);
    // Gets a window on the text and, with more, whether the text goes on behind it; returns how
    // many bytes at the window's start it no longer needs.
    using WindowConsumer = std::function<std::size_t(std::string_view window, bool more)>;
    // The same text a piece at a time: every call of consume sees the bytes that the last one
    // kept, then those of the next piece; the last call has more false. Returns the text's
    // length in UTF-16 code units. A text of any length takes about the memory of its pieces
    // and of what consume keeps.
    qsizetype streamUtf8(const QString &path, const WindowConsumer &consume);
    // The text of a file kept in UTF-8 (see decodeUtf8Text), which the caller may change in place.
    QString &loadUtf16(const QString &path);
    // The file's text in Windows-1252, one byte per UTF-16 code unit; with lowerCase every byte
    // stands for the lower-case form of its character. Without lineRule the line breaks stay as
    // the file has them (the text still ends at its first NUL): a search for strings without CR
    // and LF finds the same in both.
    std::string_view loadWindows1252(const QString &path, bool lowerCase, bool lineRule = true);

    // The file's bytes up to its first NUL as they stand, whole, read as Windows-1252 whatever
    // the loader's encoding, for a search that finds the same in them as in what streamUtf8
    // gives (lineRuledLength gives that text's length). Nothing, and nothing read, for a file of
    // more than maxBytes.
    std::optional<std::string_view> loadRawWindows1252(const QString &path, qsizetype maxBytes);

    // The text as the simple search takes it, read in the loader's encoding: as loadWindows1252
    // gives it, or, read as UTF-8, as loadUtf16 gives it (utf16 then set).
    struct SearchText
    {
        std::string_view windows1252;
        QString *utf16 = nullptr;
    };
    SearchText loadForSearch(const QString &path, bool lowerCase, bool lineRule);

    // Whether the last load read its text as UTF-8 (in the encoding UTF-8, or as Automatic
    // decided it).
    bool readAsUtf8() const { return m_readAsUtf8; }
    // Whether the last load read as Windows-1252 a text that is well-formed UTF-8 with
    // multi-byte sequences (see Utf8Check): a hint that the text's encoding was chosen wrongly.
    // Found on the way, it costs little beyond the load.
    bool utf8ReadAsWindows1252() const { return !m_readAsUtf8 && m_check.isMultiByteUtf8(); }

    // The state of the file of the last load when it was opened.
    const FileIdentity &identity() const { return m_identity; }

    // With a flag, every load looks at it before each piece it reads and, once it is set, throws
    // LoadCancelled; a text of gigabytes then stops within a piece. The flag outlives the loader.
    void setCancellation(const std::atomic<bool> *cancelled) { m_cancelled = cancelled; }

    // Called with the size of each file as it is opened, before anything is read from it: a
    // caller may wait there until it has room for a large text, or throw to end the load.
    void setOpenedHook(std::function<void(qint64 size)> hook) { m_openedHook = std::move(hook); }

    // Gives the memory of its buffers beyond keepBytes back to the system; what the last load
    // returned is then no longer valid. Each load does this itself for a text much smaller
    // than one before it.
    void releaseLargeBuffers(qsizetype keepBytes);

    // For a run over a snapshot of paths: from now on each text is opened inside its directory,
    // held open from text to text (see HeldDirectory).
    void holdDirectories() { m_directory = std::make_unique<HeldDirectory>(); }

    // The bytes read at a time; small pieces let tests end them inside the sequences that span
    // two pieces.
    void setPieceSize(qsizetype bytes);
    qsizetype pieceSize() const { return m_pieceSize; }

private:
    SourceFile open(const QString &path);
    // Notes the file's identity and gives back the pages that its text will not need; with
    // Automatic, decides how the text is read (see decideEncoding).
    void opened(const SourceFile &file, PieceReader &reader, SourceEncoding encoding);
    // Reads the text's start until its bytes decide between UTF-8 and Windows-1252. When the
    // first piece decided, its bytes stay in the piece buffer for the conversion; otherwise the
    // reader starts again.
    void decideEncoding(PieceReader &reader);
    char *pieceBuffer();
    // Reads the next piece behind the carried bytes at the start of the piece buffer; returns
    // the bytes there.
    qsizetype readPiece(PieceReader &reader, qsizetype carried);
    // Reads the text piece by piece and hands each to convert(data, size, last), which returns
    // the bytes it took; the rest comes again in front of the next piece.
    template <typename Convert> void readPieces(PieceReader &reader, Convert convert);
    // Loads the file's text into the output buffer, with room for capacity(file size) bytes,
    // through convert(data, size, last, end), which writes at end and moves it on and returns
    // the bytes it took, as for readPieces.
    template <typename Capacity, typename Convert>
    std::string_view loadConverted(const SourceFile &file, PieceReader &reader, Capacity capacity,
                                   Convert convert);
    void checkCancelled() const;

    // Calls output(capacity, convert) with the conversion to UTF-8 from the encoding that the
    // load decided on, as for loadConverted; output returns the bytes that it wrote. Returns
    // the text's length in UTF-16 code units.
    template <typename Output> qsizetype utf8(Output output);
    // Converts the text as loadConverted does, into a window handed to consume after each piece
    // (see streamUtf8); returns the bytes converted.
    template <typename Capacity, typename Convert>
    qsizetype streamConverted(const SourceFile &file, PieceReader &reader, Capacity capacity,
                              Convert convert, const WindowConsumer &consume);
    std::string_view windows1252(const SourceFile &file, PieceReader &reader, bool lowerCase,
                                 bool lineRule);
    QString &utf16(const SourceFile &file, PieceReader &reader);

    SourceEncoding m_encoding;
    bool m_readAsUtf8 = false;
    // Looks at the raw bytes of a load that reads Windows-1252, for utf8ReadAsWindows1252.
    Utf8Check m_check;
    bool m_checking = false;
    // Bytes of the text's start that decideEncoding left in the piece buffer.
    qsizetype m_held = 0;
    FileIdentity m_identity;
    ReservedBuffer m_text;
    std::unique_ptr<char[]> m_piece;
    qsizetype m_pieceSize;
    QString m_utf16;
    NativePathBuffer m_path;
    std::unique_ptr<HeldDirectory> m_directory;
    const std::atomic<bool> *m_cancelled = nullptr;
    std::function<void(qint64 size)> m_openedHook;
};

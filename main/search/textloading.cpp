#include "search/textloading.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "search/codepage.h"
#include "search/utf8normalizer.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

[[noreturn]] void throwCannotOpen(const QString &path, const QString &reason)
{
    throw QvxError(QString("Datei %1 kann nicht geöffnet werden. %2").arg(path, reason));
}

// QFile's own error codes lump most open failures together, so the file's state tells the
// user-facing reason apart.
QString openFailureReason(const QString &path, QFileDevice::FileError error,
                          const QString &errorText)
{
    const QFileInfo info(path);
    // exists() follows links, so a dangling link counts as missing, as it does on Windows.
    if (!info.exists())
        return QStringLiteral("Das System kann die angegebene Datei nicht finden");
    if (info.isDir())
        return QStringLiteral("Der angegebene Pfad ist ein Verzeichnis");
    // The readability test asks with the real user's rights, which need not be the ones the open
    // met (root without its override rights, a security module), and Qt files a refused open
    // under its general OpenError; the system's own error text tells the refusal apart.
    if (!info.isReadable() || error == QFileDevice::PermissionsError ||
        errorText == qt_error_string(EACCES) || errorText == qt_error_string(EPERM))
        return QStringLiteral("Zugriff verweigert");
    return germanReason(error);
}

} // namespace

void readWholeFile(const QString &path, QByteArray &buffer)
{
    // Some platforms open a directory for reading without complaint; reading it then fails
    // with a less helpful reason.
    if (QFileInfo(path).isDir())
        throwCannotOpen(path, QStringLiteral("Der angegebene Pfad ist ein Verzeichnis"));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throwCannotOpen(path, openFailureReason(path, file.error(), file.errorString()));

    // The reported size is only a hint: special files report 0 or change while being read.
    constexpr qsizetype minimumChunk = 64 * 1024;
    qsizetype capacity = qMax<qsizetype>(file.size() + 1, minimumChunk);
    buffer.resize(capacity);
    qsizetype filled = 0;
    for (;;) {
        if (filled == capacity) {
            capacity *= 2;
            buffer.resize(capacity);
        }
        const qint64 got = file.read(buffer.data() + filled, capacity - filled);
        if (got < 0) {
            buffer.resize(0);
            throwCannotOpen(path, germanReason(file.error() == QFileDevice::NoError
                                                   ? QFileDevice::ReadError
                                                   : file.error()));
        }
        if (got == 0)
            break;
        filled += got;
    }
    buffer.resize(filled);
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

const char *TextLoader::encodedPath(const QString &path)
{
    // The file system's encoding keeps ASCII as it is; only other paths need the converter.
    const char16_t *units = reinterpret_cast<const char16_t *>(path.utf16());
    const qsizetype n = path.size();
    m_path.resize(size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        if (units[i] >= 0x80) {
            const QByteArray encoded = QFile::encodeName(path);
            m_path.assign(encoded.constData(), size_t(encoded.size()));
            break;
        }
        m_path[size_t(i)] = char(units[i]);
    }
    return m_path.c_str();
}

std::string_view TextLoader::readRaw(const QString &path)
{
    const int fd = ::open(encodedPath(path), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // The general reader names the reason as the user should read it.
        readWholeFile(path, m_fallback);
        return std::string_view(m_fallback.constData(), size_t(m_fallback.size()));
    }
    constexpr qsizetype minimumCapacity = 64 * 1024;
    constexpr qsizetype blockSize = 4096;
    qsizetype filled = 0;
    for (;;) {
        if (filled == m_raw.capacity())
            m_raw.reserve(qMax(minimumCapacity, filled + filled / 2), filled);
        const qsizetype room = m_raw.capacity() - filled;
        const ssize_t got = ::read(fd, m_raw.data() + filled, size_t(room));
        if (got > 0) {
            filled += got;
            // The sources are regular files, which read short only at their end; a file system
            // that hands a large read out in parts cuts it at a block boundary. So a short read
            // that ends inside a block is the end, and the read that would return nothing is
            // spared: on small files it is a quarter of the system calls.
            if (got < room && filled % blockSize != 0) {
                ::close(fd);
                return std::string_view(m_raw.data(), size_t(filled));
            }
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        const int error = got < 0 ? errno : 0;
        ::close(fd);
        if (error == EISDIR) {
            readWholeFile(path, m_fallback);
            return std::string_view(m_fallback.constData(), size_t(m_fallback.size()));
        }
        if (error != 0)
            throwCannotOpen(path, germanReason(QFileDevice::ReadError));
        return std::string_view(m_raw.data(), size_t(filled));
    }
}

TextLoader::Utf8Text TextLoader::loadUtf8(const QString &path)
{
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

std::string_view TextLoader::loadWindows1252(const QString &path, bool lowerCase)
{
    const std::string_view raw = readRaw(path);
    normalizeLineBreaks(raw.data(), qsizetype(raw.size()), m_normalized);
    if (lowerCase)
        cp1252::lowerInPlace(m_normalized.data(), m_normalized.size());
    return std::string_view(m_normalized.constData(), size_t(m_normalized.size()));
}

#include "search/textloading.h"

#include "search/codepage.h"
#include "search/fileerror.h"
#include "search/qvxerror.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

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

    // Worst case: every byte is a lone break that doubles, plus the break of an open last line.
    out.resize(2 * n + 2);
    char *dst = out.data();
    const char *src = data;
    const char *const end = data + n;
    while (src < end) {
        const char *stop = src;
        while (stop < end && *stop != '\r' && *stop != '\n')
            ++stop;
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

QString loadText(const QString &path)
{
    QByteArray raw;
    readWholeFile(path, raw);
    QByteArray normalized;
    normalizeLineBreaks(raw.constData(), raw.size(), normalized);
    return cp1252::decode(normalized);
}

qsizetype TextLoader::loadUtf8(const QString &path, std::string &utf8)
{
    readWholeFile(path, m_raw);
    normalizeLineBreaks(m_raw.constData(), m_raw.size(), m_normalized);
    utf8.clear();
    cp1252::appendUtf8(m_normalized.constData(), m_normalized.size(), utf8);
    // Each Windows-1252 byte is one UTF-16 code unit.
    return m_normalized.size();
}

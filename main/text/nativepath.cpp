#include "text/nativepath.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

// The length of the valid UTF-8 sequence at p (at most n bytes there), or 0 when none starts
// there: no overlong forms, no surrogates, nothing beyond U+10FFFF.
int sequenceLength(const unsigned char *p, qsizetype n)
{
    const unsigned char lead = p[0];
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (n < length || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

QString pathFromNative(const char *bytes, qsizetype size)
{
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString path = strict.decode(QByteArrayView(bytes, size));
    if (!strict.hasError())
        return path;
    path.clear();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    for (qsizetype i = 0; i < size;) {
        const int length = sequenceLength(p + i, size - i);
        if (length == 0) {
            path += QChar(char16_t(0xDC00 + p[i]));
            ++i;
        } else {
            path += QString::fromUtf8(bytes + i, length);
            i += length;
        }
    }
    return path;
}

void appendPathFromNative(QString &path, const char *bytes, qsizetype size)
{
    // Most names are ASCII, which needs no decoder and no string of its own.
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
            path += pathFromNative(bytes, size);
            return;
        }
    }
    path += QLatin1String(bytes, size);
}

QString absolutePath(const QString &path)
{
    // A full path stays as given: the window's paths are written as its list shows them.
    if (path.startsWith(QLatin1Char('/')))
        return path;
    // QDir::currentPath() would turn the bytes of a non-UTF-8 directory name into U+FFFD.
    const std::unique_ptr<char, decltype(&std::free)> directory(::getcwd(nullptr, 0), &std::free);
    if (!directory)
        return path;
    return QDir::cleanPath(pathFromNative(QByteArray(directory.get())) + QLatin1Char('/') + path);
}

bool hasForeignBytes(const QString &path)
{
    for (const QChar c : path) {
        if (foreignByte(c.unicode()) >= 0)
            return true;
    }
    return false;
}

QByteArray nativePath(const QString &path)
{
    if (!hasForeignBytes(path))
        return QFile::encodeName(path);
    QByteArray bytes;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        const int byte = i < path.size() ? foreignByte(path[i].unicode()) : -1;
        if (byte < 0 && i < path.size())
            continue;
        bytes += QFile::encodeName(path.mid(from, i - from));
        if (byte >= 0)
            bytes += char(byte);
        from = i + 1;
    }
    return bytes;
}

QString shownPath(const QString &path)
{
    if (!hasForeignBytes(path))
        return path;
    QString shown = path;
    for (QChar &c : shown) {
        if (foreignByte(c.unicode()) >= 0)
            c = QChar(QChar::ReplacementCharacter);
    }
    return shown;
}

const char *NativePathBuffer::encode(const QString &path)
{
    // The file system's encoding keeps ASCII as it is; only other paths need the converter.
    const char16_t *units = reinterpret_cast<const char16_t *>(path.utf16());
    const qsizetype n = path.size();
    m_bytes.resize(size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        if (units[i] >= 0x80) {
            const QByteArray encoded = nativePath(path);
            m_bytes.assign(encoded.constData(), size_t(encoded.size()));
            break;
        }
        m_bytes[size_t(i)] = char(units[i]);
    }
    return m_bytes.c_str();
}

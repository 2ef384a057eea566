#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// A path is held as text, but the file system names files by bytes, and old archives carry names
// that are not UTF-8 (Latin-1 "M\xe4rz.txt"). Decoded the usual way, such a byte becomes U+FFFD,
// and the path would then name another file, or none. So every byte that is not part of a valid
// UTF-8 sequence is held as the lone surrogate U+DC00 + byte, which no decoded text contains, and
// the exact bytes come back when the file is opened.

// The path of the bytes the file system gave.
QString pathFromNative(const char *bytes, qsizetype size);
inline QString pathFromNative(const QByteArray &bytes)
{
    return pathFromNative(bytes.constData(), bytes.size());
}

// Appends the path of the bytes the file system gave to path, as pathFromNative gives it.
void appendPathFromNative(QString &path, const char *bytes, qsizetype size);

// The bytes that name the file of path in the file system.
QByteArray nativePath(const QString &path);

// The full path of path: a full one as it is, a relative one joined to the working directory,
// whose bytes are kept, with "." and ".." resolved as text.
QString absolutePath(const QString &path);

// The bytes of paths, one after another, in a buffer kept from path to path: for the many paths
// of a search, with no allocation per path.
class NativePathBuffer
{
public:
    // The path's bytes, valid until the next call.
    const char *encode(const QString &path);

private:
    std::string m_bytes;
};

// Whether path holds bytes that are not UTF-8.
bool hasForeignBytes(const QString &path);

// The path as the user sees it: every foreign byte shown as U+FFFD.
QString shownPath(const QString &path);

// The foreign byte that the code unit stands for, or -1 when it stands for none.
inline int foreignByte(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF ? int(unit - 0xDC00) : -1;
}

#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>
#include <string>

// Windows-1252, the fixed ANSI code page of every text QVX reads and writes.
namespace cp1252 {

// Every byte maps to exactly one UTF-16 code unit; the five unassigned bytes
// 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to the C1 controls of the same value.
QChar toUnicode(unsigned char byte);

QString decode(const char *data, qsizetype size);
inline QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}

// The UTF-8 form of one byte: one to three bytes, padded to four so that a writer may store all
// four at once and advance by length.
struct Utf8Form
{
    std::array<char, 4> bytes;
    unsigned char length;
};
// The forms of all 256 bytes, indexed by the byte; a loop takes the table once and looks up every
// byte in it.
const Utf8Form *utf8Forms();

// Writes '?' for every code unit that Windows-1252 cannot hold. A foreign byte of a path (see
// nativePath) is written as that byte when it is an assigned Windows-1252 character.
QByteArray encode(const QString &text);

// Whether the byte is one of Windows-1252's characters (all but five are).
bool isAssigned(int byte);

// The Windows-1252 bytes of text, or nothing when a code unit has no byte; such a text cannot
// occur in any decoded text.
std::optional<QByteArray> encodeExactly(const QString &text);

// The byte of the lower-case form (QChar::toLower) of the byte's character. Windows-1252 holds
// the lower-case form of each of its characters, so lowering decoded text unit by unit and
// lowering the bytes before decoding give the same text.
unsigned char lowerByte(unsigned char byte);
// Applies lowerByte to every byte.
void lowerInPlace(char *data, qsizetype size);

} // namespace cp1252

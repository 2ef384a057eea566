#include "patternencoding.h"

#include "optiontable.h"
#include "text/codepage.h"
#include "text/nativepath.h"

namespace {

// The number of UTF-8 bytes of the code point that starts at text[i]; units is set to the code
// units it takes.
int utf8Length(const QString &text, qsizetype i, qsizetype &units)
{
    const char16_t unit = text[i].unicode();
    units = 1;
    if (unit < 0x80)
        return 1;
    if (unit < 0x800)
        return 2;
    if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        units = 2;
        return 4;
    }
    return 3;
}

} // namespace

QString decodedPattern(const QString &argument, const QString &name, bool windows1252)
{
    if (windows1252)
        return cp1252::decode(nativePath(argument));
    qsizetype position = 1;
    for (qsizetype i = 0; i < argument.size();) {
        const int byte = foreignByte(argument[i].unicode());
        if (byte >= 0)
            throw OptionError{QStringLiteral("%1 ist kein gültiges UTF-8: Byte %2 (0x%3). Mit "
                                             "--pattern-encoding windows-1252 wird es als "
                                             "Windows-1252 gelesen.")
                                  .arg(name)
                                  .arg(position)
                                  .arg(QString::number(byte, 16).toUpper())};
        qsizetype units = 1;
        position += utf8Length(argument, i, units);
        i += units;
    }
    return argument;
}

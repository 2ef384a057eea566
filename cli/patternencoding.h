#pragma once

#include <QString>

// The text of a pattern argument (MUSTER, -x, -w) as it came from the command line, foreign
// bytes held as U+DC80..U+DCFF (see nativePath). A pattern is text, not a path: a byte that is
// not UTF-8 would reach PCRE as a character of its own choosing ("B\xfcrger" as "B?rger", where
// '?' makes the B optional). With windows1252 every byte of the argument is read as
// Windows-1252; otherwise a foreign byte is refused. name is how --help calls the argument.
// Throws OptionError naming the first foreign byte by its position among the argument's bytes.
QString decodedPattern(const QString &argument, const QString &name, bool windows1252);

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The German manual pages that Debian ships (manpages-de, manpages-de-dev) under root.
QStringList germanManualPages(const QString &root = QStringLiteral("/usr/share/man/de"));

// The page formatted by man as plain UTF-8 text, lines of at most 78 characters; empty when man
// fails.
QString renderManualPage(const QString &path);

// Drops what a formatter leaves for a terminal: overstrikes (a character, a backspace and its
// replacement) and escape sequences.
QString plainText(const QString &formatted);

// The sections of a formatted page, each beginning at a line that starts in the first column,
// sections longer than maxChars cut at empty lines, pieces of fewer than minChars dropped (the
// page's head and foot lines).
QStringList splitIntoTexts(const QString &text, int maxChars, int minChars);

// Windows-1252 with CR LF line ends. Typographic hyphens become "-", the angle brackets that
// man puts around addresses "<" and ">", any other character without a Windows-1252 form "?".
QByteArray toWindows1252CrLf(const QString &text);

// Renders pages (on every core) and writes each piece as a text "PAGE-NN.txt" into directory;
// returns how many texts it wrote.
int writeRealCorpus(const QString &directory, const QStringList &pages);

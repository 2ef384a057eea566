#pragma once

#include "options.h"
#include "resultrow.h"

#include <QByteArray>
#include <QChar>

// Appends the row in the output format:
// - Tsv: the path's bytes with TAB, CR, LF and backslash escaped as \t, \r, \n, \\; f, %, fB and
//   G separated by TAB, numbers as the result list writes them but with a point as decimal
//   separator, LF at the end.
// - Export: the line of the window's table export, with the locale's decimal separator, in
//   Windows-1252 with CR LF.
// - Jsonl: one object {"path", "f", "percent", "fb", "g"} and LF; a number that is not finite
//   is null.
// - Paths, NulPaths: the path's bytes and LF, or NUL, which no path holds.
// The export writes a line break inside a path as '?', so that one row stays one line.
// The column names of Tsv, German as the user reads them, and LF.
QByteArray tsvHeader();

void appendRow(QByteArray &out, OutputFormat format, const ResultRow &row, QChar localeSeparator);

// The bytes with TAB, CR, LF and backslash escaped as \t, \r, \n, \\: the text format of
// PostgreSQL's and MySQL's COPY, so that a field with a TAB or line break stays one field of one
// row, and unescaping gives its bytes back.
void appendEscapedPath(QByteArray &out, const QByteArray &path);

// The text as a JSON string in UTF-8, quoted, with '"', '\\' and control characters escaped.
void appendJsonString(QByteArray &out, const QString &text);

#include "rowformats.h"

#include "files/textfilewriter.h"
#include "results/exportline.h"
#include "results/resultcells.h"
#include "results/substitutedpaths.h"
#include "text/nativepath.h"
#include "text/numberformat.h"

#include <cmath>

static QStringList cells(const ResultRow &row, QChar separator)
{
    return resultCells(row.f, row.proz, row.fB, row.G, separator);
}

void appendEscapedPath(QByteArray &out, const QByteArray &path)
{
    for (const char c : path) {
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
}

static void appendTsv(QByteArray &out, const ResultRow &row)
{
    // The path's own bytes, also those that are not UTF-8, so that a script can open it.
    appendEscapedPath(out, nativePath(row.path));
    for (const QString &cell : cells(row, QLatin1Char('.'))) {
        out += '\t';
        out += cell.toLatin1();
    }
    out += '\n';
}

void appendJsonString(QByteArray &out, const QString &text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += QByteArray("\\u00") + QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            out += c;
        }
    }
    out += '"';
}

static QByteArray jsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    // The general number format with a point is a JSON number: "0.5", "5E-5", "1E15".
    return formatGeneral(value, QLatin1Char('.')).toLatin1();
}

static void appendJsonl(QByteArray &out, const ResultRow &row)
{
    out += "{\"path\":";
    // JSON is Unicode text: a byte of the path that is not UTF-8 shows as U+FFFD.
    appendJsonString(out, shownPath(row.path));
    out += ",\"f\":" + QByteArray::number(row.f);
    out += ",\"percent\":" + jsonNumber(row.proz);
    out += ",\"fb\":" + QByteArray::number(row.fB);
    out += ",\"g\":" + jsonNumber(row.G);
    out += "}\n";
}

QByteArray tsvHeader()
{
    return "Datei\tf\t%\tfB\tG\n";
}

void appendRow(QByteArray &out, OutputFormat format, const ResultRow &row, QChar localeSeparator)
{
    switch (format) {
    case OutputFormat::Tsv:
        appendTsv(out, row);
        break;
    case OutputFormat::Export:
        appendWindowsLine(out, exportLine(row.path, cells(row, localeSeparator)));
        break;
    case OutputFormat::Jsonl:
        appendJsonl(out, row);
        break;
    case OutputFormat::Paths:
        out += nativePath(row.path) + '\n';
        break;
    case OutputFormat::NulPaths:
        out += nativePath(row.path) + '\0';
        break;
    }
}

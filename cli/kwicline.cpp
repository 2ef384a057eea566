#include "kwicline.h"

#include "rowformats.h"
#include "text/nativepath.h"

namespace {

const QString lineEndMark = QStringLiteral("⏎");

// A CR LF is one line end; a CR or LF alone is what is left of one cut at the context's edge.
QString withLineEndsMarked(QString text)
{
    return text.replace(QStringLiteral("\r\n"), lineEndMark)
        .replace(QLatin1Char('\r'), lineEndMark)
        .replace(QLatin1Char('\n'), lineEndMark);
}

void appendTsvField(QByteArray &out, const QString &text)
{
    out += '\t';
    appendEscapedPath(out, text.toUtf8());
}

} // namespace

HitInContext hitInContext(const QString &text, const MatchSpan &match, qsizetype width)
{
    qsizetype from = qMax<qsizetype>(0, match.start - width);
    if (from > 0 && text[from].isLowSurrogate() && text[from - 1].isHighSurrogate())
        ++from;
    const qsizetype end = match.start + match.length;
    qsizetype to = qMin(text.size(), end + width);
    if (to < text.size() && text[to - 1].isHighSurrogate() && text[to].isLowSurrogate())
        --to;
    return {match.start, withLineEndsMarked(text.mid(from, match.start - from)),
            withLineEndsMarked(text.mid(match.start, match.length)),
            withLineEndsMarked(text.mid(end, to - end))};
}

QByteArray kwicHeader()
{
    return "Datei\tPosition\tLinks\tTreffer\tRechts\n";
}

void appendHitLine(QByteArray &out, OutputFormat format, const QString &path,
                   const HitInContext &hit)
{
    if (format == OutputFormat::Jsonl) {
        out += "{\"path\":";
        // JSON is Unicode text: a byte of the path that is not UTF-8 shows as U+FFFD.
        appendJsonString(out, shownPath(path));
        out += ",\"position\":" + QByteArray::number(hit.position) + ",\"left\":";
        appendJsonString(out, hit.left);
        out += ",\"match\":";
        appendJsonString(out, hit.match);
        out += ",\"right\":";
        appendJsonString(out, hit.right);
        out += "}\n";
        return;
    }
    // The path's own bytes, as in the rows, so that a script can open it.
    appendEscapedPath(out, nativePath(path));
    out += '\t' + QByteArray::number(hit.position);
    appendTsvField(out, hit.left);
    appendTsvField(out, hit.match);
    appendTsvField(out, hit.right);
    out += '\n';
}

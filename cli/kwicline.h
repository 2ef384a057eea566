#pragma once

#include "options.h"
#include "search/countedmatches.h"

#include <QByteArray>
#include <QString>

// One match with the text on either side, every line end in them shown as "⏎".
struct HitInContext
{
    // The UTF-16 code units of the text before the match, the unit in which % counts.
    qsizetype position = 0;
    QString left;
    QString match;
    QString right;
};

// The match in text with up to width code units of the text on either side (a CR LF is two of
// them); a character beyond U+FFFF is left out rather than cut in two.
HitInContext hitInContext(const QString &text, const MatchSpan &match, qsizetype width);

// The column names of the hits in Tsv, German as the user reads them, and LF.
QByteArray kwicHeader();

// Appends the hit as one line ended by LF:
// - Tsv: the path's bytes, the position, left, match and right, separated by TAB; the path and
//   the texts escaped as the rows' paths are.
// - Jsonl: one object {"path", "position", "left", "match", "right"}.
void appendHitLine(QByteArray &out, OutputFormat format, const QString &path,
                   const HitInContext &hit);

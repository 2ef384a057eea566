#pragma once

#include "subcorpus/protocol.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a search run again found beside the texts of its record, text by text and by full path.
struct ProtocolComparison
{
    // In the record, not found now.
    QStringList missing;
    // Found now, not in the record.
    QList<ProtocolText> added;
    // In both, with other numbers: the path and "f 3 → 4" for each number that differs.
    QList<QPair<QString, QStringList>> changed;

    bool same() const { return missing.isEmpty() && added.isEmpty() && changed.isEmpty(); }
};

// Compares the numbers as the record writes them (protocolNumber), so that a % read back from
// the record equals the one it was written from. The order of the texts is not compared.
ProtocolComparison compareWithProtocol(const QList<ProtocolText> &recorded,
                                       const QList<ProtocolText> &found);

// The comparison in German, one line each: "gleich: <n> Texte …", or the texts that are "neu",
// "fehlt" or "geändert".
QStringList comparisonReport(const ProtocolComparison &comparison, qsizetype recordedTexts);

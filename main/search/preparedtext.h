#pragma once

#include "files/fileidentity.h"
#include "search/fileresult.h"
#include "text/sourceencoding.h"

#include <QString>
#include <optional>

// The outcome of one source text, worked out by a thread ahead of the text's turn in the search,
// with what that work took for granted. It may stand for the work at the turn only while all of
// that still holds.
struct PreparedText
{
    // A view of the path in the run's list, which outlives the outcome: a copy of the string
    // would count its references up and down on every text, from every thread.
    QStringView path;
    // The file as it was when it was read, and the encoding it was read in; read tells whether
    // it was.
    FileIdentity identity;
    bool read = false;
    SourceEncoding encoding = SourceEncoding::Windows1252;

    // Regular-expression mode: the row's numbers when the text qualified, and whether the
    // weighting text was read for it, taken to be weighting.
    std::optional<FileResult> result;
    bool weightingRead = false;
    QString weighting;

    // The message of the error that the work met (in the regular-expression mode a pattern in
    // error or over its limits on this text; in a snapshot also a file that could not be read),
    // which the turn reports as it would its own.
    bool failed = false;
    QString failure;

    // Whether the text, read as Windows-1252, is well-formed UTF-8 with multi-byte sequences.
    bool utf8AsWindows1252 = false;

    // Simple mode: whether the text qualified, its case ignored or not.
    bool qualifies = false;
    bool ignoreCase = false;

    // Stands for the text as it was read, whatever the file holds now.
    bool snapshot = false;

    // The run's event points passed before the reading began (see EventPoints), and whether,
    // at the turn, nothing that may change files has run since: then the read stands for one
    // at the turn without a look at the file.
    quint64 eventPointsBefore = 0;
    bool stillAtTurn = false;

    // Whether a load of path now would read the same: the same path names the file in the state
    // that was read; for a snapshot, or a text still at its turn, the same path.
    bool holdsFor(const QString &path) const;
};

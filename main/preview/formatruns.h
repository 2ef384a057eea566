#pragma once

#include <QString>
#include <QtGlobal>
#include <utility>
#include <vector>

// How the preview shows a character.
enum class Mark : quint8
{
    None,
    Search,    // a match of the search string
    Weighting, // a match of the weighting string
};

// A stretch of the preview's text shown in one format.
struct PreviewPiece
{
    qsizetype start = 0;
    qsizetype length = 0;
    Mark mark = Mark::None;

    bool operator==(const PreviewPiece &other) const
    {
        return start == other.start && length == other.length && mark == other.mark;
    }
};

// The marks of a line's characters, kept as the matched ranges rather than one mark per
// character, which for a text of many megabytes would cost more than the matching itself.
class CharacterMarks
{
public:
    explicit CharacterMarks(qsizetype length);

    // Marks a range as a search or a weighting match. A weighting mark replaces a search mark
    // wherever both cover a character, as the weighting string is marked after the search
    // string; the part of a range beyond the line is ignored.
    void mark(qsizetype start, qsizetype length, Mark mark);

    // The maximal runs of characters with one mark, in order; none for an empty line.
    std::vector<PreviewPiece> runs() const;

private:
    using Ranges = std::vector<std::pair<qsizetype, qsizetype>>;

    qsizetype m_length;
    Ranges m_search;
    Ranges m_weighting;
};

// Replaces every line break marker that lies whole inside one run by a paragraph separator
// (U+2029), in place: the line gets shorter and the runs move with their text. A marker cut by a
// change of mark stays text, so its four characters remain visible.
void breakAtMarkers(QString &line, std::vector<PreviewPiece> &runs);

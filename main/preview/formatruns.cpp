#include "preview/formatruns.h"

#include "preview/linemarker.h"

#include <QStringView>
#include <algorithm>

CharacterMarks::CharacterMarks(qsizetype length) : m_marks(static_cast<size_t>(length), Mark::None)
{
}

void CharacterMarks::mark(qsizetype start, qsizetype length, Mark mark)
{
    const auto size = static_cast<qsizetype>(m_marks.size());
    const qsizetype from = std::clamp<qsizetype>(start, 0, size);
    const qsizetype to = std::clamp<qsizetype>(start + length, from, size);
    std::fill(m_marks.begin() + from, m_marks.begin() + to, mark);
}

std::vector<PreviewPiece> CharacterMarks::runs() const
{
    std::vector<PreviewPiece> result;
    const auto size = static_cast<qsizetype>(m_marks.size());
    qsizetype start = 0;
    while (start < size) {
        const Mark mark = m_marks[static_cast<size_t>(start)];
        const auto end = std::find_if(m_marks.begin() + start, m_marks.end(),
                                      [mark](Mark m) { return m != mark; }) -
                         m_marks.begin();
        result.push_back({start, end - start, mark, false});
        start = end;
    }
    return result;
}

std::vector<PreviewPiece> breakAtMarkers(const QString &line, const std::vector<PreviewPiece> &runs)
{
    const QString marker = lineBreakMarker();
    std::vector<PreviewPiece> pieces;
    pieces.reserve(runs.size());
    for (const PreviewPiece &run : runs) {
        const QStringView text = QStringView(line).mid(run.start, run.length);
        qsizetype from = 0;
        for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, from)) {
            if (at > from)
                pieces.push_back({run.start + from, at - from, run.mark, false});
            pieces.push_back({run.start + at, marker.size(), run.mark, true});
            from = at + marker.size();
        }
        if (from < text.size())
            pieces.push_back({run.start + from, text.size() - from, run.mark, false});
    }
    return pieces;
}

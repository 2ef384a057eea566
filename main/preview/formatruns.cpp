#include "preview/formatruns.h"

#include "preview/linemarker.h"

#include <QStringView>
#include <algorithm>

namespace {

using Ranges = std::vector<std::pair<qsizetype, qsizetype>>;

// The ranges as [start, end) pairs in order, overlapping and touching ones joined. The matches of
// one pattern come in order already, so the sort rarely moves anything.
Ranges joined(Ranges ranges)
{
    std::sort(ranges.begin(), ranges.end());
    Ranges result;
    result.reserve(ranges.size());
    for (const auto &range : ranges) {
        if (!result.empty() && range.first <= result.back().second)
            result.back().second = std::max(result.back().second, range.second);
        else
            result.push_back(range);
    }
    return result;
}

} // namespace

CharacterMarks::CharacterMarks(qsizetype length) : m_length(length) {}

void CharacterMarks::mark(qsizetype start, qsizetype length, Mark mark)
{
    const qsizetype from = std::clamp<qsizetype>(start, 0, m_length);
    const qsizetype to = std::clamp<qsizetype>(start + length, from, m_length);
    if (from == to || mark == Mark::None)
        return;
    (mark == Mark::Weighting ? m_weighting : m_search).emplace_back(from, to);
}

std::vector<PreviewPiece> CharacterMarks::runs() const
{
    // Joined ranges make every run maximal: a run of one mark always ends where another begins.
    const Ranges weighting = joined(m_weighting);
    const Ranges search = joined(m_search);
    std::vector<PreviewPiece> result;
    result.reserve(2 * (weighting.size() + search.size()) + 1);
    auto w = weighting.begin();
    auto s = search.begin();
    qsizetype at = 0;
    while (at < m_length) {
        while (w != weighting.end() && w->second <= at)
            ++w;
        if (w != weighting.end() && w->first <= at) {
            result.push_back({at, w->second - at, Mark::Weighting, false});
            at = w->second;
            continue;
        }
        const qsizetype nextWeighting = w != weighting.end() ? w->first : m_length;
        while (s != search.end() && s->second <= at)
            ++s;
        if (s != search.end() && s->first <= at) {
            const qsizetype end = std::min(s->second, nextWeighting);
            result.push_back({at, end - at, Mark::Search, false});
            at = end;
            continue;
        }
        const qsizetype end = std::min(s != search.end() ? s->first : m_length, nextWeighting);
        result.push_back({at, end - at, Mark::None, false});
        at = end;
    }
    return result;
}

std::vector<PreviewPiece> breakAtMarkers(const QString &line, const std::vector<PreviewPiece> &runs)
{
    // The marker has no border (no proper prefix that is also a suffix), so its occurrences never
    // overlap: one scan over the whole line finds the same markers as a scan within each run,
    // and a run keeps those that lie whole inside it. Knowing them first, the pieces get their
    // room at once instead of growing through copies of a vector of many megabytes.
    const QString marker = lineBreakMarker();
    const QStringView text(line);
    std::vector<qsizetype> markers;
    for (qsizetype at = text.indexOf(marker); at >= 0;
         at = text.indexOf(marker, at + marker.size()))
        markers.push_back(at);

    std::vector<PreviewPiece> pieces;
    pieces.reserve(runs.size() + 2 * markers.size());
    auto next = markers.cbegin();
    for (const PreviewPiece &run : runs) {
        const qsizetype runEnd = run.start + run.length;
        qsizetype from = run.start;
        while (next != markers.cend() && *next < from)
            ++next;
        for (; next != markers.cend() && *next + marker.size() <= runEnd; ++next) {
            if (*next > from)
                pieces.push_back({from, *next - from, run.mark, false});
            pieces.push_back({*next, marker.size(), run.mark, true});
            from = *next + marker.size();
        }
        if (from < runEnd)
            pieces.push_back({from, runEnd - from, run.mark, false});
    }
    return pieces;
}

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
            result.push_back({at, w->second - at, Mark::Weighting});
            at = w->second;
            continue;
        }
        const qsizetype nextWeighting = w != weighting.end() ? w->first : m_length;
        while (s != search.end() && s->second <= at)
            ++s;
        if (s != search.end() && s->first <= at) {
            const qsizetype end = std::min(s->second, nextWeighting);
            result.push_back({at, end - at, Mark::Search});
            at = end;
            continue;
        }
        const qsizetype end = std::min(s != search.end() ? s->first : m_length, nextWeighting);
        result.push_back({at, end - at, Mark::None});
        at = end;
    }
    return result;
}

void breakAtMarkers(QString &line, std::vector<PreviewPiece> &runs)
{
    // The marker has no border (no proper prefix that is also a suffix), so its occurrences never
    // overlap: one scan over the whole line finds the same markers as a scan within each run.
    // The text moves towards the start as markers shrink to one character, so the scan, always
    // ahead of the writing, only meets text that has not moved yet.
    const QString marker = lineBreakMarker();
    const qsizetype size = line.size();
    QChar *const text = line.data();
    const auto find = [&](qsizetype from) { return QStringView(text, size).indexOf(marker, from); };
    qsizetype nextMarker = find(0);
    qsizetype write = 0;
    // Moves [from, to) to the writing position; nothing needs to move before the first marker.
    const auto keep = [&](qsizetype from, qsizetype to) {
        if (write != from)
            std::copy(text + from, text + to, text + write);
        write += to - from;
    };
    for (PreviewPiece &run : runs) {
        const qsizetype runEnd = run.start + run.length;
        qsizetype read = run.start;
        const qsizetype start = write;
        while (nextMarker >= 0 && nextMarker < read)
            nextMarker = find(nextMarker + marker.size());
        while (nextMarker >= 0 && nextMarker + marker.size() <= runEnd) {
            keep(read, nextMarker);
            text[write++] = QChar(QChar::ParagraphSeparator);
            read = nextMarker + marker.size();
            nextMarker = find(read);
        }
        keep(read, runEnd);
        run.start = start;
        run.length = write - start;
    }
    line.truncate(write);
}

#include "results/sortkeys.h"

#include "results/cellcomparison.h"
#include "results/mergesort.h"
#include "results/resultcolumn.h"
#include "text/integerconversion.h"
#include "text/numberformat.h"

#include <numeric>
#include <utility>

namespace {

bool isIntegerColumn(int column)
{
    return column == ResultColumn::F || column == ResultColumn::FB;
}

// The text with the ASCII letters a to z folded to upper case, the only folding that CompareText
// does; two folded texts then compare by their code units alone, which Qt does in bulk.
QString foldAsciiLetters(const QString &text)
{
    QString folded = text;
    for (QChar &unit : folded) {
        if (unit >= QLatin1Char('a') && unit <= QLatin1Char('z'))
            unit = QChar(unit.unicode() - ('a' - 'A'));
    }
    return folded;
}

} // namespace

SortKeys::SortKeys(int column, const QStringList &cells, QChar decimalSeparator) : m_column(column)
{
    if (column == ResultColumn::File) {
        m_texts.reserve(cells.size());
        for (const QString &cell : cells)
            m_texts << foldAsciiLetters(cell);
    } else if (isIntegerColumn(column)) {
        m_integers.reserve(static_cast<size_t>(cells.size()));
        for (const QString &cell : cells)
            m_integers.push_back(StrToInt(cell));
    } else {
        m_numbers.reserve(static_cast<size_t>(cells.size()));
        for (const QString &cell : cells)
            m_numbers.push_back(cellNumber(cell, decimalSeparator));
    }
}

qint32 SortKeys::compare(qsizetype i, qsizetype j, bool ascending) const
{
    if (m_column != ResultColumn::File && !isIntegerColumn(m_column))
        return compareNumbersInOrder(m_numbers[static_cast<size_t>(i)],
                                     m_numbers[static_cast<size_t>(j)], ascending);
    // Descending is the ascending comparison with the two cells exchanged.
    if (!ascending)
        std::swap(i, j);
    if (m_column == ResultColumn::File)
        return m_texts.at(i).compare(m_texts.at(j), Qt::CaseSensitive);
    return compareIntegers(m_integers[static_cast<size_t>(i)], m_integers[static_cast<size_t>(j)]);
}

QList<qsizetype> sortOrder(int column, const QStringList &cells, QChar decimalSeparator,
                           bool ascending)
{
    const SortKeys keys(column, cells, decimalSeparator);
    QList<qsizetype> order(cells.size());
    std::iota(order.begin(), order.end(), 0);
    mergeSort(order, [&keys, ascending](qsizetype i, qsizetype j) {
        return keys.compare(i, j, ascending);
    });
    return order;
}

#pragma once

#include <QChar>
#include <QList>
#include <QStringList>
#include <vector>

// The cells of one result list column, each read once as the value that the sort compares, so
// that sorting many rows does not read and convert the same texts again for every comparison.
class SortKeys
{
public:
    // Reads the cells of column (0 the path, 1 and 3 integers, 2 and 4 decimal numbers written
    // with decimalSeparator) from the first to the last. Throws QvxError, with the message of the
    // conversion, for the first cell that does not convert.
    SortKeys(int column, const QStringList &cells, QChar decimalSeparator);

    // The result list's comparison of the cells i and j: negative when cell i goes first in the
    // given direction, 0 when they are equal. Paths compare with the sign of CompareText, f and
    // fB by compareIntegers, % and G by compareNumbersInOrder (NAN last either way); descending
    // is otherwise the ascending comparison with the two cells exchanged.
    qint32 compare(qsizetype i, qsizetype j, bool ascending) const;

private:
    int m_column;
    QStringList m_texts;
    std::vector<qint32> m_integers;
    std::vector<double> m_numbers;
};

// The order of the cells after a stable merge sort by column, as indexes into cells. Descending
// is the ascending comparison with the two cells exchanged.
QList<qsizetype> sortOrder(int column, const QStringList &cells, QChar decimalSeparator,
                           bool ascending);

#pragma once

#include <QByteArrayView>
#include <QCollator>
#include <functional>
#include <optional>
#include <vector>

// A quick order for names of printable ASCII alone, the usual file names: by the rank of each
// character in the collation, characters that it holds equal sharing one, and between names of
// the same ranks by their bytes, as the listing breaks the collation's ties. It is the
// collation's order wherever the collation compares such names character by character (no rule
// for a sequence of characters, as some languages have); the caller checks that it is.
// Nothing when a name holds any other byte. name is called from two threads at once.
std::optional<std::vector<qsizetype>>
asciiRankOrder(const QCollator &collator, qsizetype count,
               const std::function<QByteArrayView(qsizetype)> &name);

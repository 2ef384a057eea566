#include "sources/sourcelisting.h"

#include "search/qvxerror.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace {

void checkReadable(const QString &directory)
{
    const QFileInfo info(directory);
    const QString shown = QDir::toNativeSeparators(directory);
    if (!info.exists())
        throw QvxError(QStringLiteral("Das Verzeichnis %1 ist nicht vorhanden.").arg(shown));
    if (!info.isDir())
        throw QvxError(QStringLiteral("%1 ist kein Verzeichnis.").arg(shown));
    if (!info.isReadable())
        throw QvxError(
            QStringLiteral("Das Verzeichnis %1 kann nicht gelesen werden (keine Leseberechtigung).")
                .arg(shown));
}

// Sort keys instead of pairwise comparisons keep a directory of 100,000 files quick.
void sortByCollation(QStringList &names)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    struct Entry
    {
        QCollatorSortKey key;
        QString name;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(names.size()));
    for (const QString &name : names)
        entries.push_back({collator.sortKey(name), name});
    // Names that the collation holds equal ("a.txt", "A.txt") keep a fixed order.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (std::size_t i = 0; i < entries.size(); ++i)
        names[static_cast<qsizetype>(i)] = entries[i].name;
}

} // namespace

QStringList listSourceTexts(const QString &directory)
{
    checkReadable(directory);
    // Without QDir::Hidden and QDir::System the dot files, special files and broken links stay
    // out; name filters ignore case unless QDir::CaseSensitive is given. QDir::NoSort would fall
    // back to the QDir's own name sort, which for 100,000 names costs several times the reading
    // of the directory and is thrown away by the collation sort below.
    QStringList names =
        QDir(directory).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Unsorted);
    sortByCollation(names);
    return names;
}

QStringList sourcePaths(const QString &directory, const QStringList &names)
{
    const QString prefix = QDir::toNativeSeparators(directory) + QDir::separator();
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names)
        paths << prefix + name;
    return paths;
}

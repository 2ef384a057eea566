#include "files/sourcelisting.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/asciirankorder.h"
#include "files/twohalves.h"
#include "text/nativepath.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <vector>
#ifdef Q_OS_UNIX
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

[[noreturn]] void throwUnreadable(const QString &directory, int errorNumber)
{
    throw QvxError(
        QStringLiteral("Das Verzeichnis %1 kann nicht gelesen werden. %2.")
            .arg(QDir::toNativeSeparators(shownPath(directory)), systemErrorText(errorNumber)));
}

#ifdef Q_OS_UNIX
// By the path's own bytes: a directory whose name is not UTF-8 (see nativePath), which a walk
// through subdirectories meets, is found only so. The same tests as QFileInfo's.
void checkReadable(const QString &directory)
{
    const QByteArray native = nativePath(directory);
    const QString shown = QDir::toNativeSeparators(shownPath(directory));
    struct stat status;
    if (::stat(native.constData(), &status) != 0) {
        // Only a missing entry is missing: a path too long, a loop of links or a folder on the
        // way that may not be entered hide one that may well be there.
        if (errno == ENOENT)
            throw QvxError(QStringLiteral("Das Verzeichnis %1 ist nicht vorhanden.").arg(shown));
        throwUnreadable(directory, errno);
    }
    if (!S_ISDIR(status.st_mode))
        throw QvxError(QStringLiteral("%1 ist kein Verzeichnis.").arg(shown));
    if (::access(native.constData(), R_OK) != 0)
        throwUnreadable(directory, errno);
}
#else
void checkReadable(const QString &directory)
{
    const QFileInfo info(directory);
    const QString shown = QDir::toNativeSeparators(directory);
    if (!info.exists())
        throw QvxError(QStringLiteral("Das Verzeichnis %1 ist nicht vorhanden.").arg(shown));
    if (!info.isDir())
        throw QvxError(QStringLiteral("%1 ist kein Verzeichnis.").arg(shown));
    if (!info.isReadable())
        throwUnreadable(directory, EACCES);
}
#endif

// The names a listing gave, in the directory's order.
#ifdef Q_OS_UNIX
// Held as the bytes the file system gave, one after another in one block: a directory of 100,000
// texts needs no allocation per name until the paths are built in their sorted order, next to
// each other in memory, where a search run meets them one after the other.
class ListedNames
{
public:
    void add(const char *name, size_t length)
    {
        m_starts.push_back(m_bytes.size());
        m_bytes.append(name, qsizetype(length));
    }
    qsizetype size() const { return qsizetype(m_starts.size()); }
    // The length of name i in bytes, at least its length as text.
    qsizetype length(qsizetype i) const { return end(i) - m_starts[size_t(i)]; }
    QByteArrayView bytes(qsizetype i) const
    {
        return QByteArrayView(m_bytes.constData() + m_starts[size_t(i)], length(i));
    }
    void appendTo(QString &text, qsizetype i) const
    {
        appendPathFromNative(text, m_bytes.constData() + m_starts[size_t(i)], length(i));
    }
    // Asks memory for where name i starts, and then for its bytes: names met in another order
    // than the listing's lie far apart in the block.
    void prefetchStart(qsizetype i) const { __builtin_prefetch(&m_starts[size_t(i)]); }
    void prefetchBytes(qsizetype i) const
    {
        __builtin_prefetch(m_bytes.constData() + m_starts[size_t(i)]);
    }

private:
    qsizetype end(qsizetype i) const
    {
        return size_t(i + 1) < m_starts.size() ? m_starts[size_t(i + 1)] : m_bytes.size();
    }

    QByteArray m_bytes;
    std::vector<qsizetype> m_starts;
};
#else
class ListedNames
{
public:
    explicit ListedNames(QStringList names) : m_names(std::move(names)) {}
    qsizetype size() const { return m_names.size(); }
    qsizetype length(qsizetype i) const { return m_names[i].size(); }
    void appendTo(QString &text, qsizetype i) const { text += m_names[i]; }
    void prefetchStart(qsizetype) const {}
    void prefetchBytes(qsizetype) const {}

private:
    QStringList m_names;
};
#endif

QString nameAt(const ListedNames &names, qsizetype i)
{
    QString name;
    names.appendTo(name, i);
    return name;
}

struct CollationEntry
{
    QCollatorSortKey key;
    qsizetype index;
};

// Whether name a comes before name b, given the collation's order of the two: names that the
// collation holds equal ("a.txt", "A.txt") keep a fixed order.
bool listedBefore(int collation, QStringView a, QStringView b)
{
    return collation != 0 ? collation < 0 : a < b;
}

bool collatesBefore(const ListedNames &names, const CollationEntry &a, const CollationEntry &b)
{
    // The names are made only for a tie.
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0
                      : listedBefore(order, nameAt(names, a.index), nameAt(names, b.index));
}

QCollator listingCollator()
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Sort keys instead of pairwise comparisons keep a directory of 100,000 files quick.
std::vector<CollationEntry> sortedEntries(const ListedNames &names, qsizetype from, qsizetype to)
{
    const QCollator collator = listingCollator();
    std::vector<CollationEntry> entries;
    entries.reserve(static_cast<std::size_t>(to - from));
    // One string for every name, whose room is kept from name to name.
    QString name;
    for (qsizetype i = from; i < to; ++i) {
        name.resize(0);
        names.appendTo(name, i);
        entries.push_back({collator.sortKey(name), i});
    }
    std::sort(entries.begin(), entries.end(),
              [&names](const CollationEntry &a, const CollationEntry &b) {
                  return collatesBefore(names, a, b);
              });
    return entries;
}

// The places of the names in the order of the collation. Each half is sorted on its own, then
// the two are merged.
std::vector<qsizetype> collationOrder(const ListedNames &names)
{
    std::vector<CollationEntry> halves[2];
    inTwoHalves(names.size(), [&](int half, qsizetype from, qsizetype to) {
        halves[half] = sortedEntries(names, from, to);
    });
    std::vector<qsizetype> order;
    order.reserve(size_t(names.size()));
    const auto put = [&order](const CollationEntry &entry) { order.push_back(entry.index); };
    auto a = halves[0].cbegin();
    auto b = halves[1].cbegin();
    while (a != halves[0].cend() && b != halves[1].cend())
        put(collatesBefore(names, *b, *a) ? *b++ : *a++);
    std::for_each(a, halves[0].cend(), put);
    std::for_each(b, halves[1].cend(), put);
    // The keys are given back on both threads as well: two allocations each.
    inTwoHalves(names.size(), [&halves](int half, qsizetype, qsizetype) { halves[half] = {}; });
    return order;
}

// prefix joined with name i for each i of [0, count), made in two halves at once; length(i) is
// at least the length of name i, which appendName(text, i) appends to text.
template <typename Length, typename AppendName>
QStringList joined(const QString &prefix, qsizetype count, Length length, AppendName appendName)
{
    // Each half fills its own part of one list: a list of each half, appended one to the other,
    // would visit every string once more, far from the cache.
    QStringList paths(count);
    QString *const texts = paths.data();
    inTwoHalves(count, [&](int, qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            QString &text = texts[i];
            text.reserve(prefix.size() + length(i));
            text += prefix;
            appendName(text, i);
        }
    });
    return paths;
}

// prefix joined with the names in the given order.
QStringList joinedInOrder(const QString &prefix, const ListedNames &names,
                          const std::vector<qsizetype> &order)
{
    // The sorted order visits the names far apart; each is asked for a few joins ahead.
    constexpr qsizetype kAhead = 8;
    const qsizetype count = names.size();
    const auto length = [&](qsizetype i) {
        if (i + 2 * kAhead < count)
            names.prefetchStart(order[size_t(i + 2 * kAhead)]);
        if (i + kAhead < count)
            names.prefetchBytes(order[size_t(i + kAhead)]);
        return names.length(order[size_t(i)]);
    };
    return joined(prefix, count, length,
                  [&](QString &text, qsizetype i) { names.appendTo(text, order[size_t(i)]); });
}

// Whether each path's name (behind the prefix) comes after the one before it in the collation,
// which breaks its ties by the names' code units.
bool inCollationOrder(const QStringList &paths, qsizetype prefixLength)
{
    bool inOrder[2] = {true, true};
    inTwoHalves(paths.size(), [&](int half, qsizetype from, qsizetype to) {
        const QCollator collator = listingCollator();
        for (qsizetype i = qMax(from, qsizetype(1)); i < to && inOrder[half]; ++i) {
            const QStringView before = QStringView(paths[i - 1]).mid(prefixLength);
            const QStringView name = QStringView(paths[i]).mid(prefixLength);
            inOrder[half] = listedBefore(collator.compare(before, name), before, name);
        }
    });
    return inOrder[0] && inOrder[1];
}

// The names behind prefix, sorted by the collation.
QStringList sortedBehind(const QString &prefix, const ListedNames &names)
{
#ifdef Q_OS_UNIX
    // Building a sort key for every name costs more than reading the directory; names of ASCII
    // alone are put in order by their characters' ranks, which the collation then confirms pair
    // by pair.
    const auto quickOrder = asciiRankOrder(listingCollator(), names.size(),
                                           [&names](qsizetype i) { return names.bytes(i); });
    if (quickOrder) {
        QStringList paths = joinedInOrder(prefix, names, *quickOrder);
        if (inCollationOrder(paths, prefix.size()))
            return paths;
    }
#endif
    return joinedInOrder(prefix, names, collationOrder(names));
}

// What a source path of the directory puts before the name.
QString sourcePathPrefix(const QString &directory)
{
    return QDir::toNativeSeparators(directory) + QDir::separator();
}

#ifdef Q_OS_UNIX
// "*.txt" in any case; only ASCII letters can match, so no locale's case rules come in.
bool hasTxtSuffix(const char *name, size_t length)
{
    static const char suffix[] = ".txt";
    if (length < 4)
        return false;
    for (size_t i = 0; i < 4; ++i) {
        char c = name[length - 4 + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

// A plain file, or a link that leads to one.
bool isPlainFile(int directory, const dirent &entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat target;
    return fstatat(directory, entry.d_name, &target, 0) == 0 && S_ISREG(target.st_mode);
}

// The names in the directory, without dot files, whose entries keep(directory, entry) accepts.
// The entries come with their type, so only links need a look at what they lead to; QDir builds a
// file information object for every entry, which for 100,000 files costs more than the sort.
template <typename Keep> ListedNames namesIn(const QString &directory, Keep keep)
{
    ListedNames names;
    // The readability check asks with the real user's rights, which need not be the ones the
    // listing meets (root without its override rights, a security module); an empty list would
    // pass a refusal off as a directory without texts.
    DIR *dir = opendir(nativePath(directory).constData());
    if (!dir)
        throwUnreadable(directory, errno);
    while (const dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] != '.' && keep(dirfd(dir), *entry))
            names.add(name, std::strlen(name));
    }
    closedir(dir);
    return names;
}

// QDir's rule without QDir::Hidden and QDir::System: no dot files, no special files, no broken
// links.
ListedNames txtFileNames(const QString &directory)
{
    return namesIn(directory, [](int dir, const dirent &entry) {
        return hasTxtSuffix(entry.d_name, std::strlen(entry.d_name)) && isPlainFile(dir, entry);
    });
}

// Links to directories are not entered: one that leads back up would never end the walk.
bool isRealDirectory(int directory, const dirent &entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    struct stat status;
    return fstatat(directory, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISDIR(status.st_mode);
}

ListedNames directoryNames(const QString &directory)
{
    return namesIn(directory, isRealDirectory);
}
#else
ListedNames txtFileNames(const QString &directory)
{
    // Without QDir::Hidden and QDir::System the hidden files, special files and broken links
    // stay out; name filters ignore case unless QDir::CaseSensitive is given. QDir::NoSort would
    // fall back to the QDir's own name sort, which the collation sort would throw away.
    return ListedNames(
        QDir(directory).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Unsorted));
}

ListedNames directoryNames(const QString &directory)
{
    return ListedNames(QDir(directory).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted));
}
#endif

} // namespace

QStringList listSourceTexts(const QString &directory)
{
    checkReadable(directory);
    return sortedBehind(QString(), txtFileNames(directory));
}

QStringList listSourcePaths(const QString &directory)
{
    checkReadable(directory);
    return sortedBehind(sourcePathPrefix(directory), txtFileNames(directory));
}

QStringList listSubdirectories(const QString &directory)
{
    checkReadable(directory);
    return sortedBehind(QString(), directoryNames(directory));
}

QStringList sourcePaths(const QString &directory, const QStringList &names)
{
    return joined(
        sourcePathPrefix(directory), names.size(),
        [&names](qsizetype i) { return names[i].size(); },
        [&names](QString &text, qsizetype i) { text += names[i]; });
}

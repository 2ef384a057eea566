#include "files/sourcelisting.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "text/nativepath.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <exception>
#include <system_error>
#include <thread>
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

// text is a name, or a path whose name starts at the same place in every entry.
struct CollationEntry
{
    QCollatorSortKey key;
    QString text;
};

// Names that the collation holds equal ("a.txt", "A.txt") keep a fixed order. Behind a common
// directory the paths compare as their names do.
bool collatesBefore(const CollationEntry &a, const CollationEntry &b)
{
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : a.text < b.text;
}

// Sort keys instead of pairwise comparisons keep a directory of 100,000 files quick. The key is
// made from the name alone, read in place.
std::vector<CollationEntry> sortedEntries(const QStringList &texts, qsizetype nameStart,
                                          qsizetype from, qsizetype to)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<CollationEntry> entries;
    entries.reserve(static_cast<std::size_t>(to - from));
    for (qsizetype i = from; i < to; ++i) {
        const QString &text = texts[i];
        const QString name =
            QString::fromRawData(text.constData() + nameStart, text.size() - nameStart);
        entries.push_back({collator.sortKey(name), text});
    }
    std::sort(entries.begin(), entries.end(), collatesBefore);
    return entries;
}

// Below this many names a second thread costs more than it saves.
constexpr qsizetype kNamesForTwoThreads = 8192;

// Runs work(half, from, to) for the halves 0 and 1 of [0, count) at once, the second one on a
// thread of its own; a short list, or one for which no thread can be had, is done here whole as
// half 0. A command line run over 100,000 texts waits for the listing before it reads the first.
template <typename Work> void inTwoHalves(qsizetype count, Work work)
{
    if (count < kNamesForTwoThreads) {
        work(0, 0, count);
        return;
    }
    const qsizetype half = count / 2;
    std::exception_ptr failure;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                work(1, half, count);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error &) {
        work(0, 0, count);
        return;
    }
    {
        // Also when this half fails: the thread must not be left running.
        const auto joinHelper = qScopeGuard([&helper] { helper.join(); });
        work(0, 0, half);
    }
    if (failure)
        std::rethrow_exception(failure);
}

// Sorts texts by the names that start at nameStart in each of them. Each half is sorted on its
// own, then the two are merged.
void sortByCollation(QStringList &texts, qsizetype nameStart = 0)
{
    std::vector<CollationEntry> halves[2];
    inTwoHalves(texts.size(), [&](int half, qsizetype from, qsizetype to) {
        halves[half] = sortedEntries(texts, nameStart, from, to);
    });
    qsizetype i = 0;
    const auto put = [&texts, &i](CollationEntry &entry) { texts[i++] = std::move(entry.text); };
    auto a = halves[0].begin();
    auto b = halves[1].begin();
    while (a != halves[0].end() && b != halves[1].end())
        put(collatesBefore(*b, *a) ? *b++ : *a++);
    std::for_each(a, halves[0].end(), put);
    std::for_each(b, halves[1].end(), put);
    // The keys are given back on both threads as well: two allocations each.
    inTwoHalves(texts.size(), [&halves](int half, qsizetype, qsizetype) { halves[half] = {}; });
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

// The names in the directory, without dot files, whose entries keep(directory, entry) accepts,
// each behind prefix. The entries come with their type, so only links need a look at what they
// lead to; QDir builds a file information object for every entry, which for 100,000 files costs
// more than the sort.
template <typename Keep>
QStringList namesIn(const QString &directory, Keep keep, const QString &prefix = QString())
{
    QStringList names;
    // The readability check asks with the real user's rights, which need not be the ones the
    // listing meets (root without its override rights, a security module); an empty list would
    // pass a refusal off as a directory without texts.
    DIR *dir = opendir(nativePath(directory).constData());
    if (!dir)
        throwUnreadable(directory, errno);
    while (const dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] != '.' && keep(dirfd(dir), *entry))
            names << prefix + pathFromNative(name, qsizetype(std::strlen(name)));
    }
    closedir(dir);
    return names;
}

// QDir's rule without QDir::Hidden and QDir::System: no dot files, no special files, no broken
// links.
QStringList txtFileNames(const QString &directory, const QString &prefix = QString())
{
    return namesIn(
        directory,
        [](int dir, const dirent &entry) {
            return hasTxtSuffix(entry.d_name, std::strlen(entry.d_name)) && isPlainFile(dir, entry);
        },
        prefix);
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

QStringList directoryNames(const QString &directory)
{
    return namesIn(directory, isRealDirectory);
}
#else
QStringList txtFileNames(const QString &directory, const QString &prefix = QString())
{
    // Without QDir::Hidden and QDir::System the hidden files, special files and broken links
    // stay out; name filters ignore case unless QDir::CaseSensitive is given. QDir::NoSort would
    // fall back to the QDir's own name sort, which the collation sort would throw away.
    QStringList names =
        QDir(directory).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Unsorted);
    for (QString &name : names)
        name.prepend(prefix);
    return names;
}

QStringList directoryNames(const QString &directory)
{
    return QDir(directory).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                     QDir::Unsorted);
}
#endif

// What a source path of the directory puts before the name.
QString sourcePathPrefix(const QString &directory)
{
    return QDir::toNativeSeparators(directory) + QDir::separator();
}

} // namespace

QStringList listSourceTexts(const QString &directory)
{
    checkReadable(directory);
    QStringList names = txtFileNames(directory);
    sortByCollation(names);
    return names;
}

QStringList listSourcePaths(const QString &directory)
{
    checkReadable(directory);
    const QString prefix = sourcePathPrefix(directory);
    QStringList paths = txtFileNames(directory, prefix);
    sortByCollation(paths, prefix.size());
    return paths;
}

QStringList listSubdirectories(const QString &directory)
{
    checkReadable(directory);
    QStringList names = directoryNames(directory);
    sortByCollation(names);
    return names;
}

QStringList sourcePaths(const QString &directory, const QStringList &names)
{
    const QString prefix = sourcePathPrefix(directory);
    QStringList halves[2];
    inTwoHalves(names.size(), [&](int half, qsizetype from, qsizetype to) {
        halves[half].reserve(to - from);
        for (qsizetype i = from; i < to; ++i)
            halves[half] << prefix + names[i];
    });
    return halves[0] << halves[1];
}

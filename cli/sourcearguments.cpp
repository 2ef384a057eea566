#include "sourcearguments.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/filecopy.h"
#include "files/sourcelisting.h"
#include "files/sourcetree.h"
#include "text/nativepath.h"

#include <QDir>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <exception>
#include <fnmatch.h>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// A directory that an operand or a list names, listed apart from the others: several are listed
// at once, one per processor, and their texts and messages then taken in the order named.
struct Listing
{
    QString directory;
    QStringList paths;
    // What a walk below it reported when the run goes on after errors, in the walk's order.
    QStringList messages;
    std::exception_ptr failure;
};

// What the operands give, in their order: a text, the texts of a listing, or an error.
struct Piece
{
    enum class Kind
    {
        Text,
        Listing,
        Error
    };
    Kind kind;
    // The text's path or the error's message.
    QString text;
    std::size_t listing = 0;
};

class Expansion
{
public:
    Expansion(bool recursive, const QStringList &globs, std::FILE *input,
              const std::function<void(const QString &)> &onError)
        : m_recursive(recursive), m_input(input), m_onError(onError)
    {
        for (const QString &glob : globs) {
            if (glob.startsWith(QLatin1Char('!')))
                m_excluded << nativePath(glob.mid(1));
            else
                m_included << nativePath(glob);
        }
    }

    void operand(const QString &arg)
    {
        if (m_stopped)
            return;
        if (arg == QLatin1String("-") || arg == QLatin1String("@-"))
            list(arg, m_input);
        else if (arg.startsWith(QLatin1Char('@')))
            listFile(arg.mid(1));
        else
            entry(arg);
    }

    // The paths of all operands. An error is reported, or thrown, where its operand stands.
    QStringList finish()
    {
        listAll();
        QStringList paths;
        for (const Piece &piece : m_pieces) {
            switch (piece.kind) {
            case Piece::Kind::Text:
                paths << piece.text;
                break;
            case Piece::Kind::Error:
                guarded([&] { throw QvxError(piece.text); });
                break;
            case Piece::Kind::Listing: {
                Listing &listing = m_listings[piece.listing];
                for (const QString &message : listing.messages)
                    m_onError(message);
                guarded([&] {
                    if (listing.failure)
                        std::rethrow_exception(listing.failure);
                });
                paths.append(std::move(listing.paths));
                break;
            }
            }
        }
        return paths;
    }

private:
    // Looked at by the path's bytes, which Qt's file information would turn into U+FFFD. What
    // cannot be looked at stays a text, whose reading then reports why.
    void entry(const QString &path)
    {
        if (!isDirectory(path)) {
            m_pieces.push_back({Piece::Kind::Text, path});
            return;
        }
        // Its texts keep the form typed, relative or not, as grep's and find's output does.
        m_pieces.push_back({Piece::Kind::Listing, QString(), m_listings.size()});
        m_listings.push_back({QDir::cleanPath(path), {}, {}, {}});
    }

    // Without a handler for errors the run ends at the first one: what follows it is not read.
    void fail(const QString &message)
    {
        m_pieces.push_back({Piece::Kind::Error, message});
        m_stopped = !m_onError;
    }

    void listAll()
    {
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t i; (i = next.fetch_add(1)) < m_listings.size();)
                listInto(m_listings[i]);
        };
        const std::size_t threads = std::min<std::size_t>(
            std::max(1U, std::thread::hardware_concurrency()), m_listings.size());
        std::vector<std::thread> helpers;
        for (std::size_t t = 1; t < threads; ++t) {
            try {
                helpers.emplace_back(work);
            } catch (const std::system_error &) {
                break;
            }
        }
        work();
        for (std::thread &helper : helpers)
            helper.join();
    }

    void listInto(Listing &listing) const
    {
        try {
            listing.paths = listed(listing.directory, listing.messages);
        } catch (...) {
            listing.failure = std::current_exception();
        }
    }

    QStringList listed(const QString &dir, QStringList &messages) const
    {
        if (!m_recursive)
            return choosing() ? sourcePaths(dir, chosen(listSourceTexts(dir)))
                              : listSourcePaths(dir);
        QStringList paths;
        SourceTreeError onError;
        if (m_onError)
            onError = [&messages](const QString &message) { messages << message; };
        walkSourceTree(
            dir,
            [&](const QString &reached, const QStringList &names) {
                paths << sourcePaths(reached, chosen(names));
                return true;
            },
            onError);
        return paths;
    }

    bool choosing() const { return !m_included.isEmpty() || !m_excluded.isEmpty(); }

    // By the names' bytes, as the shell's patterns match them.
    QStringList chosen(const QStringList &names) const
    {
        if (!choosing())
            return names;
        const auto matchesAny = [](const QList<QByteArray> &globs, const QByteArray &name) {
            for (const QByteArray &glob : globs) {
                if (::fnmatch(glob.constData(), name.constData(), 0) == 0)
                    return true;
            }
            return false;
        };
        QStringList kept;
        for (const QString &name : names) {
            const QByteArray bytes = nativePath(name);
            if ((m_included.isEmpty() || matchesAny(m_included, bytes)) &&
                !matchesAny(m_excluded, bytes))
                kept << name;
        }
        return kept;
    }

    void listFile(const QString &name)
    {
        std::FILE *file = std::fopen(nativePath(name).constData(), "rb");
        if (!file) {
            const int error = errno;
            fail(QStringLiteral("Die Liste %1 kann nicht gelesen werden. %2")
                     .arg(shownPath(name), systemErrorText(error)));
            return;
        }
        list(name, file);
        std::fclose(file);
    }

    // One path per line, as the bytes name it; a CR before the line end (a list written on
    // Windows) and empty lines are left out.
    void list(const QString &name, std::FILE *file)
    {
        QByteArray line;
        qsizetype number = 1;
        int c;
        while (!m_stopped && (c = std::getc(file)) != EOF) {
            if (c != '\n') {
                line += char(c);
                continue;
            }
            listEntry(name, number++, line);
            line.clear();
        }
        if (m_stopped)
            return;
        listEntry(name, number, line);
        if (std::ferror(file)) {
            const int error = errno;
            fail(QStringLiteral("Die Liste %1 kann nicht gelesen werden. %2")
                     .arg(shownPath(name), systemErrorText(error)));
        }
    }

    void listEntry(const QString &name, qsizetype number, QByteArray line)
    {
        // No file name holds a NUL; such a list is binary or corrupt, and the path cut at the
        // NUL would name another file.
        if (line.contains('\0')) {
            fail(QStringLiteral("Die Liste %1 enthält in Zeile %2 ein NUL-Zeichen; "
                                "ein Pfad kann keines enthalten.")
                     .arg(listName(name))
                     .arg(number));
            return;
        }
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            entry(pathFromNative(line));
    }

    static QString listName(const QString &name)
    {
        return name == QLatin1String("-") || name == QLatin1String("@-")
                   ? QStringLiteral("auf der Standardeingabe")
                   : shownPath(name);
    }

    template <typename Work> void guarded(Work work)
    {
        try {
            work();
        } catch (const QvxError &error) {
            if (!m_onError)
                throw;
            m_onError(error.message());
        }
    }

    bool m_recursive;
    std::FILE *m_input;
    const std::function<void(const QString &)> &m_onError;
    QList<QByteArray> m_included;
    QList<QByteArray> m_excluded;
    std::vector<Piece> m_pieces;
    std::vector<Listing> m_listings;
    bool m_stopped = false;
};

} // namespace

QStringList expandSources(const QStringList &operands, bool recursive, const QStringList &globs,
                          std::FILE *input, const std::function<void(const QString &)> &onError)
{
    Expansion expansion(recursive, globs, input, onError);
    for (const QString &operand : operands)
        expansion.operand(operand);
    return expansion.finish();
}

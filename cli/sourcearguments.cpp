#include "sourcearguments.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/filecopy.h"
#include "files/sourcelisting.h"
#include "files/sourcetree.h"
#include "text/nativepath.h"

#include <QDir>
#include <cerrno>
#include <fnmatch.h>

namespace {

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
        if (arg == QLatin1String("-") || arg == QLatin1String("@-"))
            list(arg, m_input);
        else if (arg.startsWith(QLatin1Char('@')))
            listFile(arg.mid(1));
        else
            entry(arg);
    }

    QStringList paths;

private:
    // Looked at by the path's bytes, which Qt's file information would turn into U+FFFD. What
    // cannot be looked at stays a text, whose reading then reports why.
    void entry(const QString &path)
    {
        if (!isDirectory(path)) {
            paths << path;
            return;
        }
        // Its texts keep the form typed, relative or not, as grep's and find's output does.
        guarded([&] { directory(QDir::cleanPath(path)); });
    }

    void directory(const QString &dir)
    {
        if (!m_recursive) {
            paths << (choosing() ? sourcePaths(dir, chosen(listSourceTexts(dir)))
                                 : listSourcePaths(dir));
            return;
        }
        walkSourceTree(
            dir,
            [this](const QString &reached, const QStringList &names) {
                paths << sourcePaths(reached, chosen(names));
                return true;
            },
            m_onError);
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
            guarded([&] {
                throw QvxError(QStringLiteral("Die Liste %1 kann nicht gelesen werden. %2")
                                   .arg(shownPath(name), systemErrorText(error)));
            });
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
        while ((c = std::getc(file)) != EOF) {
            if (c != '\n') {
                line += char(c);
                continue;
            }
            listEntry(name, number++, line);
            line.clear();
        }
        listEntry(name, number, line);
        if (std::ferror(file)) {
            const int error = errno;
            guarded([&] {
                throw QvxError(QStringLiteral("Die Liste %1 kann nicht gelesen werden. %2")
                                   .arg(shownPath(name), systemErrorText(error)));
            });
        }
    }

    void listEntry(const QString &name, qsizetype number, QByteArray line)
    {
        // No file name holds a NUL; such a list is binary or corrupt, and the path cut at the
        // NUL would name another file.
        if (line.contains('\0')) {
            guarded([&] {
                throw QvxError(QStringLiteral("Die Liste %1 enthält in Zeile %2 ein NUL-Zeichen; "
                                              "ein Pfad kann keines enthalten.")
                                   .arg(listName(name))
                                   .arg(number));
            });
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
};

} // namespace

QStringList expandSources(const QStringList &operands, bool recursive, const QStringList &globs,
                          std::FILE *input, const std::function<void(const QString &)> &onError)
{
    Expansion expansion(recursive, globs, input, onError);
    for (const QString &operand : operands)
        expansion.operand(operand);
    return expansion.paths;
}

#include "sourcearguments.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/filecopy.h"
#include "files/sourcelisting.h"
#include "text/nativepath.h"

#include <QDir>
#include <cerrno>

namespace {

class Expansion
{
public:
    Expansion(bool recursive, std::FILE *input, const std::function<void(const QString &)> &onError)
        : m_recursive(recursive), m_input(input), m_onError(onError)
    {
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
        guarded([&] { directory(QDir::cleanPath(absolutePath(path))); });
    }

    void directory(const QString &dir)
    {
        paths << sourcePaths(dir, listSourceTexts(dir));
        if (!m_recursive)
            return;
        for (const QString &sub : sourcePaths(dir, listSubdirectories(dir)))
            guarded([&] { directory(sub); });
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
};

} // namespace

QStringList expandSources(const QStringList &operands, bool recursive, std::FILE *input,
                          const std::function<void(const QString &)> &onError)
{
    Expansion expansion(recursive, input, onError);
    for (const QString &operand : operands)
        expansion.operand(operand);
    return expansion.paths;
}

#include "window/sources/sourcetreelisting.h"

#include "errors/qvxerror.h"
#include "files/sourcelisting.h"
#include "files/sourcetree.h"
#include "text/nativepath.h"
#include "window/dialogs.h"

#include <QDir>

namespace {

// A box that names hundreds of locked folders would not fit on the screen.
constexpr qsizetype namedAtMost = 10;

QString progressState(int directories, qsizetype texts, const QString &directory)
{
    return QStringLiteral("%1 Verzeichnisse gelesen, %2 Texte gefunden\n%3")
        .arg(directories)
        .arg(texts)
        .arg(QDir::toNativeSeparators(shownPath(directory)));
}

} // namespace

std::optional<QStringList> listSourceTree(Dialogs &dialogs, QWidget *parent,
                                          const QString &directory, QStringList &unreadable)
{
    QStringList paths;
    int directories = 0;
    QStringList messages;
    bool complete = false;
    {
        const auto progress =
            dialogs.showProgress(parent, QStringLiteral("Unterverzeichnisse einbeziehen"));
        complete = walkSourceTree(
            directory,
            [&](const QString &reached, const QStringList &names) {
                ++directories;
                paths << sourcePaths(reached, names);
                return progress->goOn(progressState(directories, paths.size(), reached));
            },
            [&](const QString &message) { messages << message; });
    }
    if (!complete)
        return std::nullopt;
    // Only the chosen directory itself can fail before any directory was read.
    if (directories == 0)
        throw QvxError(messages.front());
    unreadable << messages;
    return paths;
}

QString unreadableSubdirectoriesText(const QStringList &unreadable)
{
    QString text = QStringLiteral("Nicht alle Unterverzeichnisse können gelesen werden; ihre "
                                  "Texte wurden nicht hinzugefügt.");
    for (const QString &message : unreadable.mid(0, namedAtMost))
        text += QLatin1Char('\n') + message;
    if (unreadable.size() > namedAtMost)
        text += QStringLiteral("\n… und %1 weitere.").arg(unreadable.size() - namedAtMost);
    return text;
}

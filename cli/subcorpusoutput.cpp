#include "subcorpusoutput.h"

#include "errors/qvxerror.h"
#include "files/filecopy.h"
#include "files/targetcreation.h"
#include "files/targetmessages.h"
#include "files/textfilewriter.h"
#include "interruption.h"
#include "results/substitutedpaths.h"
#include "subcorpus/antconcsettings.h"
#include "subcorpus/antconctemplates.h"
#include "text/nativepath.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

QString destination(const QString &target, const QString &path)
{
    return target + QDir::separator() + QFileInfo(path).fileName();
}

} // namespace

std::optional<QString> subcorpusRefusal(const QString &target, const QStringList &paths,
                                        bool replace)
{
    if (QFileInfo(target).isDir())
        return targetDirectoryExists;
    if (replace)
        return std::nullopt;
    QHash<QString, QString> firstOfName;
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).fileName();
        const auto first = firstOfName.constFind(name);
        if (first != firstOfName.constEnd())
            return QStringLiteral("Die Texte %1 und %2 haben denselben Dateinamen; im "
                                  "Zielverzeichnis würde der zweite den ersten ersetzen. Mit "
                                  "--replace wird ersetzt.")
                .arg(QDir::toNativeSeparators(shownPath(*first)),
                     QDir::toNativeSeparators(shownPath(path)));
        firstOfName.insert(name, path);
    }
    return std::nullopt;
}

SubcorpusOutcome writeSubcorpus(const QString &target, const QStringList &paths, int antconcVersion,
                                bool keepGoing, const std::function<void(const QString &)> &onError)
{
    SubcorpusOutcome outcome;
    if (const auto refusal = createTargetDirectory(target)) {
        onError(*refusal);
        outcome.failed = true;
        return outcome;
    }
    for (const QString &path : paths) {
        if (interrupted()) {
            outcome.interrupted = true;
            return outcome;
        }
        const QString dest = destination(target, path);
        if (const auto failure = copyFileWhole(path, dest)) {
            onError(copyFailedMessage(path, dest, failure->reason));
            outcome.failed = true;
            if (!keepGoing || failure->diskFull)
                break;
            continue;
        }
        ++outcome.copied;
    }
    if (!outcome.failed && antconcVersion >= 0) {
        try {
            writeWindowsLines(target + QDir::separator() + antconcFileName(antconcVersion),
                              antconcSettingsLines(antconcVersion, paths));
            outcome.substituted = unrepresentablePaths(paths);
        } catch (const QvxError &error) {
            onError(error.message());
            outcome.failed = true;
        }
    }
    // A directory left empty would only refuse the next try as existing already.
    if (outcome.failed && outcome.copied == 0)
        QDir().rmdir(target);
    return outcome;
}

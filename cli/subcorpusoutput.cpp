#include "subcorpusoutput.h"

#include "errors/fileerror.h"
#include "errors/qvxerror.h"
#include "files/targetcreation.h"
#include "interruption.h"
#include "subcorpus/subcorpuswriter.h"
#include "text/nativepath.h"

#include <QDir>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Failure uncreatable(const QString &target, int errorNumber)
{
    return {QStringLiteral("Das Zielverzeichnis %1 kann nicht erstellt werden. %2.")
                .arg(QDir::toNativeSeparators(shownPath(target)), systemErrorText(errorNumber)),
            errorNumber};
}

} // namespace

std::optional<Failure> targetPreflightRefusal(const QString &target)
{
    if (const auto refusal = subcorpusRefusal(target, {}, true))
        return refusal;
    const QByteArray native = nativePath(target);
    struct stat status;
    if (::lstat(native.constData(), &status) == 0)
        return Failure{QStringLiteral("Unter %1 liegt bereits eine Datei; das Zielverzeichnis "
                                      "muss neu sein.")
                           .arg(QDir::toNativeSeparators(shownPath(target)))};
    const QString full = QDir::cleanPath(absolutePath(target));
    const QByteArray parent = nativePath(full.left(qMax<qsizetype>(full.lastIndexOf('/'), 1)));
    if (::stat(parent.constData(), &status) != 0)
        return uncreatable(target, errno == ENOENT ? ENOTDIR : errno);
    if (!S_ISDIR(status.st_mode))
        return uncreatable(target, ENOTDIR);
    if (::access(parent.constData(), W_OK | X_OK) != 0)
        return uncreatable(target, errno);
    return std::nullopt;
}

std::optional<Failure> subcorpusRefusal(const QString &target, const QStringList &paths,
                                        bool replace)
{
    if (const auto refusal = existingTargetRefusal(target))
        return refusal;
    if (replace)
        return std::nullopt;
    if (const auto clash = sameNamedTexts(paths))
        return Failure{QStringLiteral("Die Texte %1 und %2 haben denselben Dateinamen; im "
                                      "Zielverzeichnis würde der zweite den ersten ersetzen. "
                                      "Mit --replace wird ersetzt.")
                           .arg(QDir::toNativeSeparators(shownPath(clash->first)),
                                QDir::toNativeSeparators(shownPath(clash->second)))};
    return std::nullopt;
}

SubcorpusOutcome writeSubcorpus(const QString &target, const QStringList &paths, int antconcVersion,
                                bool keepGoing, const std::function<void(const QString &)> &onError)
{
    SubcorpusOutcome outcome;
    if (const auto refusal = createTargetDirectory(target)) {
        onError(refusal->reason);
        outcome.failed = true;
        return outcome;
    }
    for (const QString &path : paths) {
        if (interrupted()) {
            outcome.interrupted = true;
            break;
        }
        if (const auto failure = copyTextInto(target, path)) {
            onError(failure->reason);
            outcome.failed = true;
            if (!keepGoing || failure->diskFull())
                break;
            continue;
        }
        ++outcome.copied;
    }
    if (!outcome.failed && !outcome.interrupted && antconcVersion >= 0) {
        try {
            outcome.substituted = writeSettingsFile(target, antconcVersion, paths);
        } catch (const QvxError &error) {
            onError(error.message());
            outcome.failed = true;
        }
    }
    // Only the run that created the target gets here, so an empty one is its own.
    if (outcome.failed || outcome.interrupted)
        removeEmptyTarget(target);
    return outcome;
}

#include "sources/filecopy.h"

#include "errors/fileerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString sentence(const QFileDevice &file)
{
    return systemErrorText(file) + QLatin1Char('.');
}

std::optional<QString> sourceProblem(const QFileInfo &source)
{
    if (!source.exists())
        return QStringLiteral("Die Quelldatei existiert nicht.");
    if (!source.isFile())
        return QStringLiteral("Die Quelle ist keine Datei.");
    return std::nullopt;
}

std::optional<QString> destProblem(const QFileInfo &dest)
{
    if (dest.isDir())
        return QStringLiteral("Am Ziel gibt es bereits ein Verzeichnis dieses Namens.");
    // The temporary file would be renamed over a device or a pipe, replacing the node itself.
    if (dest.exists() && !dest.isFile())
        return QStringLiteral("Am Ziel steht bereits etwas, das keine gewöhnliche Datei ist.");
    if (!dest.absoluteDir().exists())
        return QStringLiteral("Das Zielverzeichnis existiert nicht.");
    return std::nullopt;
}

// Reads to the end rather than up to the reported size: some files report none.
std::optional<QString> copyBytes(QFile &in, QSaveFile &out)
{
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 count = in.read(buffer.data(), buffer.size());
        if (count < 0)
            return sentence(in);
        if (count == 0)
            return std::nullopt;
        if (out.write(buffer.constData(), count) != count)
            return sentence(out);
    }
}

} // namespace

std::optional<QString> copyFileWhole(const QString &source, const QString &dest)
{
    const QFileInfo sourceInfo(source);
    if (auto problem = sourceProblem(sourceInfo))
        return problem;
    if (auto problem = destProblem(QFileInfo(dest)))
        return problem;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("Die Quelldatei kann nicht geöffnet werden.");
    // Until commit the bytes live in a temporary file, which QSaveFile removes on every other
    // way out.
    QSaveFile out(dest);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("Die Zieldatei kann nicht angelegt werden.");
    if (auto problem = copyBytes(in, out))
        return problem;
    // Every write moves the modification time, so the buffer is written out before it is set.
    if (!out.flush())
        return sentence(out);
    out.setFileTime(sourceInfo.lastModified(), QFileDevice::FileModificationTime);
    if (!out.commit())
        return sentence(out);
    return std::nullopt;
}

QString freeFileName(const QString &dest)
{
    if (!QFileInfo::exists(dest))
        return dest;
    const QFileInfo info(dest);
    QString base = info.completeBaseName();
    QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    // A name that is all suffix, such as ".txt", keeps it whole before the number.
    if (base.isEmpty()) {
        base = info.fileName();
        suffix.clear();
    }
    const QString directory = dest.left(dest.size() - info.fileName().size());
    for (int number = 2;; ++number) {
        const QString candidate = directory + base + QStringLiteral(" (") +
                                  QString::number(number) + QLatin1Char(')') + suffix;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

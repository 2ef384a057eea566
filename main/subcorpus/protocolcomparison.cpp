#include "subcorpus/protocolcomparison.h"

#include "subcorpus/protocoljson.h"
#include "text/nativepath.h"

#include <QHash>

namespace {

QStringList numberChanges(const ProtocolText &before, const ProtocolText &now)
{
    const QList<QPair<QString, QPair<QByteArray, QByteArray>>> numbers{
        {QStringLiteral("f"), {QByteArray::number(before.f), QByteArray::number(now.f)}},
        {QStringLiteral("%"), {protocolNumber(before.percent), protocolNumber(now.percent)}},
        {QStringLiteral("fB"), {QByteArray::number(before.fB), QByteArray::number(now.fB)}},
        {QStringLiteral("G"), {protocolNumber(before.g), protocolNumber(now.g)}}};
    QStringList changes;
    for (const auto &[name, values] : numbers) {
        if (values.first != values.second)
            changes << QStringLiteral("%1 %2 → %3")
                           .arg(name, QString::fromLatin1(values.first),
                                QString::fromLatin1(values.second));
    }
    return changes;
}

} // namespace

ProtocolComparison compareWithProtocol(const QList<ProtocolText> &recorded,
                                       const QList<ProtocolText> &found)
{
    // A source list may name a text twice; each recorded entry takes one found entry.
    QHash<QString, QList<qsizetype>> unmatched;
    for (qsizetype k = 0; k < found.size(); ++k)
        unmatched[found[k].path] << k;
    ProtocolComparison comparison;
    for (const ProtocolText &before : recorded) {
        QList<qsizetype> &candidates = unmatched[before.path];
        if (candidates.isEmpty()) {
            comparison.missing << before.path;
            continue;
        }
        const QStringList changes = numberChanges(before, found[candidates.takeFirst()]);
        if (!changes.isEmpty())
            comparison.changed.append({before.path, changes});
    }
    for (qsizetype k = 0; k < found.size(); ++k) {
        QList<qsizetype> &left = unmatched[found[k].path];
        if (left.contains(k))
            comparison.added << found[k];
    }
    return comparison;
}

QStringList comparisonReport(const ProtocolComparison &comparison, qsizetype recordedTexts)
{
    if (comparison.same())
        return {QStringLiteral("gleich: %1 %2 mit denselben Zahlen wie im Protokoll")
                    .arg(QString::number(recordedTexts),
                         recordedTexts == 1 ? QStringLiteral("Text") : QStringLiteral("Texte"))};
    QStringList lines;
    for (const QString &path : comparison.missing)
        lines << QStringLiteral("fehlt: %1").arg(shownPath(path));
    for (const auto &[path, changes] : comparison.changed)
        lines << QStringLiteral("geändert: %1: %2").arg(shownPath(path), changes.join(", "));
    for (const ProtocolText &text : comparison.added)
        lines << QStringLiteral("neu: %1 (f %2, % %3, fB %4, G %5)")
                     .arg(shownPath(text.path), QString::number(text.f),
                          QString::fromLatin1(protocolNumber(text.percent)),
                          QString::number(text.fB), QString::fromLatin1(protocolNumber(text.g)));
    return lines;
}

#include "textlinks.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <unistd.h>
#include <vector>

void linkTexts(const QString &texts, int count, const QString &directory)
{
    std::vector<QByteArray> sources;
    const QStringList names =
        QDir(texts).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        sources.push_back(QFile::encodeName(texts + QLatin1Char('/') + name));
    if (sources.empty())
        throw std::runtime_error("no texts to link in " + texts.toStdString());
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("/text%1.txt").arg(i, 7, 10, QLatin1Char('0'));
        const QByteArray link = QFile::encodeName(directory + name);
        if (::link(sources[size_t(i) % sources.size()].constData(), link.constData()) != 0)
            throw std::runtime_error("cannot link " + link.toStdString());
    }
}

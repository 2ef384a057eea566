#include "fixtures.h"

#include "files/fileidentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <stdexcept>
#include <thread>

void letFileTimesSettle()
{
    std::this_thread::sleep_for(std::chrono::nanoseconds(kFileClockMarginNs) +
                                std::chrono::milliseconds(5));
}

TempCorpus::TempCorpus()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary directory");
}

QString TempCorpus::write(const QString &name, const QByteArray &bytes)
{
    const QString full = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + full.toStdString());
    return QFileInfo(full).absoluteFilePath();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<fehlt>");
}

LocaleScope::LocaleScope(const QLocale &locale) : m_previous(QLocale())
{
    QLocale::setDefault(locale);
}

LocaleScope::~LocaleScope()
{
    QLocale::setDefault(m_previous);
}

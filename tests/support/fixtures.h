#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>

// A temporary directory that tests fill with files written byte for byte.
class TempCorpus
{
public:
    TempCorpus();

    QString path() const { return m_dir.path(); }
    // Writes bytes to name (relative, parents created) and returns the file's absolute path.
    QString write(const QString &name, const QByteArray &bytes);
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// Waits until files written so far are old enough for the search's read-ahead to serve them;
// it leaves files written within the file clock's last tick to the run itself.
void letFileTimesSettle();

// The bytes of a file, or "<fehlt>" when it cannot be read, so that comparisons fail visibly.
QByteArray fileBytes(const QString &path);

// Makes a locale the default for QLocale() while it lives, so that no test depends on the
// machine's locale.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale &locale);
    ~LocaleScope();
    LocaleScope(const LocaleScope &) = delete;
    LocaleScope &operator=(const LocaleScope &) = delete;

private:
    QLocale m_previous;
};

inline QLocale germanLocale()
{
    return QLocale(QLocale::German, QLocale::Germany);
}
inline QLocale englishLocale()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

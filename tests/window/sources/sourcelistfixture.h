#pragma once

#include "windowfixture.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QStringList>

// A window test that reads the source list and puts the working directory back afterwards,
// since choosing a source directory moves it.
class SourceListTest : public WindowTest
{
protected:
    SourceListTest() : m_workingDirectory(QDir::currentPath()) {}
    ~SourceListTest() override { QDir::setCurrent(m_workingDirectory); }

    QStringList boxTexts() const
    {
        QStringList texts;
        const QListWidget *list = find<QListWidget>("box");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    QString label1() const { return find<QLabel>("Label1")->text(); }

    // Writes one text per count, holding "a" that many times, and makes them the source list.
    QStringList useTexts(const QList<int> &counts)
    {
        QList<QByteArray> texts;
        for (const int count : counts)
            texts << QByteArray(count, 'a');
        return WindowTest::useTexts(texts);
    }
    // Counts "a" in every source text.
    void search()
    {
        setDefaultTarget();
        WindowTest::search(QStringLiteral("a"));
    }
    QStringList rowCaptions() const
    {
        QStringList captions;
        for (int row = 0; row < rowCount(); ++row)
            captions << rowTexts(row).front();
        return captions;
    }

    // The absolute path of a directory inside the corpus, as the source list writes it.
    QString corpusDirectory(const QString &name) const
    {
        return QDir::cleanPath(corpus.filePath(name));
    }

private:
    QString m_workingDirectory;
};

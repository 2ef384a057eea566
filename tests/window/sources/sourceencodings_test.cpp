#include "sourcelistfixture.h"

#include <QRect>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

const QString letter = QString::fromUtf8("Bürger ... Größere Änderungen");

class SourceEncodingsTest : public SourceListTest
{
protected:
    SourceEncodingsTest() { setDefaultTarget(); }

    // Makes the directory's texts the source list, read in encoding, and searches "Bürger".
    void searchDirectory(const QString &directory, SourceEncoding encoding)
    {
        dialogs->answerSourceDirectory(directory, encoding);
        click("Button2");
        WindowTest::search(QString::fromUtf8("Bürger"));
    }
    // The rows by the names of their files: the number cells, then the text the preview shows.
    QMap<QString, QStringList> rowsWithPreview()
    {
        QMap<QString, QStringList> rows;
        auto *files = find<QTreeWidget>("files");
        for (int row = 0; row < rowCount(); ++row) {
            const QRect rect = files->visualItemRect(files->topLevelItem(row));
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, rect.center());
            QStringList cells = rowTexts(row);
            const QString name = cells.takeFirst().section(QLatin1Char('/'), -1);
            rows[name] = cells << find<QTextEdit>("vorschau")->toPlainText().trimmed();
        }
        return rows;
    }
    qsizetype hints() const
    {
        qsizetype count = 0;
        for (const MessageRequest &box : dialogs->shown())
            count += box.text.contains(QStringLiteral("offenbar in UTF-8")) ? 1 : 0;
        return count;
    }
};

} // namespace

TEST_F(SourceEncodingsTest, EachEntryIsReadInItsEncodingAndUtf8ReadWronglyIsToldOnce)
{
    corpus.write("gemischt/ansi.txt", letter.toLatin1());
    corpus.write("gemischt/utf8.txt", letter.toUtf8());
    corpus.write("ansi/ansi.txt", letter.toLatin1());
    corpus.write("ansi/ascii.txt", "Buerger");

    searchDirectory(corpusDirectory("ansi"), SourceEncoding::Windows1252);
    const QStringList ansi = rowsWithPreview().value("ansi.txt");
    EXPECT_EQ(ansi.first(), "1");
    EXPECT_EQ(ansi.last(), letter);
    EXPECT_EQ(hints(), 0);

    searchDirectory(corpusDirectory("gemischt"), SourceEncoding::Windows1252);
    EXPECT_EQ(rowsWithPreview(), (QMap<QString, QStringList>{{"ansi.txt", ansi}}));
    ASSERT_EQ(hints(), 1);
    EXPECT_TRUE(dialogs->shown().back().text.startsWith(
        QStringLiteral("1 Text ist offenbar in UTF-8 gespeichert, wurde aber als Windows-1252 "
                       "gelesen")));
    // The same list again: nothing new to tell.
    WindowTest::search(QString::fromUtf8("Bürger"));
    EXPECT_EQ(hints(), 1);

    searchDirectory(corpusDirectory("gemischt"), SourceEncoding::Utf8);
    EXPECT_EQ(rowsWithPreview(), (QMap<QString, QStringList>{{"utf8.txt", ansi}}));
    searchDirectory(corpusDirectory("gemischt"), SourceEncoding::Automatic);
    const QMap<QString, QStringList> both{{"ansi.txt", ansi}, {"utf8.txt", ansi}};
    EXPECT_EQ(rowsWithPreview(), both);
    EXPECT_EQ(hints(), 1);

    // Found texts as sources keep the encodings they were read in.
    dialogs->answerPopup(QStringLiteral("extealsneueQuelle1"));
    click("Button7");
    WindowTest::search(QString::fromUtf8("Bürger"));
    EXPECT_EQ(rowsWithPreview(), both);
    EXPECT_EQ(hints(), 1);
}

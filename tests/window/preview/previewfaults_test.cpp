#include "permissionsenforced.h"
#include "preview/linemarker.h"
#include "window/preview/previewdocument.h"
#include "windowfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

// Previews of texts that are huge, that a pattern cannot manage, or that changed on disk after
// the search: each ends with the whole text shown or with a message and the earlier preview.
class PreviewFaultsTest : public WindowTest
{
protected:
    PreviewFaultsTest() { setDefaultTarget(); }

    QStringList searchTexts(const QList<QByteArray> &texts, const QString &pattern)
    {
        const QStringList paths = useTexts(texts);
        search(pattern);
        EXPECT_TRUE(dialogs->shown().empty());
        return paths;
    }

    void clickRow(int row)
    {
        auto *files = find<QTreeWidget>("files");
        const QRect rect = files->visualItemRect(files->topLevelItem(row));
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, rect.center());
    }

    QString previewText() const { return find<QTextEdit>("vorschau")->toPlainText(); }

    // The one error box of the default error handler.
    QString errorShown() const
    {
        if (dialogs->shown().size() != 1)
            return QStringLiteral("<%1 Meldungen>").arg(dialogs->shown().size());
        const MessageRequest &box = dialogs->shown().front();
        EXPECT_EQ(box.caption, QCoreApplication::applicationName());
        EXPECT_EQ(box.icon, MessageIcon::Error);
        return box.text;
    }
};

} // namespace

TEST_F(PreviewFaultsTest, ALongLineIsShownWholeWithItsMarkUpToTheLimit)
{
    const qsizetype size = previewTextLimit;
    QByteArray line(size, 'a');
    line[size - 1] = 'b';
    searchTexts({line}, QStringLiteral("b"));
    ASSERT_EQ(rowCount(), 1);

    clickRow(0);

    EXPECT_TRUE(dialogs->shown().empty());
    // The line is shown whole, in paragraphs short enough for the window to stay usable.
    auto *vorschau = find<QTextEdit>("vorschau");
    // A run without blanks is cut every 1,000 characters.
    EXPECT_EQ(vorschau->document()->blockCount(), size / 1000 + 2);
    QString text = previewText();
    EXPECT_FALSE(text.contains(previewCutNote()));
    text.remove(QLatin1Char('\n'));
    ASSERT_EQ(text.size(), size);
    EXPECT_EQ(text.count(QLatin1Char('a')), size - 1);
    EXPECT_EQ(text.back(), QLatin1Char('b'));
    QTextCursor cursor(vorschau->document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::PreviousBlock);
    // The format of the character before the cursor: the "b".
    cursor.movePosition(QTextCursor::EndOfBlock);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::red));
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(PreviewFaultsTest, ATextBeyondTheLimitShowsItsBeginningAndANote)
{
    QByteArray text(previewTextLimit + 2, 'a');
    text[previewTextLimit - 1] = 'b';
    text[previewTextLimit] = 'b';
    searchTexts({text}, QStringLiteral("b"));
    ASSERT_EQ(rowCount(), 1);
    // The search counts the whole text.
    EXPECT_EQ(rowTexts(0).value(1), QStringLiteral("2"));

    clickRow(0);

    EXPECT_TRUE(dialogs->shown().empty());
    QString shown = previewText();
    ASSERT_TRUE(shown.endsWith(QLatin1Char('\n') + previewCutNote()));
    shown.chop(previewCutNote().size() + 1);
    shown.remove(QLatin1Char('\n'));
    EXPECT_EQ(shown.size(), previewTextLimit);
    EXPECT_EQ(shown.count(QLatin1Char('b')), 1);
    EXPECT_TRUE(shown.endsWith(QLatin1Char('b')));
}

TEST_F(PreviewFaultsTest, ALongLineIsShownInParagraphsBrokenAfterABlank)
{
    const QByteArray words = QByteArray("Wort ").repeated(5000) + "Ende";
    searchTexts({words + "\r\nzweite Zeile\r\n"}, QStringLiteral("Ende"));
    ASSERT_EQ(rowCount(), 1);

    clickRow(0);

    const QStringList paragraphs = previewText().split(QLatin1Char('\n'));
    ASSERT_EQ(paragraphs.size(), 5);
    EXPECT_EQ(paragraphs.mid(0, 3).join(QString()), QString::fromLatin1(words));
    // Each of the first two ends at the first blank after 10,000 characters.
    for (const QString &paragraph : paragraphs.mid(0, 2))
        EXPECT_EQ(paragraph, QStringLiteral("Wort ").repeated(2000));
    EXPECT_EQ(paragraphs[3], QStringLiteral("zweite Zeile"));
    EXPECT_EQ(paragraphs[4], QString());
}

TEST_F(PreviewFaultsTest, ACatastrophicPatternEndsThePreviewWithAMessage)
{
    // The simple search takes the pattern as a plain string; the preview takes it as a pattern,
    // which backtracks without end over the run of a before the "b" further on.
    find<QRadioButton>("RadioButton2")->setChecked(true);
    const QByteArray text = QByteArray(40, 'a') + "\r\n(a+)+b\r\n";
    searchTexts({text}, QStringLiteral("(a+)+b"));
    ASSERT_EQ(rowCount(), 1);

    clickRow(0);

    EXPECT_EQ(errorShown(),
              QStringLiteral("Der reguläre Ausdruck ist für diesen Text zu aufwendig: "
                             "PCRE2 hat seine Grenze für Suchschritte erreicht."));
    EXPECT_EQ(previewText(), QString(40, QLatin1Char('a')) + QStringLiteral("<<>>(a+)+b<<>>"));
}

TEST_F(PreviewFaultsTest, BacktrackingAtEveryStartPositionEndsTheMarkingAtTheBound)
{
    // The simple search takes the pattern as a plain string; the preview's pattern backtracks
    // from every "a" over the whole run after it.
    find<QRadioButton>("RadioButton2")->setChecked(true);
    searchTexts({QByteArray(300 * 1024, 'a') + "x\r\n(?:a|b)*c\r\n"}, QStringLiteral("(?:a|b)*c"));
    ASSERT_EQ(rowCount(), 1);

    clickRow(0);

    EXPECT_EQ(errorShown(),
              QStringLiteral("Der reguläre Ausdruck ist für diesen Text zu aufwendig: "
                             "PCRE2 hat seine Grenze für Suchschritte erreicht."));
}

TEST_F(PreviewFaultsTest, TextsChangedAfterTheSearchShowWhatIsThereOrKeepThePreview)
{
    const QStringList paths =
        searchTexts({"eins\r\n", "zwei\r\n", "drei\r\n", "vier\r\n"}, QStringLiteral("i"));
    ASSERT_EQ(rowCount(), 4);

    // A text overwritten with NUL is empty now.
    ASSERT_EQ(corpus.write(QStringLiteral("t1.txt"), QByteArray(1000, '\0')), paths[1]);
    clickRow(1);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(previewText(), QString());

    clickRow(0);
    ASSERT_EQ(previewText(), QStringLiteral("eins\n"));

    // A directory in place of the text: the message, and the earlier preview stays.
    ASSERT_TRUE(QFile::remove(paths[2]));
    ASSERT_TRUE(QDir().mkdir(paths[2]));
    clickRow(2);
    EXPECT_EQ(errorShown(), QStringLiteral("Datei %1 kann nicht geöffnet werden. Der angegebene "
                                           "Pfad ist ein Verzeichnis.")
                                .arg(paths[2]));
    EXPECT_EQ(previewText(), QStringLiteral("eins\n"));

    dialogs->clearShown();
    ASSERT_TRUE(QFile::setPermissions(paths[3], QFileDevice::Permissions()));
    {
        PermissionsEnforced enforced;
        if (!PermissionsEnforced::bind(paths[3])) {
            QFile::setPermissions(paths[3], QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            GTEST_SKIP() << "this system reads a file without read permission";
        }
        clickRow(3);
    }
    ASSERT_TRUE(QFile::setPermissions(paths[3], QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(
        errorShown(),
        QStringLiteral("Datei %1 kann nicht geöffnet werden. Zugriff verweigert.").arg(paths[3]));
    EXPECT_EQ(previewText(), QStringLiteral("eins\n"));
    EXPECT_EQ(fileBytes(paths[3]), QByteArray("vier\r\n"));
}

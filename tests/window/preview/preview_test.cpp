#include "window/globals.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPalette>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <string>

namespace {

class PreviewTest : public WindowTest
{
protected:
    PreviewTest() { setDefaultTarget(); }

    // Writes numbered files, makes them the sources and searches them with the current mode.
    QStringList searchTexts(const QList<QByteArray> &texts, const QString &pattern,
                            const QString &weighting = QString())
    {
        const size_t boxesBefore = dialogs->shown().size();
        const QStringList paths = useTexts(texts);
        setText("Edit2", weighting);
        search(pattern);
        EXPECT_EQ(dialogs->shown().size(), boxesBefore);
        return paths;
    }

    QTreeWidget *files() const { return find<QTreeWidget>("files"); }
    QTextEdit *vorschau() const { return find<QTextEdit>("vorschau"); }

    void clickRow(int row)
    {
        const QRect rect = files()->visualItemRect(files()->topLevelItem(row));
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    // The preview character by character: "[R:...]" red, bold and underlined; "[H:...]" in the
    // highlight colour, bold and underlined; "[?:...]" any other format; "¶" a paragraph break.
    std::string shown() const
    {
        QString out;
        QChar open;
        const auto switchTo = [&](QChar kind) {
            if (kind == open)
                return;
            if (!open.isNull())
                out += QLatin1Char(']');
            if (!kind.isNull())
                out += QLatin1Char('[') + kind + QLatin1Char(':');
            open = kind;
        };
        const QTextDocument *document = vorschau()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            if (block != document->begin()) {
                switchTo(QChar());
                out += QStringLiteral("¶");
            }
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                switchTo(kindOf(it.fragment().charFormat()));
                out += it.fragment().text();
            }
        }
        switchTo(QChar());
        return out.toStdString();
    }

    QChar kindOf(const QTextCharFormat &format) const
    {
        const bool marked = format.fontWeight() == QFont::Bold && format.fontUnderline();
        const bool plainStyle = format.fontWeight() != QFont::Bold && !format.fontUnderline();
        const bool otherStyle = format.fontItalic() || format.fontStrikeOut();
        const QColor highlight = vorschau()->palette().color(QPalette::Active, QPalette::Highlight);
        if (!format.hasProperty(QTextFormat::ForegroundBrush) && plainStyle && !otherStyle)
            return QChar();
        if (marked && !otherStyle && format.foreground().color() == QColor(255, 0, 0))
            return QLatin1Char('R');
        if (marked && !otherStyle && format.foreground().color() == highlight)
            return QLatin1Char('H');
        return QLatin1Char('?');
    }

    QString errorShown() const
    {
        return dialogs->shown().empty() ? QString() : dialogs->shown().back().text;
    }
};

} // namespace

TEST_F(PreviewTest, ClickShowsTheRowsTextWithBothKindsOfMarksAndItsLineBreaks)
{
    EXPECT_FALSE(vorschau()->isReadOnly());
    EXPECT_EQ(vorschau()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    searchTexts({"Heute ist Montag.\r\nund so weiter\n3 Tage sp\xe4ter",
                 "Am Dienstag\r\n\r\n<<>>Mittwoch\r\n"},
                QStringLiteral("Montag|Dienstag|\\d"), QStringLiteral("tag"));
    ASSERT_EQ(rowCount(), 2);

    clickRow(0);
    EXPECT_EQ(shown(), "Heute ist [R:Mon][H:tag].¶und so weiter¶[R:3] Tage später¶");
    EXPECT_EQ(vorschau()->document()->blockCount(), 4);
    // The loaded text is no edit that the user could undo, and unmarked text keeps the
    // control's font.
    EXPECT_FALSE(vorschau()->document()->isUndoAvailable());
    EXPECT_EQ(vorschau()->document()->defaultFont(), vorschau()->font());

    clickRow(1);
    EXPECT_EQ(shown(), "Am [R:Diens][H:tag]¶¶¶Mittwoch¶");
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(PreviewTest, EachLoadFreesTheDocumentOfTheLoadBefore)
{
    searchTexts({"eins\r\n", "zwei\r\n"}, QStringLiteral("e"));
    ASSERT_EQ(rowCount(), 2);
    const auto documents = [this] {
        return vorschau()
            ->findChildren<QTextDocument *>(QString(), Qt::FindDirectChildrenOnly)
            .size();
    };
    clickRow(0);
    const qsizetype afterFirstLoad = documents();
    QPointer<QTextDocument> first = vorschau()->document();

    clickRow(1);
    EXPECT_TRUE(first.isNull());
    QPointer<QTextDocument> second = vorschau()->document();
    clickRow(0);
    clickRow(1);
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(documents(), afterFirstLoad);
    EXPECT_EQ(shown(), "zw[R:e]i¶");
    EXPECT_EQ(vorschau()->document()->defaultFont(), vorschau()->font());
}

TEST_F(PreviewTest, EmptyFileAndEmptyWeightingString)
{
    searchTexts({"Wort\r\nWort"}, QStringLiteral("Wort|x*"));
    ASSERT_EQ(rowCount(), 1);
    clickRow(0);
    EXPECT_EQ(shown(), "[R:Wort]¶[R:Wort]¶");

    // The file has been emptied since the search.
    corpus.write(QStringLiteral("t0.txt"), "");
    clickRow(0);
    EXPECT_EQ(vorschau()->toPlainText(), QString());
    EXPECT_EQ(vorschau()->document()->blockCount(), 1);
}

TEST_F(PreviewTest, AfterASimpleSearchTheStringsAreCaseSensitivePatterns)
{
    find<QRadioButton>("RadioButton2")->setChecked(true);
    searchTexts({"z.B. und zaBx\r\n"}, QStringLiteral("z.B."));
    clickRow(0);
    EXPECT_EQ(shown(), "[R:z.B.] und [R:zaBx]¶");

    // Case ignored in the search, not in the preview; the weighting string is marked although
    // the simple search does not count it.
    find<QCheckBox>("CheckBox1")->setChecked(true);
    searchTexts({"HEUTE und heute und Heute\r\n"}, QStringLiteral("heute"), QStringLiteral("und"));
    ASSERT_EQ(rowCount(), 1);
    clickRow(0);
    EXPECT_EQ(shown(), "HEUTE [H:und] [R:heute] [H:und] Heute¶");
}

TEST_F(PreviewTest, PatternsMeetTheMarkersInsteadOfLineBreaks)
{
    searchTexts({"ein Wort\r\nEnde\r\n"}, QStringLiteral("Wort\\s+Ende"));
    ASSERT_EQ(rowCount(), 1);
    clickRow(0);
    EXPECT_EQ(shown(), "ein Wort¶Ende¶");

    // The dot matches the marker's characters, so the match reaches into the next line and the
    // marker, inside the match, still becomes a break.
    searchTexts({"sowohl Tee als auch Kaffee, sowohl Milch\r\nals auch Zucker\r\n"},
                QStringLiteral("sowohl.{0,100}als auch"));
    ASSERT_EQ(rowCount(), 1);
    clickRow(0);
    EXPECT_EQ(shown(), "[R:sowohl Tee als auch Kaffee, sowohl Milch]¶[R:als auch] Zucker¶");

    // A match ending inside a marker leaves its characters visible and the lines run together.
    searchTexts({"Ende\r\nzwei\r\n"}, QStringLiteral("de\\W"));
    ASSERT_EQ(rowCount(), 1);
    clickRow(0);
    EXPECT_EQ(shown(), "En[R:de<]<>>zwei¶");
}

TEST_F(PreviewTest, KeysAndClicksReloadTheSelectedRow)
{
    searchTexts({"eins\r\n", "zwei\r\n", "drei\r\n"}, QStringLiteral("e"));
    ASSERT_EQ(rowCount(), 3);
    clickRow(0);
    EXPECT_EQ(shown(), "[R:e]ins¶");

    files()->setFocus();
    QTest::keyClick(files(), Qt::Key_Down);
    EXPECT_EQ(shown(), "zw[R:e]i¶");
    // While Down is held, the repeated releases leave the preview alone; the real one loads.
    QTest::keyPress(files(), Qt::Key_Down);
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(files(), &repeated);
    EXPECT_EQ(shown(), "zw[R:e]i¶");
    QTest::keyRelease(files(), Qt::Key_Down);
    EXPECT_EQ(shown(), "dr[R:e]i¶");

    // Space toggles the check mark and reads the file again.
    corpus.write(QStringLiteral("t2.txt"), "drei oder vier\r\n");
    QTest::keyClick(files(), Qt::Key_Space);
    EXPECT_FALSE(rowChecked(2));
    EXPECT_EQ(shown(), "dr[R:e]i od[R:e]r vi[R:e]r¶");

    // A click beside the rows leaves no row selected and the preview as it was.
    const QRect last = files()->visualItemRect(files()->topLevelItem(2));
    QTest::mouseClick(files()->viewport(), Qt::LeftButton, {},
                      QPoint(last.center().x(), last.bottom() + 20));
    EXPECT_TRUE(files()->selectedItems().isEmpty());
    EXPECT_EQ(shown(), "dr[R:e]i od[R:e]r vi[R:e]r¶");
    QTest::keyClick(files(), Qt::Key_Control);
    EXPECT_EQ(shown(), "dr[R:e]i od[R:e]r vi[R:e]r¶");
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(PreviewTest, AnUnreadableFileKeepsThePreviousContent)
{
    const QStringList paths = searchTexts({"eins\r\n", "zwei\r\n"}, QStringLiteral("e"));
    clickRow(0);
    ASSERT_TRUE(QFile::remove(paths[1]));
    clickRow(1);
    EXPECT_EQ(errorShown(),
              QStringLiteral("Datei %1 kann nicht geöffnet werden. Das System kann die angegebene "
                             "Datei nicht finden.")
                  .arg(paths[1]));
    EXPECT_EQ(shown(), "[R:e]ins¶");
}

TEST_F(PreviewTest, AnInvalidPatternLeavesTheOneLineTextAsFarAsMarked)
{
    find<QRadioButton>("RadioButton2")->setChecked(true);
    searchTexts({"x (abc y\r\nz\r\n"}, QStringLiteral("(abc"));
    clickRow(0);
    EXPECT_EQ(errorShown(), QStringLiteral("Fehler in regulärem Ausdruck bei Offset 4: missing "
                                           "closing parenthesis."));
    EXPECT_EQ(shown(), "x (abc y<<>>z<<>>");

    searchTexts({"x (abc y\r\nz\r\n"}, QStringLiteral("abc"), QStringLiteral("["));
    clickRow(0);
    EXPECT_EQ(errorShown(), QStringLiteral("Fehler in regulärem Ausdruck bei Offset 1: missing "
                                           "terminating ] for character class."));
    EXPECT_EQ(shown(), "x ([R:abc] y<<>>z<<>>");
}

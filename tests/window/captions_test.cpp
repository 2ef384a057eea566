#include "captiontable.h"
#include "windowfixture.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QTest>

namespace {

// How much a text drawn in font blackens a white strip: the sum of its pixels' darkness.
double inkOf(const QFont &font, const QString &text)
{
    QImage image(QFontMetrics(font).horizontalAdvance(text) + 20, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(5, 20, text);
    painter.end();
    double ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - qGray(image.pixel(x, y));
    return ink / 255;
}

QFont regularOf(QFont font)
{
    font.setBold(false);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    return font;
}

} // namespace

class CaptionsTest : public WindowTest
{
protected:
    // The label shows its whole caption and lies inside the window.
    void expectDrawnWhole(const QLabel *label) const
    {
        SCOPED_TRACE(label->objectName().toStdString() + ": " + label->text().toStdString());
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_GE(label->height(), label->fontMetrics().height());
        const QRect inWindow(label->mapTo(form, QPoint(0, 0)), label->size());
        EXPECT_TRUE(form->rect().contains(inWindow));
    }

    void addUncheckedRows(int count)
    {
        QList<QTreeWidgetItem *> rows;
        for (int i = 0; i < count; ++i)
            rows << new QTreeWidgetItem(QStringList{QStringLiteral("/k/%1.txt").arg(i)});
        find<QTreeWidget>("files")->addTopLevelItems(rows);
    }
};

TEST_F(CaptionsTest, EveryLabelShowsItsWholeCaption)
{
    for (const QLabel *label : form->findChildren<QLabel *>())
        expectDrawnWhole(label);
}

TEST_F(CaptionsTest, TheHitCounterGrowsWithItsCountUpToAHundredThousandRows)
{
    auto *label = find<QLabel>("Label7");
    int rows = 0;
    for (const int count : {1, 12, 123, 1234, 12345, 100000}) {
        addUncheckedRows(count - rows);
        rows = count;
        // Deleting the checked rows deletes none here, but writes the counter anew.
        form->AusgewhlteItemslschen1->trigger();
        ASSERT_EQ(label->text(), QStringLiteral("%1 Treffer").arg(count));
        expectDrawnWhole(label);
    }
    find<QTreeWidget>("files")->clear();
    form->AusgewhlteItemslschen1->trigger();
    EXPECT_EQ(label->text(), QStringLiteral("0 Treffer"));
    expectDrawnWhole(label);
}

TEST_F(CaptionsTest, TheSourceCountIsShownWholeUpToAHundredThousandSources)
{
    auto *label = find<QLabel>("Label1");
    corpus.write(QStringLiteral("eins/a.txt"), "a");
    const QString directory = corpus.filePath(QStringLiteral("eins"));
    for (const int count : {1, 12, 1234, 100000}) {
        QStringList earlier;
        for (int i = 1; i < count; ++i)
            earlier << QStringLiteral("/k/%1.txt").arg(i);
        setSources(earlier);
        dialogs->answer(1); // keep the list
        dialogs->answerSourceDirectory(directory);
        click("Button2");
        ASSERT_EQ(label->text(), QStringLiteral("Quelldateien (*.txt) [%1]").arg(count));
        expectDrawnWhole(label);
    }
}

TEST_F(CaptionsTest, BoldCaptionsAreDrawnBoldAndWiderThanRegular)
{
    for (const ControlRow &row : windowControls) {
        if (!row.bold)
            continue;
        const auto *label = find<QLabel>(row.name);
        SCOPED_TRACE(row.name);
        const QFont regular = regularOf(label->font());
        EXPECT_GT(label->fontMetrics().horizontalAdvance(label->text()),
                  QFontMetrics(regular).horizontalAdvance(label->text()));
        // A face that only calls itself bold draws no more ink than the regular one.
        EXPECT_GT(inkOf(label->font(), label->text()), 1.2 * inkOf(regular, label->text()));
    }
}

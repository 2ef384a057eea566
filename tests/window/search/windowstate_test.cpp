#include "../captiontable.h"
#include "window/globals.h"
#include "window/search/laufen.h"
#include "windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace {

struct Caption
{
    const char *name;
    const char *text;
};

} // namespace

TEST_F(WindowTest, OpensWithTheDefaultsOfEveryInput)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(Form1, form);
    // The texts the inputs open with, and which of Suche and Stop shows, are in windowControls.
    EXPECT_TRUE(find<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(find<QComboBox>("antlist")->count(), 3);
    EXPECT_EQ(find<QListWidget>("box")->count(), 0);
    EXPECT_EQ(rowCount(), 0);
    EXPECT_TRUE(find<QTextEdit>("vorschau")->toPlainText().isEmpty());
    for (const char *name : {"bar1", "bar2"}) {
        EXPECT_EQ(find<QProgressBar>(name)->value(), 0) << name;
        EXPECT_EQ(find<QProgressBar>(name)->maximum(), 100) << name;
    }
}

TEST_F(WindowTest, EveryControlCarriesItsNameAndCaption)
{
    for (const ControlRow &row : windowControls) {
        SCOPED_TRACE(row.name);
        const auto *widget = find<QWidget>(row.name);
        EXPECT_TRUE(widget->inherits(row.kind)) << widget->metaObject()->className();
        if (row.caption) {
            EXPECT_EQ(captionOf(widget), QString::fromUtf8(row.caption));
        }
    }

    auto *files = find<QTreeWidget>("files");
    ASSERT_EQ(files->columnCount(), 5);
    const QStringList headers{"File", "f", "%", "fB", "G = f*fK+fB*fBK"};
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(files->headerItem()->text(column), headers[column]);
    EXPECT_NE(find<QWidget>("Panel1"), nullptr);
    EXPECT_EQ(find<QLabel>("Label1")->parentWidget(), find<QWidget>("Panel1"));
    EXPECT_EQ(find<QListWidget>("box")->parentWidget(), find<QWidget>("Panel1"));
    EXPECT_EQ(find<QFileDialog>("savetxtdlg")->windowTitle(),
              QStringLiteral("Dateiliste speichern..."));
}

TEST_F(WindowTest, MenusHoldEveryCommandInOrder)
{
    const Caption popup[] = {
        {"NachFrequenzfsortieren1", "Nach Frequenz (f) sortieren"},
        {"NachProzentsortieren1", "Nach Prozent (%) sortieren"},
        {"Auswhlen1", "Auswählen"},
        {"Lschen1", "Löschen"},
        {"Exportieren1", "Ergebnisse als TXT exportieren"},
    };
    const Caption select[] = {
        {"Allesauswhlen1", "Alles auswählen"},
        {"Nichtsauswhlen1", "Nichts auswählen"},
        {"Auswahlinvertieren1", "Auswahl invertieren"},
        {"AllemitfgreralsXauswhlen1", "Alle mit f größer als X auswählen"},
        {"AllemitgreralsXauswhlen1", "Alle mit % größer als X auswählen"},
        {"AllemitfBgreralsXauswhlen1", "Alle mit fB größer als X auswählen"},
    };
    const Caption remove[] = {
        {"AusgewhlteItemslschen1", "Ausgewählte Items löschen"},
        {"NichtausgewhlteItemslschen1", "Nicht-ausgewählte Items löschen"},
    };
    const Caption sources[] = {
        {"hinzu1", "Texte an bisherige Quellen anfügen"},
        {"extealsneueQuelle1", "Texte als neue Quelle"},
    };
    auto expectMenu = [this](const QMenu *menu, const auto &items) {
        ASSERT_NE(menu, nullptr);
        const QList<QAction *> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
        for (std::size_t i = 0; i < std::size(items); ++i) {
            EXPECT_EQ(actions[i]->objectName(), QLatin1String(items[i].name));
            EXPECT_EQ(actions[i]->text(), QString::fromUtf8(items[i].text));
            EXPECT_EQ(form->findChild<QAction *>(QLatin1String(items[i].name)), actions[i]);
            EXPECT_FALSE(actions[i]->isSeparator());
            EXPECT_TRUE(actions[i]->isEnabled());
        }
    };
    expectMenu(find<QMenu>("PopupMenu1"), popup);
    expectMenu(find<QAction>("Auswhlen1")->menu(), select);
    expectMenu(find<QAction>("Lschen1")->menu(), remove);
    expectMenu(find<QMenu>("AlsQuelldaten"), sources);
}

TEST_F(WindowTest, SearchRunLeavesTheSortStateAlone)
{
    ColumnToSort = 3;
    Accending = true;
    setSources({corpus.write(QStringLiteral("a.txt"), "a\r\n")});
    setDefaultTarget();
    setText("Edit1", QStringLiteral("a"));
    click("Button3");
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(ColumnToSort, 3);
    EXPECT_TRUE(Accending);
}

TEST_F(WindowTest, LaufenSwapsSearchAndStopAndNothingElse)
{
    Laufen(true);
    EXPECT_FALSE(find<QPushButton>("Button3")->isVisible());
    EXPECT_TRUE(find<QPushButton>("Button6")->isVisible());
    for (const char *name : {"Button1", "Button2", "Button4", "Button5", "Button7", "Edit1"})
        EXPECT_TRUE(find<QWidget>(name)->isEnabled() && find<QWidget>(name)->isVisible()) << name;
    Laufen(false);
    EXPECT_TRUE(find<QPushButton>("Button3")->isVisible());
    EXPECT_FALSE(find<QPushButton>("Button6")->isVisible());
}

TEST_F(WindowTest, StopButtonSetsTheStopFlag)
{
    Laufen(true);
    click("Button6");
    EXPECT_TRUE(Stop);
    Laufen(false);
}

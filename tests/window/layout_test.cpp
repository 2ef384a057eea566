#include "windowfixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

namespace {

struct Expected
{
    const char *name;
    QRect rect;
    const char *caption;
    bool bold;
};

// Left, top, width, height of every visible control; labels may be wider or higher where the
// font in use needs it, never narrower.
const Expected controls[] = {
    {"Panel1", {1, 0, 473, 247}, nullptr, false},
    {"Label1", {16, 11, 107, 13}, "Quelldateien (*.txt)", true},
    {"box", {14, 30, 410, 146}, nullptr, false},
    {"Button2", {431, 149, 33, 27}, "[...]", false},
    {"Label4", {16, 189, 90, 13}, "Zielverzeichnis:", true},
    {"zielverz", {15, 208, 410, 25}, "", false},
    {"Button1", {431, 206, 33, 27}, "[...]", false},
    {"Label2", {16, 269, 189, 13}, "Suchstring (zur positiven Suche):", true},
    {"Label14", {211, 269, 13, 13}, "(?)", false},
    {"Edit1", {16, 288, 457, 25}, "", false},
    {"Label9",
     {16, 319, 440, 13},
     "Zugleich auszuschließender Suchstring (Einschränkung der positiven Suche):",
     true},
    {"Label15", {462, 319, 13, 13}, "(?)", false},
    {"edit_ausschl", {16, 338, 457, 25}, "", false},
    {"Label10", {17, 382, 262, 13}, "Suchstring (zur Gewichtung der Textauswahl):", true},
    {"Label16", {285, 382, 13, 13}, "(?)", false},
    {"Edit2", {17, 401, 457, 25}, "", false},
    {"Label11", {190, 432, 57, 13}, "Faktor fK:", true},
    {"Edit3", {253, 429, 73, 21}, "1", false},
    {"Label12", {332, 432, 65, 13}, "Faktor fBK:", true},
    {"Edit4", {403, 429, 71, 21}, "1", false},
    {"RadioButton1", {18, 533, 113, 17}, "Regular Expressions", false},
    {"Label6", {137, 534, 13, 13}, "(?)", false},
    {"RadioButton2", {174, 533, 113, 17}, "Einfache Wortsuche", false},
    {"CheckBox1", {190, 548, 186, 17}, "Groß-/Kleinschreibung ignorieren", false},
    {"Button3", {382, 528, 92, 42}, "Suche", false},
    {"bar1", {17, 576, 456, 9}, nullptr, false},
    {"Label5", {496, 11, 187, 13}, "Vorschau der gefundenen Texte:", true},
    {"Label7", {689, 11, 49, 13}, "0 Treffer", true},
    {"Label17", {957, 11, 13, 13}, "(?)", false},
    {"files", {496, 30, 465, 172}, nullptr, false},
    {"Label3", {496, 220, 95, 13}, "Vorschau (Text):", true},
    {"vorschau", {496, 239, 465, 233}, nullptr, false},
    {"Button7", {496, 480, 233, 41}, "Gefundene Texte als Quelldaten", false},
    {"Button4", {496, 528, 233, 42}, "Gefundene Texte als Subkorpus abspeichern", false},
    {"Button5", {808, 522, 153, 21}, "Export Settingfile für", false},
    {"Label8", {758, 541, 26, 13}, "oder:", false},
    {"antlist", {808, 549, 153, 21}, "AntConc 3.4.1w", false},
    {"bar2", {496, 576, 465, 9}, nullptr, false},
};

QString captionOf(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (auto *list = qobject_cast<const QComboBox *>(widget))
        return list->currentText();
    return {};
}

// Where the caption of a radio button or check box ends: after its indicator and the gap.
int captionEnd(const QAbstractButton *option)
{
    const QStyle *style = option->style();
    const bool radio = qobject_cast<const QRadioButton *>(option);
    const int indicator =
        style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth);
    const int gap = style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing
                                             : QStyle::PM_CheckBoxLabelSpacing);
    return indicator + gap + QFontMetrics(option->font()).horizontalAdvance(option->text());
}

} // namespace

class LayoutTest : public WindowTest
{
};

TEST_F(LayoutTest, EveryVisibleControlStandsAtItsPlaceWithItsCaptionAndWeight)
{
    for (const Expected &expected : controls) {
        SCOPED_TRACE(expected.name);
        auto *widget = find<QWidget>(expected.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->isVisible());
        const QRect actual = widget->geometry();
        EXPECT_EQ(actual.topLeft(), expected.rect.topLeft());
        if (qobject_cast<QLabel *>(widget) && qstrcmp(expected.name, "Label2") != 0) {
            EXPECT_GE(actual.width(), expected.rect.width());
            EXPECT_GE(actual.height(), expected.rect.height());
            EXPECT_GE(actual.width(), widget->sizeHint().width()) << "caption cut off";
        } else {
            EXPECT_EQ(actual.size(), expected.rect.size());
        }
        if (auto *option = qobject_cast<QAbstractButton *>(widget);
            option && !qobject_cast<QPushButton *>(widget)) {
            EXPECT_LE(captionEnd(option), actual.width()) << "caption cut off";
        }
        if (expected.caption) {
            EXPECT_EQ(captionOf(widget), QString::fromUtf8(expected.caption));
        }
        EXPECT_EQ(widget->font().bold(), expected.bold);
        EXPECT_EQ(widget->font().pixelSize(), 11);
    }
}

TEST_F(LayoutTest, TheFrameIsFixedCentredAndCarriesTheCaption)
{
    EXPECT_EQ(form->size(), QSize(978, 600));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral(
                  "QVX - Subkorpusbildung auf Basis von TXT-Verzeichnissen (v. " QVX_VERSION_TEXT
                  ")"));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    const QRect screen = form->screen()->availableGeometry();
    // The platform adds its frame only once the window is shown, which shifts the centre by
    // half the frame.
    EXPECT_LE((form->frameGeometry().center() - screen.center()).manhattanLength(), 4);
    EXPECT_EQ(form->palette().color(QPalette::Window), form->palette().color(QPalette::Button));
}

TEST_F(LayoutTest, CaptionColoursAndTheSharedPlaceOfSearchAndStop)
{
    const auto textColour = [this](const char *name) {
        return find<QWidget>(name)->palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(textColour("Label2"), QColor(255, 0, 0));
    for (const char *help : {"Label6", "Label14", "Label15", "Label16", "Label17"})
        EXPECT_EQ(textColour(help), QColor(128, 128, 128)) << help;
    EXPECT_EQ(textColour("Label10"), form->palette().color(QPalette::Highlight));
    EXPECT_EQ(find<QWidget>("Button6")->geometry(), find<QWidget>("Button3")->geometry());
    EXPECT_FALSE(find<QWidget>("Button6")->isVisible());
}

TEST_F(LayoutTest, TheFileColumnTakesWhatTheNumberColumnsLeave)
{
    auto *list = find<QTreeWidget>("files");
    const QHeaderView *header = list->header();
    EXPECT_EQ(header->sectionSize(1), 40);
    EXPECT_EQ(header->sectionSize(2), 40);
    EXPECT_EQ(header->sectionSize(3), 40);
    EXPECT_EQ(header->sectionSize(4), 50);
    EXPECT_EQ(header->length(), list->viewport()->width());
}

TEST_F(LayoutTest, NumberColumnsWidenByDraggingTheirDividerAndCutCellsShowTheirText)
{
    auto *list = find<QTreeWidget>("files");
    QHeaderView *header = list->header();
    auto *row = new QTreeWidgetItem(QStringList{QStringLiteral("/k/a.txt"), QStringLiteral("2"),
                                                QStringLiteral("0,543478260869565"),
                                                QStringLiteral("4"), QStringLiteral("6")});
    list->addTopLevelItem(row);
    const QString tooltipAt2 = [&] {
        const QRect cell = list->visualRect(list->model()->index(0, 2));
        QHelpEvent event(QEvent::ToolTip, cell.center(),
                         list->viewport()->mapToGlobal(cell.center()));
        QCoreApplication::sendEvent(list->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }();
    EXPECT_EQ(tooltipAt2, QStringLiteral("0,543478260869565"));

    // Drag the divider at the right end of "%" 100 pixels to the right.
    QWidget *handle = header->viewport();
    const int divider = header->sectionViewportPosition(3) - 1;
    const int middle = header->height() / 2;
    const auto send = [&](QEvent::Type type, int x, Qt::MouseButton button,
                          Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(x, middle), handle->mapToGlobal(QPointF(x, middle)), button,
                          buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, divider, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, divider + 50, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, divider + 100, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, divider + 100, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(header->sectionSize(2), 140);
    EXPECT_EQ(header->length(), list->viewport()->width());

    // Now the cell shows its whole text and has no tooltip.
    const QRect cell = list->visualRect(list->model()->index(0, 2));
    QHelpEvent event(QEvent::ToolTip, cell.center(), list->viewport()->mapToGlobal(cell.center()));
    QCoreApplication::sendEvent(list->viewport(), &event);
    EXPECT_FALSE(QToolTip::isVisible() && QToolTip::text() == tooltipAt2);
}

TEST_F(LayoutTest, ThePanelLiesBehindTheTargetControls)
{
    const QObjectList &children = form->children();
    const auto index = [&](const char *name) { return children.indexOf(find<QWidget>(name)); };
    for (const char *over : {"Label4", "zielverz", "Button1", "Button2"})
        EXPECT_LT(index("Panel1"), index(over)) << over;
}

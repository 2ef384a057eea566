#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QString>
#include <QWidget>

// One row per control of the window as it opens: its class, place, caption and weight.
struct ControlRow
{
    const char *name;
    // The control is a widget of this class or of one derived from it.
    const char *kind;
    // Left, top, width, height; labels may be wider or higher where the font in use needs it,
    // never narrower.
    QRect rect;
    // The text it shows; nullptr for a control without one.
    const char *caption;
    bool bold;
    bool shownAtStart = true;
};

inline const ControlRow windowControls[] = {
    {"Panel1", "QFrame", {1, 0, 473, 247}, nullptr, false},
    {"Label1", "QLabel", {16, 11, 107, 13}, "Quelldateien (*.txt)", true},
    {"box", "QListWidget", {14, 30, 410, 146}, nullptr, false},
    {"Button2", "QPushButton", {431, 149, 33, 27}, "[...]", false},
    {"Label4", "QLabel", {16, 189, 90, 13}, "Zielverzeichnis:", true},
    {"zielverz", "QLineEdit", {15, 208, 410, 25}, "", false},
    {"Button1", "QPushButton", {431, 206, 33, 27}, "[...]", false},
    {"Label2", "QLabel", {16, 269, 189, 13}, "Suchstring (zur positiven Suche):", true},
    {"Label14", "QLabel", {211, 269, 13, 13}, "(?)", false},
    {"Edit1", "QLineEdit", {16, 288, 457, 25}, "", false},
    {"Label9",
     "QLabel",
     {16, 319, 440, 13},
     "Zugleich auszuschließender Suchstring (Einschränkung der positiven Suche):",
     true},
    {"Label15", "QLabel", {462, 319, 13, 13}, "(?)", false},
    {"edit_ausschl", "QLineEdit", {16, 338, 457, 25}, "", false},
    {"Label10", "QLabel", {17, 382, 262, 13}, "Suchstring (zur Gewichtung der Textauswahl):", true},
    {"Label16", "QLabel", {285, 382, 13, 13}, "(?)", false},
    {"Edit2", "QLineEdit", {17, 401, 457, 25}, "", false},
    {"Label11", "QLabel", {190, 432, 57, 13}, "Faktor fK:", true},
    {"Edit3", "QLineEdit", {253, 429, 73, 21}, "1", false},
    {"Label12", "QLabel", {332, 432, 65, 13}, "Faktor fBK:", true},
    {"Edit4", "QLineEdit", {403, 429, 71, 21}, "1", false},
    {"RadioButton1", "QRadioButton", {18, 533, 113, 17}, "Regular Expressions", false},
    {"Label6", "QLabel", {137, 534, 13, 13}, "(?)", false},
    {"RadioButton2", "QRadioButton", {174, 533, 113, 17}, "Einfache Wortsuche", false},
    {"CheckBox1", "QCheckBox", {190, 548, 186, 17}, "Groß-/Kleinschreibung ignorieren", false},
    {"Button3", "QPushButton", {382, 528, 92, 42}, "Suche", false},
    // "Stop" takes the place of "Suche" while a search runs.
    {"Button6", "QPushButton", {382, 528, 92, 42}, "Stop", false, false},
    {"bar1", "QProgressBar", {17, 576, 456, 9}, nullptr, false},
    {"Label5", "QLabel", {496, 11, 187, 13}, "Vorschau der gefundenen Texte:", true},
    {"Label7", "QLabel", {689, 11, 49, 13}, "0 Treffer", true},
    {"Label17", "QLabel", {957, 11, 13, 13}, "(?)", false},
    {"files", "QTreeWidget", {496, 30, 465, 172}, nullptr, false},
    {"Label3", "QLabel", {496, 220, 95, 13}, "Vorschau (Text):", true},
    {"vorschau", "QTextEdit", {496, 239, 465, 233}, nullptr, false},
    {"Button7", "QPushButton", {496, 480, 233, 41}, "Gefundene Texte als Quelldaten", false},
    {"Button4",
     "QPushButton",
     {496, 528, 233, 42},
     "Gefundene Texte als Subkorpus abspeichern",
     false},
    {"Button5", "QPushButton", {808, 522, 153, 21}, "Export Settingfile für", false},
    {"Label8", "QLabel", {758, 541, 26, 13}, "oder:", false},
    {"antlist", "QComboBox", {808, 549, 153, 21}, "AntConc 3.4.1w", false},
    {"bar2", "QProgressBar", {496, 576, 465, 9}, nullptr, false},
};

// The text a control shows: a label's or button's caption, an edit's text, a list's choice.
inline QString captionOf(const QWidget *widget)
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

#include "window/tform1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

template <typename T, typename... Args> T *named(QWidget *parent, const char *name, Args &&...args)
{
    auto *widget = new T(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QAction *namedAction(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu *namedSubmenu(QMenu *menu, const char *name, const QString &caption)
{
    QMenu *submenu = menu->addMenu(caption);
    submenu->menuAction()->setObjectName(QLatin1String(name));
    return submenu;
}

QProgressBar *progressBar(QWidget *parent, const char *name)
{
    auto *bar = named<QProgressBar>(parent, name);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

} // namespace

void TForm1::createControls()
{
    createSourceControls();
    createSearchControls();
    createResultControls();
    createOutputControls();
    createHelpLabels();
}

void TForm1::createSourceControls()
{
    Panel1 = named<QFrame>(this, "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1 = named<QLabel>(Panel1, "Label1", QStringLiteral("Quelldateien (*.txt)"));
    box = named<QListWidget>(Panel1, "box");
    box->setSelectionMode(QAbstractItemView::SingleSelection);
    box->setUniformItemSizes(true);
    Button2 = named<QPushButton>(this, "Button2", QStringLiteral("[...]"));
    Label4 = named<QLabel>(this, "Label4", QStringLiteral("Zielverzeichnis:"));
    zielverz = named<QLineEdit>(this, "zielverz");
    Button1 = named<QPushButton>(this, "Button1", QStringLiteral("[...]"));
}

void TForm1::createSearchControls()
{
    Label2 = named<QLabel>(this, "Label2", QStringLiteral("Suchstring (zur positiven Suche):"));
    Edit1 = named<QLineEdit>(this, "Edit1");
    Label9 = named<QLabel>(
        this, "Label9",
        QStringLiteral(
            "Zugleich auszuschließender Suchstring (Einschränkung der positiven Suche):"));
    edit_ausschl = named<QLineEdit>(this, "edit_ausschl");
    Label10 = named<QLabel>(this, "Label10",
                            QStringLiteral("Suchstring (zur Gewichtung der Textauswahl):"));
    Edit2 = named<QLineEdit>(this, "Edit2");
    Label11 = named<QLabel>(this, "Label11", QStringLiteral("Faktor fK:"));
    Edit3 = named<QLineEdit>(this, "Edit3", QStringLiteral("1"));
    Label12 = named<QLabel>(this, "Label12", QStringLiteral("Faktor fBK:"));
    Edit4 = named<QLineEdit>(this, "Edit4", QStringLiteral("1"));
    RadioButton1 = named<QRadioButton>(this, "RadioButton1", QStringLiteral("Regular Expressions"));
    RadioButton1->setChecked(true);
    RadioButton2 = named<QRadioButton>(this, "RadioButton2", QStringLiteral("Einfache Wortsuche"));
    CheckBox1 =
        named<QCheckBox>(this, "CheckBox1", QStringLiteral("Groß-/Kleinschreibung ignorieren"));
    Button3 = named<QPushButton>(this, "Button3", QStringLiteral("Suche"));
    Button6 = named<QPushButton>(this, "Button6", QStringLiteral("Stop"));
    Button6->setVisible(false);
    bar1 = progressBar(this, "bar1");
}

void TForm1::createResultControls()
{
    Label5 = named<QLabel>(this, "Label5", QStringLiteral("Vorschau der gefundenen Texte:"));
    Label7 = named<QLabel>(this, "Label7", QStringLiteral("0 Treffer"));
    files = named<QTreeWidget>(this, "files");
    files->setColumnCount(5);
    files->setHeaderLabels({QStringLiteral("File"), QStringLiteral("f"), QStringLiteral("%"),
                            QStringLiteral("fB"), QStringLiteral("G = f*fK+fB*fBK")});
    files->setRootIsDecorated(false);
    files->setUniformRowHeights(true);
    files->setSortingEnabled(false);
    files->setSelectionMode(QAbstractItemView::SingleSelection);
    files->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Label3 = named<QLabel>(this, "Label3", QStringLiteral("Vorschau (Text):"));
    vorschau = named<QTextEdit>(this, "vorschau");
    vorschau->setLineWrapMode(QTextEdit::WidgetWidth);
    vorschau->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vorschau->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label17 = named<QLabel>(this, "Label17", QStringLiteral("(?)"));
}

void TForm1::createOutputControls()
{
    Button4 = named<QPushButton>(this, "Button4",
                                 QStringLiteral("Gefundene Texte als Subkorpus abspeichern"));
    bar2 = progressBar(this, "bar2");
    Label8 = named<QLabel>(this, "Label8", QStringLiteral("oder:"));
    Button5 = named<QPushButton>(this, "Button5", QStringLiteral("Export Settingfile für"));
    antlist = named<QComboBox>(this, "antlist");
    antlist->addItems({QStringLiteral("AntConc 3.4.1w"), QStringLiteral("AntConc 3.2.4w"),
                       QStringLiteral("AntConc 3.2.4m")});
    Button7 = named<QPushButton>(this, "Button7", QStringLiteral("Gefundene Texte als Quelldaten"));

    savetxtdlg = createSaveTextDialog();
    savetxtdlg->setObjectName(QStringLiteral("savetxtdlg"));
    savetxtdlg->setWindowTitle(QStringLiteral("Dateiliste speichern..."));
    savetxtdlg->setAcceptMode(QFileDialog::AcceptSave);
    savetxtdlg->setFileMode(QFileDialog::AnyFile);
    savetxtdlg->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    savetxtdlg->setNameFilter(QStringLiteral("*.txt"));
    savetxtdlg->setDefaultSuffix(QStringLiteral("txt"));
    savetxtdlg->selectFile(QStringLiteral("QVX-Subkorpus-Filelist-Export.txt"));
}

void TForm1::createHelpLabels()
{
    Label14 = named<QLabel>(this, "Label14", QStringLiteral("(?)"));
    Label15 = named<QLabel>(this, "Label15", QStringLiteral("(?)"));
    Label16 = named<QLabel>(this, "Label16", QStringLiteral("(?)"));
    Label6 = named<QLabel>(this, "Label6", QStringLiteral("(?)"));
}

void TForm1::createMenus()
{
    PopupMenu1 = named<QMenu>(this, "PopupMenu1");
    NachFrequenzfsortieren1 = namedAction(PopupMenu1, "NachFrequenzfsortieren1",
                                          QStringLiteral("Nach Frequenz (f) sortieren"));
    NachProzentsortieren1 = namedAction(PopupMenu1, "NachProzentsortieren1",
                                        QStringLiteral("Nach Prozent (%) sortieren"));
    QMenu *select = namedSubmenu(PopupMenu1, "Auswhlen1", QStringLiteral("Auswählen"));
    Auswhlen1 = select->menuAction();
    Allesauswhlen1 = namedAction(select, "Allesauswhlen1", QStringLiteral("Alles auswählen"));
    Nichtsauswhlen1 = namedAction(select, "Nichtsauswhlen1", QStringLiteral("Nichts auswählen"));
    Auswahlinvertieren1 =
        namedAction(select, "Auswahlinvertieren1", QStringLiteral("Auswahl invertieren"));
    AllemitfgreralsXauswhlen1 = namedAction(select, "AllemitfgreralsXauswhlen1",
                                            QStringLiteral("Alle mit f größer als X auswählen"));
    AllemitgreralsXauswhlen1 = namedAction(select, "AllemitgreralsXauswhlen1",
                                           QStringLiteral("Alle mit % größer als X auswählen"));
    AllemitfBgreralsXauswhlen1 = namedAction(select, "AllemitfBgreralsXauswhlen1",
                                             QStringLiteral("Alle mit fB größer als X auswählen"));
    QMenu *remove = namedSubmenu(PopupMenu1, "Lschen1", QStringLiteral("Löschen"));
    Lschen1 = remove->menuAction();
    AusgewhlteItemslschen1 =
        namedAction(remove, "AusgewhlteItemslschen1", QStringLiteral("Ausgewählte Items löschen"));
    NichtausgewhlteItemslschen1 = namedAction(remove, "NichtausgewhlteItemslschen1",
                                              QStringLiteral("Nicht-ausgewählte Items löschen"));
    Exportieren1 =
        namedAction(PopupMenu1, "Exportieren1", QStringLiteral("Ergebnisse als TXT exportieren"));

    AlsQuelldaten = named<QMenu>(this, "AlsQuelldaten");
    hinzu1 =
        namedAction(AlsQuelldaten, "hinzu1", QStringLiteral("Texte an bisherige Quellen anfügen"));
    extealsneueQuelle1 =
        namedAction(AlsQuelldaten, "extealsneueQuelle1", QStringLiteral("Texte als neue Quelle"));

    PopupMenu2 = named<QMenu>(this, "PopupMenu2");
    GefundeneTextemitProtokollabspeichern1 =
        namedAction(PopupMenu2, "GefundeneTextemitProtokollabspeichern1",
                    QStringLiteral("Gefundene Texte mit Protokoll abspeichern"));
}

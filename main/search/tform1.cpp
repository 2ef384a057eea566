#include "search/tform1.h"

#include "search/globals.h"
#include "search/laufen.h"
#include "window/errorhandler.h"
#include "window/qtdialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

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

TForm1::TForm1(std::unique_ptr<Dialogs> dialogs, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>())
{
    // As with the toolkit's form creation, the global refers to the window before its
    // construction handler runs.
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(
        QStringLiteral("QVX - Subkorpusbildung auf Basis von TXT-Verzeichnissen (v. 3.4)"));
    createControls();
    createMenus();
    arrangeControls();
    connectHandlers();
    FormCreate(this);
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::createControls()
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

    Button4 = named<QPushButton>(this, "Button4",
                                 QStringLiteral("Gefundene Texte als Subkorpus abspeichern"));
    bar2 = progressBar(this, "bar2");
    Label8 = named<QLabel>(this, "Label8", QStringLiteral("oder:"));
    Button5 = named<QPushButton>(this, "Button5", QStringLiteral("Export Settingfile für"));
    antlist = named<QComboBox>(this, "antlist");
    antlist->addItems({QStringLiteral("AntConc 3.4.1w"), QStringLiteral("AntConc 3.2.4w"),
                       QStringLiteral("AntConc 3.2.4m")});
    Button7 = named<QPushButton>(this, "Button7", QStringLiteral("Gefundene Texte als Quelldaten"));

    savetxtdlg = named<QFileDialog>(this, "savetxtdlg");
    savetxtdlg->setWindowTitle(QStringLiteral("Dateiliste speichern..."));
    savetxtdlg->setAcceptMode(QFileDialog::AcceptSave);
    savetxtdlg->setFileMode(QFileDialog::AnyFile);
    savetxtdlg->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    savetxtdlg->setNameFilter(QStringLiteral("*.txt"));
    savetxtdlg->setDefaultSuffix(QStringLiteral("txt"));
    savetxtdlg->selectFile(QStringLiteral("QVX-Subkorpus-Filelist-Export.txt"));

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
}

// A plain two-column arrangement of the controls.
void TForm1::arrangeControls()
{
    auto *sources = new QVBoxLayout(Panel1);
    sources->addWidget(Label1);
    sources->addWidget(box);

    auto *left = new QVBoxLayout;
    left->addWidget(Panel1, 1);
    for (QWidget *w : {static_cast<QWidget *>(Button2), static_cast<QWidget *>(Label4),
                       static_cast<QWidget *>(zielverz), static_cast<QWidget *>(Button1)})
        left->addWidget(w);
    auto *search = new QHBoxLayout;
    search->addWidget(Label2);
    search->addWidget(Label14);
    left->addLayout(search);
    left->addWidget(Edit1);
    auto *exclusion = new QHBoxLayout;
    exclusion->addWidget(Label9);
    exclusion->addWidget(Label15);
    left->addLayout(exclusion);
    left->addWidget(edit_ausschl);
    auto *weighting = new QHBoxLayout;
    weighting->addWidget(Label10);
    weighting->addWidget(Label16);
    left->addLayout(weighting);
    left->addWidget(Edit2);
    auto *factors = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(Label11), static_cast<QWidget *>(Edit3),
                       static_cast<QWidget *>(Label12), static_cast<QWidget *>(Edit4)})
        factors->addWidget(w);
    left->addLayout(factors);
    auto *mode = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(RadioButton1), static_cast<QWidget *>(Label6),
                       static_cast<QWidget *>(RadioButton2), static_cast<QWidget *>(CheckBox1),
                       static_cast<QWidget *>(Button3), static_cast<QWidget *>(Button6)})
        mode->addWidget(w);
    left->addLayout(mode);
    left->addWidget(bar1);

    auto *right = new QVBoxLayout;
    auto *heading = new QHBoxLayout;
    heading->addWidget(Label5);
    heading->addWidget(Label7);
    heading->addStretch();
    heading->addWidget(Label17);
    right->addLayout(heading);
    right->addWidget(files, 1);
    right->addWidget(Label3);
    right->addWidget(vorschau, 1);
    auto *outputs = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(Button7), static_cast<QWidget *>(Button4),
                       static_cast<QWidget *>(Label8), static_cast<QWidget *>(Button5),
                       static_cast<QWidget *>(antlist)})
        outputs->addWidget(w);
    right->addLayout(outputs);
    right->addWidget(bar2);

    auto *columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
}

template <typename Body> void TForm1::handle(Body body) noexcept
{
    try {
        body();
    } catch (...) {
        showDefaultError(*m_dialogs, this, describeCurrentException());
    }
}

void TForm1::onClick(QPushButton *button, void (TForm1::*handler)(QObject *))
{
    connect(button, &QPushButton::clicked, this,
            [this, button, handler] { handle([&] { (this->*handler)(button); }); });
}

void TForm1::connectHandlers()
{
    onClick(Button3, &TForm1::Button3Click);
    onClick(Button6, &TForm1::Button6Click);
}

void TForm1::FormCreate(QObject * /*Sender*/)
{
    antlist->setCurrentIndex(0);
}

void TForm1::FormClose(QObject * /*Sender*/)
{
    delete aform.data();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing ends the program, so a running search must not go on over an invisible window.
    if (Button6->isVisible()) {
        m_closing = true;
        Stop = true;
    }
    handle([this] { FormClose(this); });
    QWidget::closeEvent(event);
}

void TForm1::Button6Click(QObject * /*Sender*/)
{
    Stop = true;
}

#pragma once

#include "text/sourceencoding.h"
#include "window/dialogs.h"
#include "window/search/utf8hint.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

class QAction;
class EventPoints;
class FileChangingEvents;
class HeldRows;
class SearchTurns;
class RowDisposal;
class SourceEntries;
struct ProtocolText;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The main window. Its controls carry their names as objectName; its handlers are named after
// the control and the event and are spread over the source folders of the subsystems.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // dialogs: the seam for modal interactions; nullptr gives Qt's own dialogs.
    explicit TForm1(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget *parent = nullptr);
    ~TForm1() override;

    Dialogs &dialogs() { return *m_dialogs; }

    // After a search run: the note on texts in UTF-8 read as Windows-1252, once for a source
    // list.
    void noteUtf8AsWindows1252();
    // Appends row to the result list; while a search run lasts, to the rows it holds back.
    void appendResultRow(QTreeWidgetItem *row);

    // Sources and target directory
    QFrame *Panel1;       // the frame around the source list
    QLabel *Label1;       // "Quelldateien (*.txt)", with the count once texts are listed
    QListWidget *box;     // the source list
    QPushButton *Button2; // "[...]" beside the source list
    QLabel *Label4;       // "Zielverzeichnis:"
    QLineEdit *zielverz;  // the target directory
    QPushButton *Button1; // "[...]" beside the target directory

    // Search input
    QLabel *Label2;             // "Suchstring (zur positiven Suche):"
    QLineEdit *Edit1;           // the search string
    QLabel *Label9;             // "Zugleich auszuschließender Suchstring (…):"
    QLineEdit *edit_ausschl;    // the exclusion string
    QLabel *Label10;            // "Suchstring (zur Gewichtung der Textauswahl):"
    QLineEdit *Edit2;           // the weighting string
    QLabel *Label11;            // "Faktor fK:"
    QLineEdit *Edit3;           // fK
    QLabel *Label12;            // "Faktor fBK:"
    QLineEdit *Edit4;           // fBK
    QRadioButton *RadioButton1; // "Regular Expressions"
    QRadioButton *RadioButton2; // "Einfache Wortsuche"
    QCheckBox *CheckBox1;       // "Groß-/Kleinschreibung ignorieren"
    QPushButton *Button3;       // "Suche"
    QPushButton *Button6;       // "Stop", shown instead of Button3 while a search runs
    QProgressBar *bar1;         // the search's progress

    // Results and preview
    QLabel *Label5;      // "Vorschau der gefundenen Texte:"
    QLabel *Label7;      // the hit counter, "0 Treffer"
    QTreeWidget *files;  // the result list: File, f, %, fB, G = f*fK+fB*fBK
    QLabel *Label3;      // "Vorschau (Text):"
    QTextEdit *vorschau; // the preview
    QLabel *Label17;     // "(?)" beside the preview

    // Output commands
    QPushButton *Button4;    // "Gefundene Texte als Subkorpus abspeichern"
    QProgressBar *bar2;      // the saving's progress
    QLabel *Label8;          // "oder:"
    QPushButton *Button5;    // "Export Settingfile für"
    QComboBox *antlist;      // the AntConc versions
    QPushButton *Button7;    // "Gefundene Texte als Quelldaten"
    QFileDialog *savetxtdlg; // "Dateiliste speichern..."

    // Menus
    QMenu *PopupMenu1;                    // the result list's context menu
    QAction *NachFrequenzfsortieren1;     // "Nach Frequenz (f) sortieren"
    QAction *NachProzentsortieren1;       // "Nach Prozent (%) sortieren"
    QAction *Auswhlen1;                   // "Auswählen"
    QAction *Allesauswhlen1;              // "Alles auswählen"
    QAction *Nichtsauswhlen1;             // "Nichts auswählen"
    QAction *Auswahlinvertieren1;         // "Auswahl invertieren"
    QAction *AllemitfgreralsXauswhlen1;   // "Alle mit f größer als X auswählen"
    QAction *AllemitgreralsXauswhlen1;    // "Alle mit % größer als X auswählen"
    QAction *AllemitfBgreralsXauswhlen1;  // "Alle mit fB größer als X auswählen"
    QAction *Lschen1;                     // "Löschen"
    QAction *AusgewhlteItemslschen1;      // "Ausgewählte Items löschen"
    QAction *NichtausgewhlteItemslschen1; // "Nicht-ausgewählte Items löschen"
    QAction *Exportieren1;                // "Ergebnisse als TXT exportieren"
    QMenu *AlsQuelldaten;                 // Button7's menu
    QAction *hinzu1;                      // "Texte an bisherige Quellen anfügen"
    QAction *extealsneueQuelle1;          // "Texte als neue Quelle"

    // Button4's context menu and its "Gefundene Texte mit Protokoll abspeichern"
    QMenu *PopupMenu2;
    QAction *GefundeneTextemitProtokollabspeichern1;

    // Help
    QLabel *Label14; // "(?)"
    QLabel *Label15; // "(?)"
    QLabel *Label16; // "(?)"
    QLabel *Label6;  // "(?)"

    // Window state (window/) and search (search/)
    void FormCreate(QObject *Sender);
    void FormClose(QObject *Sender);
    void Button3Click(QObject *Sender);
    void Button6Click(QObject *Sender);

    // Result list handling (results/)
    void filesColumnClick(QObject *Sender, int Column);
    void NachFrequenzfsortieren1Click(QObject *Sender);
    void NachProzentsortieren1Click(QObject *Sender);
    // Compare < 0: Item1 goes above Item2, by ColumnToSort in the direction of Accending. A sort
    // orders the rows exactly as a merge sort with this comparison would, but reads each cell
    // only once.
    void filesCompare(QObject *Sender, QTreeWidgetItem *Item1, QTreeWidgetItem *Item2, qint32 Data,
                      qint32 &Compare);
    void Allesauswhlen1Click(QObject *Sender);
    void Nichtsauswhlen1Click(QObject *Sender);
    void Auswahlinvertieren1Click(QObject *Sender);
    void AllemitfgreralsXauswhlen1Click(QObject *Sender);
    void AllemitgreralsXauswhlen1Click(QObject *Sender);
    void AllemitfBgreralsXauswhlen1Click(QObject *Sender);
    void AusgewhlteItemslschen1Click(QObject *Sender);
    void NichtausgewhlteItemslschen1Click(QObject *Sender);
    void Exportieren1Click(QObject *Sender);

    // Sources and subcorpus output (sources/)
    void Button2Click(QObject *Sender);
    void Button7Click(QObject *Sender);
    void hinzu1Click(QObject *Sender);
    void extealsneueQuelle1Click(QObject *Sender);
    void Button1Click(QObject *Sender);
    void Button4Click(QObject *Sender);
    // The same save, followed by the record of the subcorpus beside the copies.
    void GefundeneTextemitProtokollabspeichern1Click(QObject *Sender);

    // Preview (preview/)
    void filesClick(QObject *Sender);
    void filesKeyUp(QObject *Sender, int Key, Qt::KeyboardModifiers Shift);

    // AntConc settings export (antconc/)
    void Button5Click(QObject *Sender);

    // Main window and help (window/)
    void Label6Click(QObject *Sender);
    void Label14Click(QObject *Sender);
    void Label15Click(QObject *Sender);
    void Label16Click(QObject *Sender);
    void Label17Click(QObject *Sender);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Building the window and wiring its handlers (window/)
    void createControls();
    void createSourceControls();
    void createSearchControls();
    void createResultControls();
    void createOutputControls();
    void createHelpLabels();
    void createMenus();
    void arrangeControls();
    void connectHandlers();

    // Runs a handler; whatever it throws reaches the default error handler, never the event loop.
    template <typename Body> void handle(Body body) noexcept;
    void onClick(QPushButton *button, void (TForm1::*handler)(QObject *));
    void onTriggered(QAction *action, void (TForm1::*handler)(QObject *));

    // While the checked texts are being copied, commands that would remove or reorder result
    // rows are refused with a message, so that the copy loop never meets a row that has gone.
    // Returns true when the caller must not go on.
    bool refuseWhileSaving();

    // The search run (search/); showHitCount is the window's (window/).
    // The search run's loop over the source list, shared by both modes.
    void scanSources(SearchTurns &turns, const SourceEntries &entries, EventPoints &eventPoints,
                     FileChangingEvents &fileChangingEvents);
    // Writes the number of result rows into the hit counter Label7.
    void showHitCount();

    std::unique_ptr<Dialogs> m_dialogs;
    QPointer<QWidget> aform;
    // The window was closed while a search ran or the checked texts were copied: the run ends
    // without its "stopped" message, the copying after the file in progress.
    bool m_closing = false;
    // The checked texts are being copied into the target directory.
    bool m_saving = false;
    // While a search run lasts, the rows it found that the result list does not hold yet.
    HeldRows *m_heldRows = nullptr;
    // The source list's entries as the runs read them; a child of the window.
    SourceEntries *m_sourceEntries = nullptr;
    // The rows of earlier searches, deleted bit by bit; a child of the window.
    RowDisposal *m_rowDisposal = nullptr;
    Utf8Hint m_utf8Hint;

    // Result list handling (results/)
    // Paints the cells of files in the colours of their columns.
    void installResultDelegate();
    // The save dialog of the table export, which refuses a file in a missing directory.
    QFileDialog *createSaveTextDialog();
    // Sorts all rows by column in the order that filesCompare gives, then flips Accending.
    void sortFiles(qint32 column);
    // Makes rows, in this order, the whole content of files; the highlighted row stays
    // highlighted if it is among them.
    void putRows(const QList<QTreeWidgetItem *> &rows);
    // Deletes the checked rows (or the unchecked ones) and rewrites the hit counter.
    void deleteRows(bool checked);

    // Sources and subcorpus output (sources/)
    // The chooser, which stays open while the user declines to create a name that does not
    // exist.
    // Returns the chosen directory as an absolute clean path, or the empty text on cancel; the
    // chooser's other choices go to options.
    QString askSourceDirectory(SourceDirectoryOptions &options);
    // The encoding last chosen in the chooser, which it offers first the next time.
    SourceEncoding m_sourceEncoding = SourceEncoding::Windows1252;
    // Opens AlsQuelldaten with its top left corner at screenPos.
    void popupAlsQuelldaten(const QPoint &screenPos);

    // The checks that saving and the settings export share, then the one-level creation of the
    // target directory named in zielverz. Shows the box and returns false when the caller must
    // stop: saving still runs, no result rows, an empty target, a target that exists or cannot
    // be created.
    bool prepareTargetDirectory();
    // Saving's checks, the target directory and the copies of the checked texts, each copied one
    // appended to copied when given. Returns the directory it created once every row is done,
    // nothing when saving stopped before.
    std::optional<QString> saveCheckedTexts(QList<ProtocolText> *copied);

    // Main window and help (window/)
    void setupFrame();
    void arrangeResultColumns();
    void setupKeyboard();
    void onLabelClick(QLabel *label, void (TForm1::*handler)(QObject *));
};

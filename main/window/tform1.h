#pragma once

#include "window/dialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class QAction;
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

    // Sources and target directory
    QFrame *Panel1;
    QLabel *Label1;
    QListWidget *box;
    QPushButton *Button2;
    QLabel *Label4;
    QLineEdit *zielverz;
    QPushButton *Button1;

    // Search input
    QLabel *Label2;
    QLineEdit *Edit1;
    QLabel *Label9;
    QLineEdit *edit_ausschl;
    QLabel *Label10;
    QLineEdit *Edit2;
    QLabel *Label11;
    QLineEdit *Edit3;
    QLabel *Label12;
    QLineEdit *Edit4;
    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
    QCheckBox *CheckBox1;
    QPushButton *Button3;
    QPushButton *Button6;
    QProgressBar *bar1;

    // Results and preview
    QLabel *Label5;
    QLabel *Label7;
    QTreeWidget *files;
    QLabel *Label3;
    QTextEdit *vorschau;
    QLabel *Label17;

    // Output commands
    QPushButton *Button4;
    QProgressBar *bar2;
    QLabel *Label8;
    QPushButton *Button5;
    QComboBox *antlist;
    QPushButton *Button7;
    QFileDialog *savetxtdlg;

    // Menus
    QMenu *PopupMenu1;
    QAction *NachFrequenzfsortieren1;
    QAction *NachProzentsortieren1;
    QAction *Auswhlen1;
    QAction *Allesauswhlen1;
    QAction *Nichtsauswhlen1;
    QAction *Auswahlinvertieren1;
    QAction *AllemitfgreralsXauswhlen1;
    QAction *AllemitgreralsXauswhlen1;
    QAction *AllemitfBgreralsXauswhlen1;
    QAction *Lschen1;
    QAction *AusgewhlteItemslschen1;
    QAction *NichtausgewhlteItemslschen1;
    QAction *Exportieren1;
    QMenu *AlsQuelldaten;
    QAction *hinzu1;
    QAction *extealsneueQuelle1;

    // Help
    QLabel *Label14;
    QLabel *Label15;
    QLabel *Label16;
    QLabel *Label6;

    // Window state and search
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

    // The search run's loop over the source list, shared by both modes.
    template <typename PerFile> void scanSources(PerFile perFile);
    void addResultRow(const QString &path, qint32 f, double proz, qint32 fB);
    // Writes the number of result rows into the hit counter Label7.
    void showHitCount();

    std::unique_ptr<Dialogs> m_dialogs;
    QPointer<QWidget> aform;
    // The window was closed while a search ran: the run ends without its "stopped" message.
    bool m_closing = false;
    // The checked texts are being copied into the target directory.
    bool m_saving = false;
    // The search run added rows that the hit counter does not show yet.
    bool m_hitCountBehind = false;

    // Result list handling (results/)
    // Paints the cells of files in the colours of their columns.
    void installResultDelegate();
    // Sorts all rows by column in the order that filesCompare gives, then flips Accending.
    void sortFiles(qint32 column);
    // Makes rows, in this order, the whole content of files; the highlighted row stays
    // highlighted if it is among them.
    void putRows(const QList<QTreeWidgetItem *> &rows);
    // Deletes the checked rows (or the unchecked ones) and rewrites the hit counter.
    void deleteRows(bool checked);

    // Sources and subcorpus output (sources/)

    // The chooser, repeated while the user declines to create a name that does not exist.
    // Returns the chosen directory as an absolute clean path, or the empty text on cancel.
    QString askSourceDirectory();
    // Opens AlsQuelldaten with its top left corner at screenPos.
    void popupAlsQuelldaten(const QPoint &screenPos);

    // The checks that saving and the settings export share, then the one-level creation of the
    // target directory named in zielverz. Shows the box and returns false when the caller must
    // stop: saving still runs, no result rows, an empty target, a target that exists or cannot
    // be created.
    bool prepareTargetDirectory();

    // Preview (preview/)

    // AntConc settings export (antconc/)

    // Main window and help (window/)
    void setupFrame();
    void arrangeResultColumns();
    void setupKeyboard();
    void onLabelClick(QLabel *label, void (TForm1::*handler)(QObject *));
};

#include "search/filelisteadd.h"
#include "search/globals.h"
#include "search/laufen.h"
#include "search/regexscan.h"
#include "search/resultlistrefresh.h"
#include "search/simplescan.h"
#include "search/tform1.h"
#include "window/dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

const QString incompleteInput = QStringLiteral(
    "Die Angaben sind unvollständig: Keine Quelldateien, kein Zielverzeichnis oder kein "
    "Suchstring.");

// Leaves the running state on every way out of a run, also when an error travels on to the
// default error handler.
class RunCleanup
{
public:
    explicit RunCleanup(TForm1 &form) : m_form(form) {}
    ~RunCleanup()
    {
        // A click on "Stop" while the last texts were read still waits in the queue. Taken now,
        // it reaches "Stop"; taken after the switch back, it would reach "Suche", which stands
        // in the same place, and start the search all over again.
        QCoreApplication::processEvents();
        m_form.Edit1->setFocus();
        Laufen(false);
    }
    RunCleanup(const RunCleanup &) = delete;
    RunCleanup &operator=(const RunCleanup &) = delete;

private:
    TForm1 &m_form;
};

} // namespace

void TForm1::Button3Click(QObject * /*Sender*/)
{
    // A new search empties the result list, which the saving loop is reading.
    if (refuseWhileSaving())
        return;
    Laufen(true);
    Stop = false;
    m_closing = false;
    files->clear();
    files->viewport()->repaint();
    vorschau->clear();
    const QString suchstr = Edit1->text();
    const QString ausschlstr = edit_ausschl->text();
    suchstrGlobal = suchstr;
    GewichtStrGlobal = Edit2->text();
    // A range of 0 to 0 would turn the bar into a busy indicator.
    bar1->setRange(0, qMax(box->count(), 1));
    bar1->setValue(0);
    showHitCount();

    RunCleanup cleanup(*this);
    if (box->count() == 0 || zielverz->text().isEmpty() || Edit1->text().isEmpty()) {
        m_dialogs->message(this, errorBox(incompleteInput));
        return;
    }
    if (RadioButton1->isChecked()) {
        RegexScan scan(suchstr, ausschlstr);
        scanSources([&](int i, const QString &path) {
            if (auto result = scan.evaluate(path, [this] { return Edit2->text(); }))
                addResultRow(i, result->f, result->proz, result->fB);
        });
    } else {
        SimpleScan scan(suchstr, ausschlstr);
        scanSources([&](int i, const QString &path) {
            if (scan.qualifies(path, CheckBox1->isChecked()))
                addResultRow(i, -1, -1.0, -1);
        });
    }
}

template <typename PerFile> void TForm1::scanSources(PerFile perFile)
{
    ResultListRefresh refresh(files, {Label7, bar1});
    const int n = box->count();
    for (int i = 0; i < n; ++i) {
        // Other commands run while events are processed and may have shortened the list.
        if (i >= box->count())
            return;
        perFile(i, box->item(i)->text());
        if (finishFile(i, refresh))
            return;
    }
}

// The common tail after file i; true when the user stopped the run.
bool TForm1::finishFile(int i, ResultListRefresh &refresh)
{
    bar1->setValue(i + 1);
    if (Stop) {
        Laufen(false);
        if (!m_closing)
            m_dialogs->message(this, plainMessage(QStringLiteral("Vorgang abgebrochen.")));
        return true;
    }
    if (i % 2 == 1)
        refresh.processEvents();
    return false;
}

void TForm1::addResultRow(int i, qint32 f, double proz, qint32 fB)
{
    filelisteAdd(box->item(i)->text(), f, proz, fB);
    showHitCount();
}

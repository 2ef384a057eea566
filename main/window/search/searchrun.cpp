#include "search/eventpoints.h"
#include "search/searchturns.h"
#include "window/dialogs.h"
#include "window/globals.h"
#include "window/search/filechangingevents.h"
#include "window/search/filelisteadd.h"
#include "window/search/heldrows.h"
#include "window/search/laufen.h"
#include "window/search/resultlistrefresh.h"
#include "window/search/rowdisposal.h"
#include "window/search/sourceentries.h"
#include "window/search/utf8hint.h"
#include "window/search/visibleprogress.h"
#include "window/tform1.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTextEdit>
#include <QTreeWidget>
#include <exception>
#include <utility>

namespace {

// While a text takes long, events run at least this often.
constexpr std::chrono::milliseconds kTurnSlice(50);

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
        // Told after the run, so that the note never holds it up; not after an error, whose
        // box comes first.
        if (std::uncaught_exceptions() == 0)
            m_form.noteUtf8AsWindows1252();
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
    m_rowDisposal->runStarts();
    const auto disposalGoesOn = qScopeGuard([this] { m_rowDisposal->runEnds(); });
    m_rowDisposal->takeRows(files);
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

    m_utf8Hint.runStarts();
    RunCleanup cleanup(*this);
    if (box->count() == 0 || zielverz->text().isEmpty() || Edit1->text().isEmpty()) {
        m_dialogs->message(this, errorBox(incompleteInput));
        return;
    }
    ScanRecipe recipe;
    recipe.regex = RadioButton1->isChecked();
    recipe.suchstr = suchstr;
    recipe.ausschlstr = ausschlstr;
    recipe.weighting = GewichtStrGlobal;
    recipe.ignoreCase = CheckBox1->isChecked();
    m_sourceEntries->readChanged(kTurnSlice, [this] {
        m_rowDisposal->deleteSlice();
        QCoreApplication::processEvents();
    });
    const SourceEntries &entries = *m_sourceEntries;
    recipe.encodings = entries.encodingsAtStart();
    // Watched before any text is read, so that each reading knows what ran before it.
    const auto eventPoints = std::make_shared<EventPoints>();
    FileChangingEvents fileChangingEvents(*eventPoints);
    auto turns = std::make_unique<SearchTurns>(recipe, entries.atStart(), defaultReadAheadThreads(),
                                               ReadAhead::Priority::BehindCaller,
                                               ReadAhead::Validity::UntilChanged, eventPoints);
    // A text cancelled by Stop or by an error may be in a search step that takes a moment; the
    // window does not wait for it.
    const auto end = qScopeGuard([&turns] { endInBackground(std::move(turns)); });
    scanSources(*turns, entries, *eventPoints, fileChangingEvents);
}

void TForm1::scanSources(SearchTurns &turns, const SourceEntries &entries, EventPoints &eventPoints,
                         FileChangingEvents &fileChangingEvents)
{
    // The rows found and the hit counter are brought up to date only where someone may look at
    // them: before the list is drawn, before an event that may start work, and at the end.
    HeldRows heldRows(files);
    const auto showRows = [this, &heldRows] {
        if (heldRows.release())
            showHitCount();
    };
    HeldRows *const outerRows = std::exchange(m_heldRows, &heldRows);
    fileChangingEvents.setBeforeWork(showRows);
    const auto stopHolding = qScopeGuard([&] {
        fileChangingEvents.setBeforeWork({});
        m_heldRows = outerRows;
    });
    ResultListRefresh refresh(files, {Label7, bar1}, showRows);
    VisibleProgress visibleProgress(bar1);
    int done = 0;
    // The bar is only seen when events run, when a box shows and after the run. Between texts it
    // takes only a value that looks different; before a box and at the end it holds the exact
    // count, and the rows are all in the list.
    const auto showProgress = [&](bool exact) {
        if (!exact) {
            visibleProgress.set(done);
            return;
        }
        bar1->setValue(done);
        showRows();
    };
    const auto letEventsRun = [&] {
        m_rowDisposal->deleteSlice();
        showProgress(false);
        refresh.processEvents();
        eventPoints.pass();
    };
    // Also on the way out with an error, whose box shows after the run.
    const auto showAtEnd = qScopeGuard([&showProgress] { showProgress(true); });
    const int n = entries.count();
    for (int i = 0; i < n; ++i) {
        // Other commands run while events are processed and may have shortened the list.
        if (i >= entries.count())
            return;
        const QString path = entries.at(i);
        const SourceEncoding encoding = entries.encodingAt(i);
        // The fields are read at each text's turn; what was worked out ahead with other values
        // is worked out again.
        turns.begin(i, path, TurnValues{Edit2->text(), CheckBox1->isChecked(), encoding});
        while (!Stop && !turns.wait(kTurnSlice))
            letEventsRun();
        // A text whose turn is cancelled counts for nothing.
        if (!Stop) {
            if (auto result = turns.outcome())
                filelisteAdd(path, result->f, result->proz, result->fB, encoding);
            m_utf8Hint.textRead(turns.utf8AsWindows1252());
            done = i + 1;
        }
        if (Stop) {
            showProgress(true);
            refresh.release();
            Laufen(false);
            if (!m_closing)
                m_dialogs->message(this, plainMessage(QStringLiteral("Vorgang abgebrochen.")));
            return;
        }
        if (i % 2 == 1)
            letEventsRun();
    }
}

void TForm1::appendResultRow(QTreeWidgetItem *row)
{
    if (m_heldRows)
        m_heldRows->add(row);
    else
        files->addTopLevelItem(row);
}

void TForm1::noteUtf8AsWindows1252()
{
    if (m_closing)
        return;
    if (const auto note = m_utf8Hint.noteAfterRun(box))
        m_dialogs->message(this, plainMessage(*note));
}

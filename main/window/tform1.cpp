#include "window/tform1.h"

#include "window/errorhandler.h"
#include "window/fonts.h"
#include "window/globals.h"
#include "window/handle.h"
#include "window/labelcaption.h"
#include "window/qtdialogs.h"
#include "window/search/rowdisposal.h"
#include "window/search/sourceentries.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#ifndef QVX_VERSION
#error "QVX_VERSION must name the project's version"
#endif

TForm1::TForm1(std::unique_ptr<Dialogs> dialogs, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>())
{
    // As with the toolkit's form creation, the global refers to the window before its
    // construction handler runs.
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(
        "QVX - Subkorpusbildung auf Basis von TXT-Verzeichnissen (v. " QVX_VERSION ")"));
    registerFallbackFonts();
    createControls();
    m_sourceEntries = new SourceEntries(box, this);
    m_rowDisposal = new RowDisposal(this);
    createMenus();
    setupFrame();
    arrangeControls();
    setupKeyboard();
    connectHandlers();
    FormCreate(this);
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::onClick(QPushButton *button, void (TForm1::*handler)(QObject *))
{
    connect(button, &QPushButton::clicked, this,
            [this, button, handler] { handle([&] { (this->*handler)(button); }); });
}

void TForm1::onTriggered(QAction *action, void (TForm1::*handler)(QObject *))
{
    connect(action, &QAction::triggered, this,
            [this, action, handler] { handle([&] { (this->*handler)(action); }); });
}

bool TForm1::refuseWhileSaving()
{
    if (!m_saving)
        return false;
    m_dialogs->message(this, plainMessage(QStringLiteral(
                                 "Die gefundenen Texte werden gerade gespeichert. Bitte warten "
                                 "Sie, bis das Speichern abgeschlossen ist.")));
    return true;
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
    // Closing ends the program, so neither a running search nor the copying of the checked texts
    // may go on over an invisible window.
    if (Button6->isVisible())
        Stop = true;
    if (Button6->isVisible() || m_saving)
        m_closing = true;
    handle([this] { FormClose(this); });
    QWidget::closeEvent(event);
}

void TForm1::Button6Click(QObject * /*Sender*/)
{
    Stop = true;
}

void TForm1::showHitCount()
{
    setLabelCaption(Label7, QStringLiteral("%1 Treffer").arg(files->topLevelItemCount()));
}

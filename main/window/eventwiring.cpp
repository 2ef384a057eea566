#include "window/eventcallback.h"
#include "window/handle.h"
#include "window/tform1.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

// Every event that has a handler, and nothing else: the other controls react only in the
// toolkit's standard way.
void TForm1::connectHandlers()
{
    // Window state and search
    onClick(Button3, &TForm1::Button3Click);
    onClick(Button6, &TForm1::Button6Click);

    // Result list handling
    files->header()->setSectionsClickable(true);
    connect(files->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { handle([&] { filesColumnClick(files, column); }); });
    onTriggered(NachFrequenzfsortieren1, &TForm1::NachFrequenzfsortieren1Click);
    onTriggered(NachProzentsortieren1, &TForm1::NachProzentsortieren1Click);
    onTriggered(Allesauswhlen1, &TForm1::Allesauswhlen1Click);
    onTriggered(Nichtsauswhlen1, &TForm1::Nichtsauswhlen1Click);
    onTriggered(Auswahlinvertieren1, &TForm1::Auswahlinvertieren1Click);
    onTriggered(AllemitfgreralsXauswhlen1, &TForm1::AllemitfgreralsXauswhlen1Click);
    onTriggered(AllemitgreralsXauswhlen1, &TForm1::AllemitgreralsXauswhlen1Click);
    onTriggered(AllemitfBgreralsXauswhlen1, &TForm1::AllemitfBgreralsXauswhlen1Click);
    onTriggered(AusgewhlteItemslschen1, &TForm1::AusgewhlteItemslschen1Click);
    onTriggered(NichtausgewhlteItemslschen1, &TForm1::NichtausgewhlteItemslschen1Click);
    onTriggered(Exportieren1, &TForm1::Exportieren1Click);
    // PopupMenu1 opens on a right click anywhere in the list, the header included.
    for (QAbstractItemView *area : {static_cast<QAbstractItemView *>(files),
                                    static_cast<QAbstractItemView *>(files->header())}) {
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this, [this, area](const QPoint &pos) {
            handle([&] { m_dialogs->popupMenu(PopupMenu1, area->viewport()->mapToGlobal(pos)); });
        });
    }
    installResultDelegate();

    // Sources and subcorpus output
    onClick(Button1, &TForm1::Button1Click);
    onClick(Button4, &TForm1::Button4Click);
    // The record is offered only here, so that a click saves exactly the copies.
    Button4->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Button4, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        handle([&] { m_dialogs->popupMenu(PopupMenu2, Button4->mapToGlobal(pos)); });
    });
    onTriggered(GefundeneTextemitProtokollabspeichern1,
                &TForm1::GefundeneTextemitProtokollabspeichern1Click);
    onClick(Button2, &TForm1::Button2Click);
    onClick(Button7, &TForm1::Button7Click);
    // AlsQuelldaten is also the button's context menu.
    Button7->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Button7, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        handle([&] { popupAlsQuelldaten(Button7->mapToGlobal(pos)); });
    });
    onTriggered(hinzu1, &TForm1::hinzu1Click);
    onTriggered(extealsneueQuelle1, &TForm1::extealsneueQuelle1Click);

    // Preview
    // A left click into the list, on a row or beside the rows, like the list's own click.
    new EventCallback(files->viewport(), QEvent::MouseButtonRelease, [this](QEvent *event) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            handle([this] { filesClick(files); });
    });
    // A held key repeats its press but is released once, so only the real release counts.
    new EventCallback(files, QEvent::KeyRelease, [this](QEvent *event) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            handle([&] { filesKeyUp(files, key->key(), key->modifiers()); });
    });

    // AntConc settings export
    onClick(Button5, &TForm1::Button5Click);

    // Main window and help
    onLabelClick(Label6, &TForm1::Label6Click);
    onLabelClick(Label14, &TForm1::Label14Click);
    onLabelClick(Label15, &TForm1::Label15Click);
    onLabelClick(Label16, &TForm1::Label16Click);
    onLabelClick(Label17, &TForm1::Label17Click);
}

void TForm1::onLabelClick(QLabel *label, void (TForm1::*handler)(QObject *))
{
    // Labels have no click signal: a release of the left button over the label counts.
    new EventCallback(label, QEvent::MouseButtonRelease, [this, label, handler](QEvent *event) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint()))
            handle([&] { (this->*handler)(label); });
    });
}

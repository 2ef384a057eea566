#include "preview/ladevorschau.h"

#include "errors/qvxerror.h"
#include "preview/linemarker.h"
#include "preview/markedpreview.h"
#include "preview/previewdocument.h"
#include "window/globals.h"
#include "window/tform1.h"

#include <QTreeWidget>

void Ladevorschau(QTextEdit *Vorschau, const QString &filestr)
{
    if (!Form1 || Form1->files->selectedItems().isEmpty())
        return;
    const MarkedPreview preview =
        markPreview(loadPreviewLine(filestr), suchstrGlobal, GewichtStrGlobal);
    showPreviewPieces(Vorschau, preview.text, preview.pieces);
    if (preview.error)
        throw QvxError(*preview.error);
}

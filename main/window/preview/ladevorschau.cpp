#include "window/preview/ladevorschau.h"

#include "errors/qvxerror.h"
#include "preview/linemarker.h"
#include "preview/markedpreview.h"
#include "window/globals.h"
#include "window/preview/previewdocument.h"
#include "window/tform1.h"

#include <QTreeWidget>
#include <utility>

void Ladevorschau(QTextEdit *Vorschau, const QString &filestr, SourceEncoding encoding)
{
    if (!Form1 || Form1->files->selectedItems().isEmpty())
        return;
    PreviewLine line = loadPreviewLine(filestr, encoding);
    const bool cut = line.cut;
    const MarkedPreview preview = markPreview(std::move(line), suchstrGlobal, GewichtStrGlobal);
    showPreviewPieces(Vorschau, preview.text, preview.pieces);
    if (cut)
        appendCutNote(Vorschau, previewCutNote());
    if (preview.error)
        throw QvxError(preview.error->reason);
}

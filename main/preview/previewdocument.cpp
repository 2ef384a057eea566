#include "preview/previewdocument.h"

#include <QColor>
#include <QPalette>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <memory>

namespace {

QTextCharFormat markFormat(const QColor &colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontWeight(QFont::Bold);
    format.setFontUnderline(true);
    return format;
}

// Qt lays a paragraph out as a whole, in a time that grows faster than its length, and much
// faster where it finds no blank to wrap at: a text of one 50 MB line would hold the window for
// many minutes. Long lines are therefore shown as several paragraphs: one ends at the first blank
// after this many characters, ...
constexpr qsizetype longestShownParagraph = 10000;
// ... and a run of this many characters without a blank ends one in any case.
constexpr qsizetype longestShownRun = 1000;

struct ShownParagraph
{
    qsizetype length = 0;
    qsizetype sinceBlank = 0;
};

// Appends text to the stretch, starting a new shown paragraph wherever the current one is full.
void appendWrapped(QString &stretch, QStringView text, ShownParagraph &paragraph)
{
    // Text that leaves the paragraph shorter than the longest run can end it nowhere; nearly
    // every piece of an ordinary text is such, and is taken whole rather than character by
    // character.
    if (paragraph.length + text.size() < longestShownRun) {
        const qsizetype lastBlank = text.lastIndexOf(QLatin1Char(' '));
        paragraph.sinceBlank =
            lastBlank < 0 ? paragraph.sinceBlank + text.size() : text.size() - 1 - lastBlank;
        paragraph.length += text.size();
        stretch += text;
        return;
    }
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        ++paragraph.length;
        const bool blank = text[i] == QLatin1Char(' ');
        paragraph.sinceBlank = blank ? 0 : paragraph.sinceBlank + 1;
        const bool full = blank ? paragraph.length >= longestShownParagraph
                                : paragraph.sinceBlank >= longestShownRun;
        if (full) {
            stretch += text.mid(from, i + 1 - from);
            stretch += QChar(QChar::ParagraphSeparator);
            from = i + 1;
            paragraph = ShownParagraph();
        }
    }
    stretch += text.mid(from);
}

} // namespace

void showPreviewPieces(QTextEdit *Vorschau, const QString &line,
                       const std::vector<PreviewPiece> &pieces)
{
    QTextDocument *previous = Vorschau->document();
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(previous->defaultFont());
    // Building the text is not an edit the user could undo.
    document->setUndoRedoEnabled(false);

    const QTextCharFormat formats[] = {
        QTextCharFormat(),
        markFormat(QColor(255, 0, 0)),
        markFormat(Vorschau->palette().color(QPalette::Active, QPalette::Highlight)),
    };
    // One insertion per stretch of one format, breaks included: QTextCursor::insertText starts a
    // new block at every paragraph separator, and the line holds nothing else that it would take
    // for a break (its line breaks are markers; Windows-1252 has no separator characters).
    QTextCursor cursor(document.get());
    cursor.beginEditBlock();
    QString stretch;
    Mark stretchMark = Mark::None;
    ShownParagraph paragraph;
    for (const PreviewPiece &piece : pieces) {
        if (piece.mark != stretchMark && !stretch.isEmpty()) {
            cursor.insertText(stretch, formats[static_cast<int>(stretchMark)]);
            stretch.resize(0);
        }
        stretchMark = piece.mark;
        if (piece.paragraphBreak) {
            stretch += QChar(QChar::ParagraphSeparator);
            paragraph = ShownParagraph();
        } else {
            appendWrapped(stretch, QStringView(line).mid(piece.start, piece.length), paragraph);
        }
    }
    if (!stretch.isEmpty())
        cursor.insertText(stretch, formats[static_cast<int>(stretchMark)]);
    cursor.endEditBlock();
    document->setUndoRedoEnabled(true);

    // The control deletes only the document it made itself; an earlier preview's is ours. Freeing
    // a long text takes a while of its own, so the event loop does that after this load.
    const bool previousIsOurs = previous->parent() == Vorschau;
    document->setParent(Vorschau);
    Vorschau->setDocument(document.release());
    if (previousIsOurs)
        previous->deleteLater();
}

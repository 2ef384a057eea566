#include "window/preview/previewdocument.h"

#include "preview/linemarker.h"
#include "window/fonts.h"

#include <QColor>
#include <QPalette>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <memory>

namespace {

QTextCharFormat markFormat(const QColor &colour, const QFont &font)
{
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontWeight(QFont::Bold);
    format.setFontUnderline(true);
    QFont bold = font;
    bold.setBold(true);
    format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    format.setFontLetterSpacing(syntheticBoldSpacing(bold));
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

const QChar paragraphSeparator(QChar::ParagraphSeparator);

// Follows the shown paragraph through text. Returns false, and leaves the paragraph as it was,
// when one would get full in it. Nearly every piece of an ordinary text passes: it is then taken
// as it stands rather than character by character.
bool fitsUnbroken(QStringView text, ShownParagraph &paragraph)
{
    ShownParagraph state = paragraph;
    qsizetype from = 0;
    for (;;) {
        const qsizetype separator = text.indexOf(paragraphSeparator, from);
        const QStringView part = text.mid(from, (separator < 0 ? text.size() : separator) - from);
        // Shorter than the longest run, a paragraph can end nowhere.
        if (state.length + part.size() >= longestShownRun)
            return false;
        const qsizetype lastBlank = part.lastIndexOf(QLatin1Char(' '));
        state.sinceBlank =
            lastBlank < 0 ? state.sinceBlank + part.size() : part.size() - 1 - lastBlank;
        state.length += part.size();
        if (separator < 0)
            break;
        state = ShownParagraph();
        from = separator + 1;
    }
    paragraph = state;
    return true;
}

// The text with a paragraph separator after every place where the shown paragraph is full.
QString brokenWhereFull(QStringView text, ShownParagraph &paragraph)
{
    QString result;
    result.reserve(text.size() + text.size() / longestShownRun + 1);
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == paragraphSeparator) {
            paragraph = ShownParagraph();
            continue;
        }
        ++paragraph.length;
        const bool blank = text[i] == QLatin1Char(' ');
        paragraph.sinceBlank = blank ? 0 : paragraph.sinceBlank + 1;
        const bool full = blank ? paragraph.length >= longestShownParagraph
                                : paragraph.sinceBlank >= longestShownRun;
        if (full) {
            result += text.mid(from, i + 1 - from);
            result += paragraphSeparator;
            from = i + 1;
            paragraph = ShownParagraph();
        }
    }
    result += text.mid(from);
    return result;
}

} // namespace

void showPreviewPieces(QTextEdit *Vorschau, const QString &text,
                       const std::vector<PreviewPiece> &pieces)
{
    // An earlier preview's document is ours (the control deletes only the one it made itself).
    // It is freed before the new one is built, whose text can then take its memory instead of
    // pages that the system must first provide; meanwhile the control holds an empty interim
    // document, which no event gets to paint. The interim one belongs to the control too, so
    // that it stays valid should the building fail.
    QTextDocument *previous = Vorschau->document();
    const QFont font = previous->defaultFont();
    QTextDocument *interim = nullptr;
    if (previous->parent() == Vorschau) {
        interim = new QTextDocument(Vorschau);
        Vorschau->setDocument(interim);
        delete previous;
    }
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(font);
    // Building the text is not an edit the user could undo.
    document->setUndoRedoEnabled(false);

    const QTextCharFormat formats[] = {
        QTextCharFormat(),
        markFormat(QColor(255, 0, 0), font),
        markFormat(Vorschau->palette().color(QPalette::Active, QPalette::Highlight), font),
    };
    // One insertion per piece, its paragraph separators included: QTextCursor::insertText starts
    // a new block at each, and the text holds nothing else that it would take for a break (its
    // other line breaks are markers; Windows-1252 has no separator characters). A piece that
    // needs no further breaks goes in without a copy of its own.
    QTextCursor cursor(document.get());
    cursor.beginEditBlock();
    ShownParagraph paragraph;
    for (const PreviewPiece &piece : pieces) {
        const QTextCharFormat &format = formats[static_cast<int>(piece.mark)];
        const QStringView pieceText = QStringView(text).mid(piece.start, piece.length);
        if (fitsUnbroken(pieceText, paragraph))
            cursor.insertText(QString::fromRawData(pieceText.data(), pieceText.size()), format);
        else
            cursor.insertText(brokenWhereFull(pieceText, paragraph), format);
    }
    cursor.endEditBlock();
    document->setUndoRedoEnabled(true);

    document->setParent(Vorschau);
    Vorschau->setDocument(document.release());
    delete interim;
}

QString previewCutNote()
{
    return QStringLiteral("[Die Vorschau ist gekürzt: Der Text ist länger als %1 MB; gezeigt "
                          "wird nur sein Anfang. Suche und Kopie nehmen den ganzen Text.]")
        .arg(previewTextLimit / (1024 * 1024));
}

void appendCutNote(QTextEdit *Vorschau, const QString &note)
{
    QTextCursor cursor(Vorschau->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setFontItalic(true);
    cursor.insertBlock(QTextBlockFormat(), format);
    cursor.insertText(note, format);
}

#include "window/sources/windowprotocol.h"

#include "results/resultcolumn.h"
#include "text/integerconversion.h"
#include "text/nativepath.h"
#include "text/numberformat.h"
#include "window/globals.h"
#include "window/sources/itempaths.h"
#include "window/tform1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSet>
#include <QTreeWidget>
#include <algorithm>

#ifndef QVX_VERSION
#error "QVX_VERSION must name the project's version"
#endif

namespace {

qint32 integerCell(const QTreeWidgetItem *row, int column)
{
    return parseInteger(row->text(column)).value_or(-1);
}

// A factor field is read only for rows with a weighting count; its text need not be a number.
std::optional<double> factor(const QLineEdit *field)
{
    return parseDecimal(field->text(), localeDecimalSeparator());
}

} // namespace

ProtocolText protocolText(const QTreeWidgetItem *row)
{
    const QChar separator = localeDecimalSeparator();
    return {absolutePath(rowPath(row)), integerCell(row, ResultColumn::F),
            cellNumber(row->text(ResultColumn::Percent), separator),
            integerCell(row, ResultColumn::FB), cellNumber(row->text(ResultColumn::G), separator)};
}

SubcorpusProtocol windowProtocol(const TForm1 &form, const QList<ProtocolText> &copied)
{
    SubcorpusProtocol p;
    p.program = QStringLiteral("QVX");
    p.version = QStringLiteral(QVX_VERSION);
    p.date = QDateTime::currentDateTime();
    p.directory = absolutePath(QStringLiteral("."));
    const bool simpleRows = std::any_of(copied.begin(), copied.end(),
                                        [](const ProtocolText &text) { return text.f < 0; });
    p.regex = copied.isEmpty() ? form.RadioButton1->isChecked() : !simpleRows;
    p.pattern = suchstrGlobal;
    p.exclude = form.edit_ausschl->text();
    // The simple search reads no weighting string.
    p.weight = p.regex ? GewichtStrGlobal : QString();
    p.fK = factor(form.Edit3);
    p.fBK = factor(form.Edit4);
    p.ignoreCase = !p.regex && form.CheckBox1->isChecked();
    QSet<SourceEncoding> encodings;
    for (int i = 0; i < form.box->count(); ++i) {
        p.sources << absolutePath(sourcePath(form.box->item(i)));
        encodings.insert(sourceEncoding(form.box->item(i)));
    }
    // The record names one encoding for all sources; a list that mixes them cannot be repeated
    // with one, and its record says so instead of naming one of them.
    p.encoding = encodings.size() > 1
                     ? QStringLiteral("gemischt")
                     : sourceEncodingName(encodings.isEmpty() ? SourceEncoding::Windows1252
                                                              : *encodings.cbegin());
    p.texts = copied;
    return p;
}

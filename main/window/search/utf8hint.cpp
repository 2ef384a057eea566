#include "window/search/utf8hint.h"

#include "files/utf8note.h"
#include "window/sources/itempaths.h"

#include <QListWidget>

namespace {

// The entries with their encodings: the same folder added again in another encoding is another
// list.
QStringList entries(const QListWidget *box)
{
    QStringList list;
    list.reserve(box->count());
    for (int i = 0; i < box->count(); ++i) {
        const QListWidgetItem *item = box->item(i);
        list << QString::number(int(sourceEncoding(item))) + sourcePath(item);
    }
    return list;
}

} // namespace

std::optional<QString> Utf8Hint::noteAfterRun(const QListWidget *box)
{
    if (m_texts == 0)
        return std::nullopt;
    QStringList list = entries(box);
    if (list == m_toldList)
        return std::nullopt;
    m_toldList = std::move(list);
    return utf8AsWindows1252Note(m_texts) +
           QStringLiteral(" Wählen Sie für diese Texte beim Hinzufügen des Verzeichnisses mit "
                          "„[...]“ die Kodierung „UTF-8“ oder „automatisch“.");
}

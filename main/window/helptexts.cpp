#include "window/helptexts.h"

namespace helptexts {

QString searchString()
{
    return QStringLiteral(
        "Alle Texte, die diesen Suchstring enthalten, werden zunächst (siehe Hinweis zum "
        "auszuschließenden String) in die Ergebnisliste aufgenommen (Positivliste). Die Frequenz "
        "des Suchausdrucks je Text findet sich in der Spalte \"f\" der Tabelle.");
}

QString exclusionString()
{
    return QStringLiteral(
        "Alle Texte, die diesen Suchstring enthalten, werden ausgeschlossen, auch wenn sie "
        "Ausdrücke der Positivliste enthalten (Ausschlusskriterien / \"Negativliste\"). Wenn Sie "
        "keine Ausschlussliste verwenden möchten, lassen Sie das Feld leer.");
}

QString weightingString()
{
    return QStringLiteral(
        "Diese Suchanfrage hat keinen Einfluss auf die Auswahl der Texte, sondern gibt lediglich "
        "einen weiteren statistischen Hinweis (-> Spalte \"fB\" in der Tabelle) darüber, wie oft "
        "der Suchausdruck in Texten der Ergebnisliste vorkommen.");
}

QString resultList()
{
    return QStringLiteral(
        "Diese Tabelle zeigt die Ergebnisse der Suchanfrage. Alle Texte, die ausgewählt sind, "
        "werden exportiert. Für verschiedene Filter- und Löschoptionen verwenden Sie das Submenü "
        "(rechter Mausklick in das Tabellenfenster).");
}

QString regexWindowCaption()
{
    return QStringLiteral("Informationen und Beispiele zur Nutzung von RegEx");
}

QStringList regexLines()
{
    return {
        QStringLiteral("Nähere Informationen zu Regulären Ausdrücken unter:"),
        QStringLiteral("  https://www.regex-tester.de/regex.html"),
        QStringLiteral("  https://de.wikipedia.org/wiki/Regulärer_Ausdruck"),
        QStringLiteral(
            "  https://developer.mozilla.org/de/docs/Web/JavaScript/Guide/Regular_expressions"),
        QStringLiteral("---------------------"),
        QString(),
        QStringLiteral("Nachfolgend ein paar Beispiele für die Nutzung von Regulären Ausdrücken:"),
        QStringLiteral("Suche nach \"Heute\" groß und klein:"),
        QStringLiteral("  [Hh]eute"),
        QStringLiteral("Suche exaktes Wort:"),
        QStringLiteral("  \\bGanzeswort\\b"),
        QStringLiteral("Suche \"Heute\" ODER \"Morgen\":"),
        QStringLiteral("  Heute|Morgen"),
        QStringLiteral(
            "Suche \"sowohl\" und innerhalb der nachfolgenden 100 Zeichen \"als auch\":"),
        QStringLiteral("  sowohl.{0,100}als auch"),
        QStringLiteral("Suche \"Schifffahrt\" mit 1-3 \"f\":"),
        QStringLiteral("  Schif{0,2}ahrt"),
        QStringLiteral("Suche \"Schifffahrt\" mit 1-3 (aber nicht ohne) \"f\":"),
        QStringLiteral("  Schif{1,3}ahrt"),
    };
}

} // namespace helptexts

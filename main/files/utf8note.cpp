#include "files/utf8note.h"

QString utf8AsWindows1252Note(qsizetype texts)
{
    if (texts == 1)
        return QStringLiteral("1 Text ist offenbar in UTF-8 gespeichert, wurde aber als "
                              "Windows-1252 gelesen: Umlaute und andere Zeichen außerhalb von "
                              "ASCII wurden darin falsch gesucht und gezählt.");
    return QStringLiteral("%1 Texte sind offenbar in UTF-8 gespeichert, wurden aber als "
                          "Windows-1252 gelesen: Umlaute und andere Zeichen außerhalb von ASCII "
                          "wurden darin falsch gesucht und gezählt.")
        .arg(texts);
}

#include "helptext.h"

#include "optiontable.h"

#include <algorithm>

namespace {

// Fits a terminal of 80 columns with room to spare.
constexpr qsizetype LineWidth = 78;

const char *const Introduction =
    "Aufruf: qvx-cli [OPTIONEN] MUSTER QUELLE...\n"
    "        qvx-cli --repeat PROTOKOLL\n"
    "Durchsucht Textdateien wie QVX und gibt die gefundenen Texte mit f, %, fB und\n"
    "G = f*fK+fB*fBK aus; die gefundenen Texte werden auf Wunsch in ein neues\n"
    "Verzeichnis kopiert (Subkorpus) und in einer AntConc-Einstellungsdatei gelistet.\n"
    "\n"
    "MUSTER ist ein regulärer Ausdruck (PCRE), mit -s eine einfache Zeichenfolge.\n"
    "QUELLE ist ein Verzeichnis (seine *.txt-Dateien wie im Fenster), eine Textdatei\n"
    "oder @LISTE, eine Datei mit einem Pfad je Zeile (@- oder - liest die Liste von\n"
    "der Standardeingabe); eine Datei, die mit @ beginnt, als ./@name schreiben.\n"
    "Für % zählt jedes Zeilenende (CR, LF, CR LF) als CR LF, am Textende wird eines\n"
    "ergänzt, wenn es fehlt, und die Muster sehen es (\\R, \\s); Zeichen zählen als\n"
    "UTF-16-Einheiten. Ein Text endet am ersten NUL-Byte. \\b und \\w kennen nur\n"
    "ASCII; (*UCP) am Anfang des Musters schaltet Unicode ein.\n"
    "Nach -- ist kein Argument mehr eine Option. Einen Dateinamen, der mit -\n"
    "beginnt, als ./-name schreiben: sonst wird etwa aus -ot01.txt, das ein * in\n"
    "der Shell einsetzt, die Option -o t01.txt.\n";

const char *const Closing =
    "Zahlen nehmen einen Punkt oder das Dezimalzeichen der Spracheinstellung.\n"
    "Rückgabewert: 0 Texte gefunden, 1 keine gefunden, 2 Fehler, 130 abgebrochen\n"
    "(Strg+C oder SIGTERM), 141 Standardausgabe geschlossen; mit --repeat 0 gleich,\n"
    "1 verschieden.\n";

// The group without a heading stands last, after a blank line.
QString heading(OptionGroup group)
{
    switch (group) {
    case OptionGroup::Search:
        return QStringLiteral("Suche:\n");
    case OptionGroup::Rows:
        return QStringLiteral("Ergebniszeilen:\n");
    case OptionGroup::Subcorpus:
        return QStringLiteral("Subkorpus:\n");
    case OptionGroup::Program:
        break;
    }
    return QString();
}

// "  -x, --exclude TEXT"; options without a short form keep the long ones aligned.
QString spelling(const OptionEntry &entry)
{
    QString text = entry.shortName != 0 ? QStringLiteral("  -%1, ").arg(QChar(entry.shortName))
                                        : QString(6, QLatin1Char(' '));
    text += QLatin1String(entry.longName);
    if (entry.argument)
        text += QLatin1Char(' ') + QLatin1String(entry.argument);
    return text;
}

// Beyond it, one long spelling would squeeze every description to the right.
constexpr qsizetype WidestColumn = 28;

// The descriptions start two blanks after the longest spelling that fits before WidestColumn:
// one blank would make the value and the description's first word run together.
qsizetype descriptionColumn()
{
    qsizetype longest = 0;
    for (const OptionEntry &entry : optionTable()) {
        if (spelling(entry).size() < WidestColumn)
            longest = std::max(longest, spelling(entry).size());
    }
    return longest + 2;
}

// The option's lines: its spelling, then its description wrapped at word boundaries; a spelling
// that reaches into the descriptions stands on a line of its own.
QString optionLines(const OptionEntry &entry, qsizetype column)
{
    QString lines;
    QString line = spelling(entry);
    if (line.size() >= column) {
        lines = line + QLatin1Char('\n');
        line.clear();
    }
    line = line.leftJustified(column);
    bool lineHasWords = false;
    for (const QString &word : QString::fromUtf8(entry.help).split(QLatin1Char(' '))) {
        if (lineHasWords && line.size() + 1 + word.size() > LineWidth) {
            lines += line + QLatin1Char('\n');
            line = QString(column, QLatin1Char(' '));
            lineHasWords = false;
        }
        if (lineHasWords)
            line += QLatin1Char(' ');
        line += word;
        lineHasWords = true;
    }
    return lines + line + QLatin1Char('\n');
}

} // namespace

QString helpText()
{
    QString text = QString::fromUtf8(Introduction);
    const qsizetype column = descriptionColumn();
    const OptionGroup *group = nullptr;
    for (const OptionEntry &entry : optionTable()) {
        if (!group || *group != entry.group)
            text += QLatin1Char('\n') + heading(entry.group);
        group = &entry.group;
        text += optionLines(entry, column);
    }
    return text + QLatin1Char('\n') + QString::fromUtf8(Closing);
}

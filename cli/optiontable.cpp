#include "optiontable.h"

#include "text/integerconversion.h"
#include "text/numberformat.h"

namespace {

qint32 integerValue(const OptionValue &value)
{
    const std::optional<qint32> number = parseInteger(value.text);
    if (!number)
        throw OptionError{QStringLiteral("%1: '%2' ist kein gültiger Integer-Wert.")
                              .arg(value.option, value.text)};
    return *number;
}

double decimalValue(const OptionValue &value)
{
    std::optional<double> number = parseDecimal(value.text, QLatin1Char('.'));
    if (!number)
        number = parseDecimal(value.text, localeDecimalSeparator());
    if (!number)
        throw OptionError{QStringLiteral("%1: '%2' ist kein gültiger Gleitkommawert.")
                              .arg(value.option, value.text)};
    return *number;
}

int threadCount(const OptionValue &value)
{
    const qint32 count = integerValue(value);
    if (count < 1 || count > 256)
        throw OptionError{
            QStringLiteral("%1: %2 ist keine Zahl von 1 bis 256.").arg(value.option, value.text)};
    return count;
}

// Wider contexts make a line no easier to read, only longer.
int contextWidth(const OptionValue &value)
{
    const qint32 width = integerValue(value);
    if (width < 0 || width > 1000)
        throw OptionError{
            QStringLiteral("%1: %2 ist keine Zahl von 0 bis 1000.").arg(value.option, value.text)};
    return width;
}

// An empty name would quietly mean no file at all.
QString nonEmptyPath(const OptionValue &value)
{
    if (value.text.isEmpty())
        throw OptionError{
            QStringLiteral("%1: Der Pfad ist leer; bitte einen Namen angeben.").arg(value.option)};
    return value.text;
}

// Short names keep the rows of the table short.
using G = OptionGroup;
using V = const OptionValue &;

} // namespace

const std::vector<OptionEntry> &optionTable()
{
    static const std::vector<OptionEntry> table{
        {"--exclude", 'x', "TEXT", "Texte, in denen TEXT vorkommt, auslassen", G::Search,
         [](CliOptions &o, V v) { o.exclude = v.text; }},
        {"--weight", 'w', "MUSTER", "Treffer von MUSTER als fB zählen (Gewichtung)", G::Search,
         [](CliOptions &o, V v) { o.weight = v.text; }},
        {"--fk", 0, "ZAHL", "Faktor fK (Vorgabe 1)", G::Search,
         [](CliOptions &o, V v) { o.fK = decimalValue(v); }, "1"},
        {"--fbk", 0, "ZAHL", "Faktor fBK (Vorgabe 1)", G::Search,
         [](CliOptions &o, V v) { o.fBK = decimalValue(v); }, "1"},
        {"--simple", 's', nullptr,
         "Zeichenfolge statt regulärem Ausdruck suchen, auch in Wörtern (Zeit "
         "findet Zeitung)",
         G::Search, [](CliOptions &o, V) { o.simple = true; }},
        {"--ignore-case", 'i', nullptr, "Groß-/Kleinschreibung übergehen (nur mit -s)", G::Search,
         [](CliOptions &o, V) { o.ignoreCase = true; }},
        {"--glob", 'g', "MUSTER",
         "in Verzeichnissen nur Texte, deren Name auf MUSTER passt (* ? [...]); !MUSTER "
         "lässt sie aus; mehrfach möglich",
         G::Search, [](CliOptions &o, V v) { o.globs << v.text; }},
        {"--recursive", 'r', nullptr,
         "auch die Unterverzeichnisse durchsuchen (ohne versteckte und Links)", G::Search,
         [](CliOptions &o, V) { o.recursive = true; }},
        // In the order of SourceEncoding.
        {"--encoding", 0, "KODIERUNG",
         "windows-1252 (Vorgabe), utf-8 oder auto (je Text: UTF-8, wenn gültig und nicht nur "
         "ASCII, sonst Windows-1252)",
         G::Search, [](CliOptions &o, V v) { o.encoding = SourceEncoding(v.choice); },
         "windows-1252",
         QStringList{sourceEncodingName(SourceEncoding::Windows1252),
                     sourceEncodingName(SourceEncoding::Utf8),
                     sourceEncodingName(SourceEncoding::Automatic)}},
        {"--pattern-encoding", 0, "KODIERUNG",
         "MUSTER, -x und -w als utf-8 (Vorgabe) oder windows-1252 lesen", G::Search,
         [](CliOptions &o, V v) { o.patternsInWindows1252 = v.choice == 1; }, "utf-8",
         QStringList{"utf-8", "windows-1252"}},
        {"--keep-going", 0, nullptr, "unlesbare Quellen melden und weitermachen", G::Search,
         [](CliOptions &o, V) { o.keepGoing = true; }},
        {"--jobs", 'j', "N", "Zahl der Threads, die Texte vorauslesen (Vorgabe: einer je Kern)",
         G::Search, [](CliOptions &o, V v) { o.jobs = threadCount(v); }},
        // In the order of the result columns.
        {"--sort", 0, "SPALTE", "file, f, percent, fb oder g", G::Rows,
         [](CliOptions &o, V v) { o.sortColumn = v.choice; }, nullptr,
         QStringList{"file", "f", "percent", "fb", "g"}},
        {"--ascending", 0, nullptr, "aufsteigend sortieren", G::Rows,
         [](CliOptions &o, V) { o.ascending = true; }},
        {"--descending", 0, nullptr, "absteigend sortieren (Vorgabe, bei file aufsteigend)",
         G::Rows, [](CliOptions &o, V) { o.ascending = false; }},
        {"--min-f", 0, "N", "nur Zeilen mit f größer als N", G::Rows,
         [](CliOptions &o, V v) { o.minF = integerValue(v); }},
        {"--min-percent", 0, "X", "nur Zeilen mit % größer als X", G::Rows,
         [](CliOptions &o, V v) { o.minPercent = decimalValue(v); }},
        {"--min-fb", 0, "X", "nur Zeilen mit fB größer als X", G::Rows,
         [](CliOptions &o, V v) { o.minFB = decimalValue(v); }},
        // In the order of OutputFormat.
        {"--format", 0, "FORMAT",
         "tsv (Vorgabe: UTF-8, Dezimalpunkt; TAB, CR, LF und \\ im Pfad als \\t, \\r, \\n, "
         "\\\\), export (wie „Ergebnisse als TXT exportieren“) "
         "oder jsonl",
         G::Rows, [](CliOptions &o, V v) { o.format = OutputFormat(v.choice); }, "tsv",
         QStringList{"tsv", "export", "jsonl"}},
        {"--header", 0, nullptr, "in tsv zuerst eine Zeile mit den Spaltennamen schreiben", G::Rows,
         [](CliOptions &o, V) { o.header = true; }},
        {"--files-with-matches", 'l', nullptr, "nur die Pfade der gefundenen Texte schreiben",
         G::Rows, [](CliOptions &o, V) { o.filesWithMatches = true; }},
        {"--null", '0', nullptr, "mit -l jeden Pfad mit NUL statt Zeilenende abschließen", G::Rows,
         [](CliOptions &o, V) { o.nullEnds = true; }},
        {"--kwic", 0, "N",
         "statt der Zeilen jeden Treffer mit N Zeichen davor und danach schreiben: Pfad, "
         "Position (UTF-16-Einheiten vor dem Treffer), links, Treffer, rechts; Zeilenenden als ⏎",
         G::Rows, [](CliOptions &o, V v) { o.kwicWidth = contextWidth(v); }},
        {"--output", 'o', "DATEI",
         "in DATEI statt auf die Standardausgabe schreiben (- ist die Standardausgabe)", G::Rows,
         [](CliOptions &o, V v) {
             // "-" is standard output, as for grep's and sort's files.
             o.outputFile = v.text == QLatin1String("-") ? QString() : nonEmptyPath(v);
         }},
        {"--copy-to", 0, "ZIEL", "die gefundenen Texte in das neue Verzeichnis ZIEL kopieren",
         G::Subcorpus, [](CliOptions &o, V v) { o.copyTo = nonEmptyPath(v); }},
        {"--replace", 0, nullptr, "gleichnamige Texte im ZIEL ersetzen statt abbrechen",
         G::Subcorpus, [](CliOptions &o, V) { o.replace = true; }},
        // In the order of the window's AntConc list.
        {"--antconc", 0, "VERSION",
         "Einstellungsdatei für AntConc 341w, 324w oder 324m in ZIEL (von --copy-to) schreiben",
         G::Subcorpus, [](CliOptions &o, V v) { o.antconcVersion = v.choice; }, nullptr,
         QStringList{"341w", "324w", "324m"}},
        {"--protocol", 0, nullptr,
         "das Protokoll qvx-protokoll.json (Suche, Quellen, Zahlen je Text) in ZIEL schreiben",
         G::Subcorpus, [](CliOptions &o, V) { o.protocol = true; }},
        {"--repeat", 0, "PROTOKOLL",
         "die Suche eines Protokolls wiederholen und sagen, ob das Ergebnis gleich ist",
         G::Subcorpus, [](CliOptions &o, V v) { o.repeatFile = nonEmptyPath(v); }},
        {"--stats", 0, nullptr,
         "am Ende Texte, Funde, Treffer, Bytes und Sekunden auf die Standardfehlerausgabe "
         "schreiben",
         G::Program, [](CliOptions &o, V) { o.stats = true; }},
        {"--quiet", 'q', nullptr, "keine Fortschrittsanzeige", G::Program,
         [](CliOptions &o, V) { o.quiet = true; }},
        {"--help", 'h', nullptr, "diese Hilfe zeigen", G::Program,
         [](CliOptions &o, V) { o.help = true; }},
        {"--version", 0, nullptr, "die Version zeigen", G::Program,
         [](CliOptions &o, V) { o.version = true; }},
    };
    return table;
}

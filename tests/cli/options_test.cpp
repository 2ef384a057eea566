#include "clitool.h"
#include "fixtures.h"
#include "options.h"

#include <gtest/gtest.h>

TEST(CliOptions, EveryBadOptionAndNumberEndsWithAGermanMessageAndStatus2)
{
    const QList<QPair<QStringList, QString>> cases{
        {{}, "Es fehlt das Muster."},
        {{"Heute"}, "Es fehlt eine Quelle (ein Verzeichnis, eine Textdatei oder @LISTE)."},
        {{"", "d"}, "Das Muster ist leer."},
        {{"--bogus", "a", "d"}, "Unbekannte Option --bogus."},
        {{"-z", "a", "d"}, "Unbekannte Option -z."},
        {{"a", "d", "--exclude"}, "Die Option --exclude braucht einen Wert."},
        {{"--quiet=1", "a", "d"}, "Die Option --quiet nimmt keinen Wert."},
        {{"--min-f", "2,5", "a", "d"}, "--min-f: '2,5' ist kein gültiger Integer-Wert."},
        {{"--min-f", "99999999999", "a", "d"},
         "--min-f: '99999999999' ist kein gültiger Integer-Wert."},
        {{"--min-percent", "1.5.", "a", "d"},
         "--min-percent: '1.5.' ist kein gültiger Gleitkommawert."},
        {{"--min-fb=", "a", "d"}, "--min-fb: '' ist kein gültiger Gleitkommawert."},
        {{"--fk", "zwei", "a", "d"}, "--fk: 'zwei' ist kein gültiger Gleitkommawert."},
        {{"--fbk", "1e999", "a", "d"}, "--fbk: '1e999' ist kein gültiger Gleitkommawert."},
        {{"-j0", "a", "d"}, "--jobs: 0 ist keine Zahl von 1 bis 256."},
        {{"-j", "x", "a", "d"}, "--jobs: 'x' ist kein gültiger Integer-Wert."},
        {{"--sort", "name", "a", "d"},
         "--sort: 'name' ist nicht möglich; erlaubt sind file, f, percent, fb, g."},
        {{"--format", "csv", "a", "d"},
         "--format: 'csv' ist nicht möglich; erlaubt sind tsv, export, jsonl."},
        {{"--encoding", "latin1", "a", "d"},
         "--encoding: 'latin1' ist nicht möglich; erlaubt sind windows-1252, utf-8, auto."},
        {{"--antconc", "4w", "a", "d"},
         "--antconc: '4w' ist nicht möglich; erlaubt sind 341w, 324w, 324m."},
        {{"--ascending", "a", "d"}, "--ascending und --descending gelten nur mit --sort."},
        {{"-i", "a", "d"},
         "-i/--ignore-case gilt nur für die einfache Suche (-s); reguläre Ausdrücke schalten "
         "die Groß-/Kleinschreibung mit (?i) ab."},
        {{"--replace", "a", "d"}, "--replace gilt nur mit --copy-to ZIEL."},
        {{"a", "@"},
         "„@“ allein nennt keine Liste; bitte @LISTE mit dem Namen der Liste angeben (@- liest "
         "die Standardeingabe)."},
        {{"-s", "--min-percent", "0", "a", "d"},
         "--min-percent gilt nicht mit -s: die einfache Suche zählt keine Werte."},
        {{"-s", "--sort", "g", "a", "d"},
         "--sort g gilt nicht mit -s: die einfache Suche zählt keine Werte."},
        {{"-s", "-w", "b", "a", "d"},
         "-w/--weight gilt nicht mit -s: die einfache Suche zählt keine Werte."},
        {{"--min-fb", "1", "a", "d"},
         "--min-fb gilt nur mit -w/--weight: ohne Gewichtung gibt es kein fB."},
        {{"--copy-to", "", "a", "d"}, "--copy-to: Der Pfad ist leer; bitte einen Namen angeben."},
        {{"--antconc", "341w", "a", "d"},
         "--antconc schreibt die Einstellungsdatei in das Zielverzeichnis von --copy-to ZIEL; "
         "bitte --copy-to angeben."},
    };
    for (const auto &[arguments, message] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliResult result = runTool(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(QString::fromUtf8(result.err),
                  "qvx-cli: " + message + "\nHilfe: qvx-cli --help\n");
    }
}

TEST(CliOptions, ShortFlagsGroupValuesAttachAndDoubleDashEndsTheOptions)
{
    const LocaleScope locale(germanLocale());
    const ParsedOptions parsed = parseOptions(
        {"-rq", "-xMorgen", "--weight=Zeit", "--fk", "2,5", "--fbk=0.5", "--sort", "g",
         "--ascending", "-j3", "--min-percent", "0,25", "--", "-Heute", "-", "@liste"});
    ASSERT_EQ(parsed.error, QString());
    const CliOptions &o = parsed.options;
    EXPECT_TRUE(o.recursive && o.quiet);
    EXPECT_EQ(o.exclude, "Morgen");
    EXPECT_EQ(o.weight, "Zeit");
    EXPECT_EQ(o.fK, 2.5);
    EXPECT_EQ(o.fBK, 0.5);
    EXPECT_EQ(o.sortColumn, 4);
    EXPECT_TRUE(o.ascending);
    EXPECT_EQ(o.jobs, 3);
    EXPECT_EQ(o.minPercent, 0.25);
    EXPECT_EQ(o.pattern, "-Heute");
    EXPECT_EQ(o.sources, (QStringList{"-", "@liste"}));
    const CliOptions simple = parseOptions({"-siq", "a", "d"}).options;
    EXPECT_TRUE(simple.simple && simple.ignoreCase && simple.quiet);

    // Values in any case; paths sort from A to Z unless told otherwise.
    const CliOptions byFile =
        parseOptions({"--sort", "FILE", "--encoding", "UTF-8", "--format=JsonL", "a", "d"}).options;
    EXPECT_EQ(byFile.sortColumn, 0);
    EXPECT_TRUE(byFile.ascending);
    EXPECT_EQ(byFile.encoding, SourceEncoding::Utf8);
    EXPECT_EQ(byFile.format, OutputFormat::Jsonl);
    EXPECT_FALSE(parseOptions({"--sort", "file", "--descending", "a", "d"}).options.ascending);
    EXPECT_FALSE(parseOptions({"--sort", "G", "a", "d"}).options.ascending);
}

TEST(CliOptions, HelpAndVersionNeedNoOperands)
{
    const CliResult help = runTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Aufruf: qvx-cli [OPTIONEN] MUSTER QUELLE...\n"));
    EXPECT_TRUE(help.out.contains("\n      --encoding KODIERUNG  windows-1252 (Vorgabe), utf-8 "
                                  "oder auto (je Text:\n                            UTF-8, wenn "
                                  "gültig und nicht nur ASCII, sonst\n"));
    EXPECT_TRUE(help.out.contains("\n\nSuche:\n  -x, --exclude TEXT        Texte, in denen TEXT "
                                  "vorkommt, auslassen\n"));
    EXPECT_TRUE(help.out.contains("\n      --fk ZAHL             Faktor fK (Vorgabe 1)\n"));
    const CliResult version = runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "qvx-cli " QVX_VERSION_TEXT "\n");
}

#include "options.h"

#include "text/integerconversion.h"
#include "text/numberformat.h"

#include <functional>
#include <map>

namespace {

struct Failure
{
    QString message;
};

[[noreturn]] void fail(const QString &message)
{
    throw Failure{message};
}

qint32 integerValue(const QString &option, const QString &text)
{
    const std::optional<qint32> value = parseInteger(text);
    if (!value)
        fail(QStringLiteral("%1: ''%2'' ist kein gültiger Integer-Wert.").arg(option, text));
    return *value;
}

double decimalValue(const QString &option, const QString &text)
{
    std::optional<double> value = parseDecimal(text, QLatin1Char('.'));
    if (!value)
        value = parseDecimal(text, localeDecimalSeparator());
    if (!value)
        fail(QStringLiteral("%1: '%2' ist kein gültiger Gleitkommawert.").arg(option, text));
    return *value;
}

int choice(const QString &option, const QString &text, const QStringList &allowed)
{
    const int index = int(allowed.indexOf(text));
    if (index < 0)
        fail(QStringLiteral("%1: '%2' ist nicht möglich; erlaubt sind %3.")
                 .arg(option, text, allowed.join(QStringLiteral(", "))));
    return index;
}

using ValueOption = std::function<void(CliOptions &, const QString &option, const QString &)>;
using FlagOption = std::function<void(CliOptions &)>;

const std::map<QString, ValueOption> &valueOptions()
{
    static const std::map<QString, ValueOption> options{
        {"--exclude", [](CliOptions &o, const QString &, const QString &v) { o.exclude = v; }},
        {"--weight", [](CliOptions &o, const QString &, const QString &v) { o.weight = v; }},
        {"--fk",
         [](CliOptions &o, const QString &n, const QString &v) { o.fK = decimalValue(n, v); }},
        {"--fbk",
         [](CliOptions &o, const QString &n, const QString &v) { o.fBK = decimalValue(n, v); }},
        {"--sort",
         [](CliOptions &o, const QString &n, const QString &v) {
             o.sortColumn = choice(n, v, {"file", "f", "percent", "fb", "g"});
         }},
        {"--min-f",
         [](CliOptions &o, const QString &n, const QString &v) { o.minF = integerValue(n, v); }},
        {"--min-percent", [](CliOptions &o, const QString &n,
                             const QString &v) { o.minPercent = decimalValue(n, v); }},
        {"--min-fb",
         [](CliOptions &o, const QString &n, const QString &v) { o.minFB = decimalValue(n, v); }},
        {"--jobs",
         [](CliOptions &o, const QString &n, const QString &v) {
             o.jobs = integerValue(n, v);
             if (o.jobs < 1 || o.jobs > 256)
                 fail(QStringLiteral("%1: %2 ist keine Zahl von 1 bis 256.").arg(n, v));
         }},
        {"--format",
         [](CliOptions &o, const QString &n, const QString &v) {
             o.format = OutputFormat(choice(n, v, {"tsv", "export", "jsonl"}));
         }},
        {"--output", [](CliOptions &o, const QString &, const QString &v) { o.outputFile = v; }},
        {"--copy-to", [](CliOptions &o, const QString &, const QString &v) { o.copyTo = v; }},
        {"--antconc",
         [](CliOptions &o, const QString &n, const QString &v) {
             o.antconcVersion = choice(n, v, {"341w", "324w", "324m"});
         }},
        {"--encoding",
         [](CliOptions &o, const QString &n, const QString &v) {
             o.encoding = SourceEncoding(choice(n, v, {"windows-1252", "utf-8"}));
         }},
    };
    return options;
}

const std::map<QString, FlagOption> &flagOptions()
{
    static const std::map<QString, FlagOption> options{
        {"--simple", [](CliOptions &o) { o.simple = true; }},
        {"--ignore-case", [](CliOptions &o) { o.ignoreCase = true; }},
        {"--ascending", [](CliOptions &o) { o.ascending = true; }},
        {"--descending", [](CliOptions &o) { o.ascending = false; }},
        {"--quiet", [](CliOptions &o) { o.quiet = true; }},
        {"--recursive", [](CliOptions &o) { o.recursive = true; }},
        {"--keep-going", [](CliOptions &o) { o.keepGoing = true; }},
        {"--replace", [](CliOptions &o) { o.replace = true; }},
        {"--help", [](CliOptions &o) { o.help = true; }},
        {"--version", [](CliOptions &o) { o.version = true; }},
    };
    return options;
}

QString longName(QChar shortName)
{
    static const std::map<char16_t, QString> names{
        {u'x', "--exclude"}, {u'w', "--weight"},    {u'j', "--jobs"},
        {u'o', "--output"},  {u's', "--simple"},    {u'i', "--ignore-case"},
        {u'q', "--quiet"},   {u'r', "--recursive"}, {u'h', "--help"},
    };
    const auto found = names.find(shortName.unicode());
    return found == names.end() ? QString() : found->second;
}

class Parser
{
public:
    explicit Parser(const QStringList &arguments) : m_args(arguments) {}

    CliOptions run()
    {
        QStringList operands;
        bool optionsEnded = false;
        for (m_next = 0; m_next < m_args.size();) {
            const QString arg = m_args[m_next++];
            if (optionsEnded || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-')))
                operands << arg;
            else if (arg == QLatin1String("--"))
                optionsEnded = true;
            else if (arg.startsWith(QLatin1String("--")))
                longOption(arg);
            else
                shortOptions(arg);
        }
        if (m_options.help || m_options.version)
            return m_options;
        takeOperands(operands);
        checkCombinations();
        return m_options;
    }

private:
    void longOption(const QString &arg)
    {
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        if (const auto flag = flagOptions().find(name); flag != flagOptions().end()) {
            if (equals >= 0)
                fail(QStringLiteral("Die Option %1 nimmt keinen Wert.").arg(name));
            flag->second(m_options);
            noteDirection(name);
            return;
        }
        const auto value = valueOptions().find(name);
        if (value == valueOptions().end())
            fail(QStringLiteral("Unbekannte Option %1.").arg(name));
        value->second(m_options, name, equals < 0 ? nextValue(name) : arg.mid(equals + 1));
    }

    void shortOptions(const QString &arg)
    {
        for (qsizetype k = 1; k < arg.size(); ++k) {
            const QString name = longName(arg[k]);
            if (name.isEmpty())
                fail(QStringLiteral("Unbekannte Option -%1.").arg(arg[k]));
            if (const auto flag = flagOptions().find(name); flag != flagOptions().end()) {
                flag->second(m_options);
                continue;
            }
            // The rest of the argument is the value: -j4, -x Morgen.
            const QString rest = arg.mid(k + 1);
            valueOptions().at(name)(m_options, name, rest.isEmpty() ? nextValue(name) : rest);
            return;
        }
    }

    QString nextValue(const QString &name)
    {
        if (m_next >= m_args.size())
            fail(QStringLiteral("Die Option %1 braucht einen Wert.").arg(name));
        return m_args[m_next++];
    }

    void noteDirection(const QString &name)
    {
        if (name == QLatin1String("--ascending") || name == QLatin1String("--descending"))
            m_directionGiven = true;
    }

    void takeOperands(const QStringList &operands)
    {
        if (operands.isEmpty())
            fail(QStringLiteral("Es fehlt das Muster."));
        m_options.pattern = operands.front();
        if (m_options.pattern.isEmpty())
            fail(QStringLiteral("Das Muster ist leer."));
        m_options.sources = operands.mid(1);
        if (m_options.sources.isEmpty())
            fail(QStringLiteral("Es fehlt eine Quelle (ein Verzeichnis, eine Textdatei oder "
                                "@LISTE)."));
    }

    void checkCombinations() const
    {
        if (m_directionGiven && m_options.sortColumn < 0)
            fail(QStringLiteral("--ascending und --descending gelten nur mit --sort."));
        if (m_options.ignoreCase && !m_options.simple)
            fail(QStringLiteral("-i/--ignore-case gilt nur für die einfache Suche (-s); reguläre "
                                "Ausdrücke schalten die Groß-/Kleinschreibung mit (?i) ab."));
        if (m_options.replace && m_options.copyTo.isEmpty())
            fail(QStringLiteral("--replace gilt nur mit --copy-to ZIEL."));
        if (m_options.antconcVersion >= 0 && m_options.copyTo.isEmpty())
            fail(QStringLiteral("--antconc schreibt die Einstellungsdatei in das Zielverzeichnis "
                                "von --copy-to ZIEL; bitte --copy-to angeben."));
    }

    const QStringList &m_args;
    qsizetype m_next = 0;
    CliOptions m_options;
    bool m_directionGiven = false;
};

} // namespace

ParsedOptions parseOptions(const QStringList &arguments)
{
    try {
        return {Parser(arguments).run(), QString()};
    } catch (const Failure &failure) {
        return {CliOptions(), failure.message};
    }
}

QString helpText()
{
    return QStringLiteral(
        "Aufruf: qvx-cli [OPTIONEN] MUSTER QUELLE...\n"
        "Durchsucht Textdateien wie QVX und gibt die gefundenen Texte mit f, %, fB und\n"
        "G = f*fK+fB*fBK aus; die gefundenen Texte werden auf Wunsch in ein neues\n"
        "Verzeichnis kopiert (Subkorpus) und in einer AntConc-Einstellungsdatei gelistet.\n"
        "\n"
        "MUSTER ist ein regulärer Ausdruck (PCRE), mit -s eine einfache Zeichenfolge.\n"
        "QUELLE ist ein Verzeichnis (seine *.txt-Dateien wie im Fenster), eine Textdatei\n"
        "oder @LISTE, eine Datei mit einem Pfad je Zeile (@- oder - liest die Liste von\n"
        "der Standardeingabe).\n"
        "\n"
        "Suche:\n"
        "  -x, --exclude TEXT       Texte, in denen TEXT vorkommt, auslassen\n"
        "  -w, --weight MUSTER      Treffer von MUSTER als fB zählen (Gewichtung)\n"
        "      --fk ZAHL            Faktor fK (Vorgabe 1)\n"
        "      --fbk ZAHL           Faktor fBK (Vorgabe 1)\n"
        "  -s, --simple             einfache Wortsuche statt regulärer Ausdrücke\n"
        "  -i, --ignore-case        Groß-/Kleinschreibung übergehen (nur mit -s)\n"
        "  -r, --recursive          auch die Unterverzeichnisse durchsuchen\n"
        "      --encoding KODIERUNG windows-1252 (Vorgabe) oder utf-8; das Fenster\n"
        "                           liest nur Windows-1252\n"
        "      --keep-going         unlesbare Quellen melden und weitermachen\n"
        "  -j, --jobs N             Zahl der Threads, die Texte vorauslesen\n"
        "\n"
        "Ergebniszeilen:\n"
        "      --sort SPALTE        file, f, percent, fb oder g\n"
        "      --ascending          aufsteigend sortieren\n"
        "      --descending         absteigend sortieren (Vorgabe)\n"
        "      --min-f N            nur Zeilen mit f größer als N\n"
        "      --min-percent X      nur Zeilen mit % größer als X\n"
        "      --min-fb X           nur Zeilen mit fB größer als X\n"
        "      --format FORMAT      tsv (Vorgabe: UTF-8, Dezimalpunkt), export (wie\n"
        "                           „Ergebnisse als TXT exportieren“) oder jsonl\n"
        "  -o, --output DATEI       in DATEI statt auf die Standardausgabe schreiben\n"
        "\n"
        "Subkorpus:\n"
        "      --copy-to ZIEL       die gefundenen Texte in das neue Verzeichnis ZIEL\n"
        "                           kopieren\n"
        "      --replace            gleichnamige Texte im ZIEL ersetzen statt abbrechen\n"
        "      --antconc VERSION    Einstellungsdatei für AntConc 341w, 324w oder 324m\n"
        "                           in ZIEL (von --copy-to) schreiben\n"
        "\n"
        "  -q, --quiet              keine Fortschrittsanzeige\n"
        "  -h, --help               diese Hilfe zeigen\n"
        "      --version            die Version zeigen\n"
        "\n"
        "Zahlen nehmen einen Punkt oder das Dezimalzeichen der Spracheinstellung.\n"
        "Rückgabewert: 0 Texte gefunden, 1 keine gefunden, 2 Fehler, 130 abgebrochen\n"
        "(Strg+C), 141 Standardausgabe geschlossen.\n");
}

#include "options.h"

#include "optiontable.h"
#include "patternencoding.h"

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw OptionError{message};
}

const OptionEntry *findLong(const QString &name)
{
    for (const OptionEntry &entry : optionTable()) {
        if (name == QLatin1String(entry.longName))
            return &entry;
    }
    return nullptr;
}

const OptionEntry *findShort(QChar letter)
{
    for (const OptionEntry &entry : optionTable()) {
        if (entry.shortName != 0 && letter == QLatin1Char(entry.shortName))
            return &entry;
    }
    return nullptr;
}

int choiceIndex(const OptionEntry &entry, const QString &text)
{
    const int index = int(entry.choices.indexOf(text.toLower()));
    if (index < 0)
        fail(QStringLiteral("%1: '%2' ist nicht möglich; erlaubt sind %3.")
                 .arg(QLatin1String(entry.longName), text,
                      entry.choices.join(QStringLiteral(", "))));
    return index;
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
        if (!m_options.repeatFile.isEmpty()) {
            checkRepeat(operands);
            return m_options;
        }
        takeOperands(operands);
        decodePatterns();
        checkCombinations();
        return m_options;
    }

private:
    void longOption(const QString &arg)
    {
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        const OptionEntry *entry = findLong(name);
        if (!entry)
            fail(QStringLiteral("Unbekannte Option %1.").arg(name));
        if (!entry->argument) {
            if (equals >= 0)
                fail(QStringLiteral("Die Option %1 nimmt keinen Wert.").arg(name));
            apply(*entry, QString());
            noteDirection(name);
            return;
        }
        apply(*entry, equals < 0 ? nextValue(name) : arg.mid(equals + 1));
    }

    void shortOptions(const QString &arg)
    {
        for (qsizetype k = 1; k < arg.size(); ++k) {
            const OptionEntry *entry = findShort(arg[k]);
            if (!entry)
                fail(QStringLiteral("Unbekannte Option -%1.").arg(arg[k]));
            if (!entry->argument) {
                apply(*entry, QString());
                continue;
            }
            // The rest of the argument is the value: -j4, -x Morgen.
            const QString rest = arg.mid(k + 1);
            apply(*entry, rest.isEmpty() ? nextValue(QLatin1String(entry->longName)) : rest);
            return;
        }
    }

    // text is empty for an option without a value.
    void apply(const OptionEntry &entry, const QString &text)
    {
        OptionValue value{QLatin1String(entry.longName), text};
        if (!entry.choices.isEmpty())
            value.choice = choiceIndex(entry, text);
        entry.apply(m_options, value);
        m_given << value.option;
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
        if (m_options.sources.contains(QStringLiteral("@")))
            fail(QStringLiteral("„@“ allein nennt keine Liste; bitte @LISTE mit dem Namen der "
                                "Liste angeben (@- liest die Standardeingabe)."));
        if (m_options.sources.isEmpty())
            fail(QStringLiteral("Es fehlt eine Quelle (ein Verzeichnis, eine Textdatei oder "
                                "@LISTE)."));
    }

    // Only once all options are read: --pattern-encoding may follow the patterns.
    void decodePatterns()
    {
        const bool windows1252 = m_options.patternsInWindows1252;
        m_options.pattern =
            decodedPattern(m_options.pattern, QStringLiteral("MUSTER"), windows1252);
        m_options.exclude = decodedPattern(m_options.exclude, QStringLiteral("-x"), windows1252);
        m_options.weight = decodedPattern(m_options.weight, QStringLiteral("-w"), windows1252);
    }

    void checkCombinations()
    {
        // Paths read best from A to Z, numbers from the largest down.
        if (m_options.sortColumn == 0 && !m_directionGiven)
            m_options.ascending = true;
        if (m_directionGiven && m_options.sortColumn < 0)
            fail(QStringLiteral("--ascending und --descending gelten nur mit --sort."));
        if (m_options.ignoreCase && !m_options.simple)
            fail(QStringLiteral("-i/--ignore-case gilt nur für die einfache Suche (-s); reguläre "
                                "Ausdrücke schalten die Groß-/Kleinschreibung mit (?i) ab."));
        checkSimpleMode();
        checkPathList();
        if (m_options.header && m_options.format != OutputFormat::Tsv)
            fail(QStringLiteral("--header gilt nur für --format tsv."));
        if (m_options.minFB && m_options.weight.isEmpty())
            fail(QStringLiteral("--min-fb gilt nur mit -w/--weight: ohne Gewichtung gibt es kein "
                                "fB."));
        if (m_options.replace && m_options.copyTo.isEmpty())
            fail(QStringLiteral("--replace gilt nur mit --copy-to ZIEL."));
        if (m_options.antconcVersion >= 0 && m_options.copyTo.isEmpty())
            fail(QStringLiteral("--antconc schreibt die Einstellungsdatei in das Zielverzeichnis "
                                "von --copy-to ZIEL; bitte --copy-to angeben."));
        if (m_options.kwicWidth >= 0 && m_options.format == OutputFormat::Export)
            fail(QStringLiteral("--kwic schreibt tsv oder jsonl; --format export passt nicht "
                                "dazu."));
        checkProtocol();
    }

    // The record names its sources so that --repeat can read them again.
    void checkProtocol() const
    {
        if (!m_options.protocol)
            return;
        if (m_options.copyTo.isEmpty())
            fail(QStringLiteral("--protocol schreibt das Protokoll in das Zielverzeichnis von "
                                "--copy-to ZIEL; bitte --copy-to angeben."));
        for (const QString &source : m_options.sources) {
            if (source == QLatin1String("-") || source == QLatin1String("@-"))
                fail(QStringLiteral("Eine Liste von der Standardeingabe lässt sich nicht "
                                    "wiederholen; bitte mit --protocol die Liste als Datei "
                                    "angeben (@LISTE)."));
        }
    }

    // The record holds the search whole; only what leaves the result alone may be given.
    void checkRepeat(const QStringList &operands) const
    {
        const QStringList allowed{QStringLiteral("--repeat"), QStringLiteral("--quiet"),
                                  QStringLiteral("--jobs")};
        for (const QString &option : m_given) {
            if (!allowed.contains(option))
                fail(QStringLiteral("%1 gilt nicht mit --repeat: die Suche steht im Protokoll; "
                                    "nur -q und -j sind möglich.")
                         .arg(option));
        }
        if (!operands.isEmpty())
            fail(QStringLiteral("--repeat nimmt kein Muster und keine Quelle: beide stehen im "
                                "Protokoll."));
    }

    // After the other options: --format may stand after -l.
    void checkPathList()
    {
        if (!m_options.filesWithMatches) {
            if (m_options.nullEnds)
                fail(QStringLiteral("-0/--null gilt nur mit -l/--files-with-matches."));
            return;
        }
        if (m_options.format != OutputFormat::Tsv)
            fail(QStringLiteral("-l/--files-with-matches schreibt nur die Pfade; --format passt "
                                "nicht dazu."));
        if (m_options.kwicWidth >= 0)
            fail(QStringLiteral("-l/--files-with-matches schreibt nur die Pfade; --kwic passt "
                                "nicht dazu."));
        m_options.format = m_options.nullEnds ? OutputFormat::NulPaths : OutputFormat::Paths;
    }

    // The simple search finds texts but counts nothing: a threshold or numeric sort would
    // quietly compare -1 with -1.
    void checkSimpleMode() const
    {
        if (!m_options.simple)
            return;
        const auto refuse = [](const QString &option) {
            fail(QStringLiteral("%1 gilt nicht mit -s: die einfache Suche zählt keine Werte.")
                     .arg(option));
        };
        if (m_options.minF)
            refuse(QStringLiteral("--min-f"));
        if (m_options.minPercent)
            refuse(QStringLiteral("--min-percent"));
        if (m_options.minFB)
            refuse(QStringLiteral("--min-fb"));
        if (m_options.sortColumn > 0)
            refuse(QStringLiteral("--sort ") +
                   findLong(QStringLiteral("--sort"))->choices[m_options.sortColumn]);
        if (!m_options.weight.isEmpty())
            refuse(QStringLiteral("-w/--weight"));
        if (m_options.kwicWidth >= 0)
            refuse(QStringLiteral("--kwic"));
    }

    const QStringList &m_args;
    qsizetype m_next = 0;
    CliOptions m_options;
    bool m_directionGiven = false;
    // The long names of the options given, for --repeat.
    QStringList m_given;
};

} // namespace

ParsedOptions parseOptions(const QStringList &arguments)
{
    try {
        return {Parser(arguments).run(), QString()};
    } catch (const OptionError &failure) {
        return {CliOptions(), failure.message};
    }
}

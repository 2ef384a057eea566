#include "errors/qvxerror.h"
#include "search/pattern.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

qint64 count(const char *pattern, const std::string &subject)
{
    return Pattern(QString::fromUtf8(pattern)).countMatches(subject);
}

// Whether the units suffice, however slow the machine (a sanitizer build beside other load).
qint64 countByUnits(const char *pattern, const std::string &subject)
{
    MatchBudget budget = MatchBudget::withoutTimeLimit(subject.size());
    return Pattern(QString::fromUtf8(pattern)).countMatches(subject, budget);
}

QString compileError(const QString &pattern)
{
    try {
        Pattern p(pattern);
    } catch (const QvxError &e) {
        return e.message();
    }
    return QString();
}

MatchLimitError::Kind limitHit(const QString &pattern, const std::string &subject)
{
    try {
        Pattern(pattern).countMatches(subject);
    } catch (const MatchLimitError &e) {
        return e.kind();
    }
    ADD_FAILURE() << "no limit for " << pattern.toStdString();
    return MatchLimitError::Steps;
}

// A table of numbers, blanks and line breaks, followed by a word that ends in "Euro".
std::string numberTable(size_t size)
{
    std::string text;
    for (int i = 0; text.size() < size; ++i)
        text += std::to_string(i * 7919 % 100000) + (i % 6 == 5 ? "\r\n" : " ");
    return text + "Summe Euro\r\n";
}

} // namespace

TEST(PatternCounting, EmptyMatchesStepOneWholeCharacter)
{
    EXPECT_EQ(count("x*", "ab\r\n"), 5);
    // "ä" is two bytes in UTF-8 but one position.
    EXPECT_EQ(count("x*", "äb\r\n"), 5);
    EXPECT_EQ(count("x*", "€\r\n"), 4);
    EXPECT_EQ(count("x*", ""), 1);
    // The empty match at the end follows the last non-empty one.
    EXPECT_EQ(count("a*", "aa"), 2);
    EXPECT_EQ(count("a*", "baab"), 4);
    EXPECT_EQ(count("(?=b)", "abab"), 2);
    // An empty match right after CR is tried again before LF.
    EXPECT_EQ(count("(?=\\n)", "a\r\n"), 1);
    EXPECT_EQ(count("", "\r\n"), 3);
}

TEST(PatternCounting, MatchesDoNotOverlap)
{
    EXPECT_EQ(count("aa", "aaaa"), 2);
    EXPECT_EQ(count("aa", "aaaaa"), 2);
    EXPECT_EQ(count("aba", "ababa"), 1);
    EXPECT_EQ(count("Heute", "Heute und Heute\r\n"), 2);
    EXPECT_EQ(count("z", "abc\r\n"), 0);
}

TEST(PatternCounting, KeepOutStillProgresses)
{
    // \K makes each "a" an empty match at its end, which is then stepped over.
    EXPECT_EQ(count("a\\K", "aaa"), 2);
    EXPECT_EQ(count("a\\Kb", "abab"), 2);
}

TEST(PatternCounting, AnchorsReferToTheWholeText)
{
    EXPECT_EQ(count("c$", "abc\r\n"), 1);
    EXPECT_EQ(count("a$", "a\r\nb\r\n"), 0);
    EXPECT_EQ(count("^b", "a\r\nb\r\n"), 0);
    EXPECT_EQ(count("^a", "a\r\nb\r\n"), 1);
    // With every newline convention LF alone is a final newline too, hence three.
    EXPECT_EQ(count("$", "abc\r\n"), 3);
    EXPECT_EQ(count("\\R", "a\r\nb\rc\n"), 3);
}

TEST(PatternCounting, WordCharactersAreAsciiOnly)
{
    EXPECT_EQ(count("\\bHaus\\b", "Häuser Haus Hausbau\r\n"), 1);
    EXPECT_EQ(count("\\w+", "äb"), 1);
    EXPECT_EQ(count("\\w", "Straße"), 5);
    EXPECT_EQ(count("\\d", "1²3"), 2);
    EXPECT_EQ(count("ä", "Bär Äpfel ä"), 2);
}

TEST(PatternCounting, CaseAndDotFollowThePatternOnly)
{
    EXPECT_EQ(count("heute", "Heute\r\n"), 0);
    EXPECT_EQ(count("(?i)heute", "Heute HEUTE heute\r\n"), 3);
    EXPECT_EQ(count("a.b", "a\rb a\nb a b\r\n"), 1);
    EXPECT_EQ(count("a.b", "aäb"), 1);
    EXPECT_EQ(count("(?s)a.b", "a\rb\r\n"), 1);
}

TEST(PatternCounting, CompileErrorsGiveTheByteOffset)
{
    EXPECT_EQ(compileError("(abc"),
              QString("Fehler in regulärem Ausdruck bei Offset 4: missing closing parenthesis"));
    EXPECT_EQ(compileError("(äbc"),
              QString("Fehler in regulärem Ausdruck bei Offset 5: missing closing parenthesis"));
    const QString ascii = compileError("aob)");
    const QString umlaut = compileError("äöb)");
    ASSERT_FALSE(ascii.isEmpty());
    EXPECT_EQ(ascii, QString("Fehler in regulärem Ausdruck bei Offset 3: unmatched closing "
                             "parenthesis"));
    EXPECT_EQ(umlaut, QString("Fehler in regulärem Ausdruck bei Offset 5: unmatched closing "
                              "parenthesis"));
    EXPECT_TRUE(compileError("a{2,1}").startsWith("Fehler in regulärem Ausdruck bei Offset "));
    EXPECT_TRUE(compileError("(?<=a+)b").startsWith("Fehler in regulärem Ausdruck bei Offset "));
    EXPECT_TRUE(compileError("sowohl.{0,100}als auch").isEmpty());
}

TEST(PatternCounting, CatastrophicBacktrackingHitsTheLimit)
{
    // The "b" further on defeats PCRE2's shortcut of giving up when a required letter is absent.
    const std::string subject = std::string(40, 'a') + "\r\nb\r\n";
    const Pattern p("(a+)+b");
    EXPECT_THROW(p.countMatches(subject), MatchLimitError);
    EXPECT_THROW(p.matchesAnywhere(subject), MatchLimitError);
    // The same pattern is harmless where it can match quickly.
    EXPECT_EQ(p.countMatches("aaab aab\r\n"), 2);
}

TEST(PatternCounting, BacktrackingAtEveryStartPositionEndsAtTheBoundOfTheWholeText)
{
    // Each start position alone stays far below any limit per position; all of them together
    // would take minutes.
    EXPECT_EQ(limitHit(QStringLiteral("(\\d|\\s)+Euro"), numberTable(100 * 1024)),
              MatchLimitError::Steps);
    EXPECT_EQ(limitHit(QStringLiteral("(?:a|b)*c"), std::string(300 * 1024, 'a') + "xc\r\n"),
              MatchLimitError::Steps);
    // The searches of several patterns on one text draw on one budget.
    const std::string table = numberTable(100 * 1024);
    MatchBudget budget(table.size());
    EXPECT_THROW(Pattern("(\\d|\\s)+Euro").countMatches(table, budget), MatchLimitError);
    EXPECT_THROW(Pattern("Summe").countMatches(table, budget), MatchLimitError);
    EXPECT_EQ(Pattern("Summe").countMatches(table), 1);
}

TEST(PatternCounting, FramesBeyondTheHeapLimitEndTheSearch)
{
    // Every repetition of the group keeps the 200 empty groups' offsets in a frame of the
    // interpreter, which takes over when the JIT's stack overflows.
    QString groups;
    for (int i = 0; i < 200; ++i)
        groups += QStringLiteral("()");
    EXPECT_EQ(limitHit("(?:" + groups + "a)*b", std::string(2 * 1024 * 1024, 'a') + "xb\r\n"),
              MatchLimitError::Memory);
}

TEST(PatternCounting, SearchesInWindowsOfStartPositionsFindWhatOneSearchFinds)
{
    const std::string far = std::string(300 * 1024, 'x') + "ab" + std::string(70000, 'y') + "ab";
    EXPECT_EQ(count("ab", far), 2);
    EXPECT_EQ(count("(?<=x)ab", far), 1);
    // \G and the backtracking verbs depend on where a search starts; they see one search.
    const std::string late = "b" + std::string(100 * 1024, 'a');
    EXPECT_EQ(count("\\Ga", late), 0);
    EXPECT_EQ(count("(*NO_START_OPT)(*COMMIT)a", late), 0);
    EXPECT_EQ(count("a(*SKIP)(*FAIL)|b", late), 1);
}

TEST(PatternCounting, StartSettingsLeaveTheOutcomeAlone)
{
    // Prose around a table of numbers: each start position in the table backtracks over the rest
    // of it, which windows of start positions pay for piece by piece.
    std::string prose;
    while (prose.size() < 16 * 1024)
        prose += "Der Markt war gut besucht; die Händler boten Äpfel und Birnen an.\r\n";
    const std::string text = prose + "Ein Korb kostet 12 Euro.\r\n" + numberTable(2 * 1024) +
                             prose + "Zwei Körbe kosten 12 Euro.\r\n";
    EXPECT_EQ(count("(\\d|\\s)+Euro", text), 3);
    EXPECT_EQ(count("(*UCP)(\\d|\\s)+Euro", text), 3);

    // Without the required "b" no start position can match, however long each would take.
    const std::string letters(1024 * 1024, 'a');
    EXPECT_EQ(count("a.*b", letters), 0);
    EXPECT_EQ(count("(*UTF)a.*b", letters), 0);
    EXPECT_EQ(count("(?i)a.*B", letters + "b"), 1);

    // (*COMMIT) ends the whole search at the first position that reaches it, also the "c" far
    // beyond, as in PCRE2's one search over the whole text.
    EXPECT_EQ(count("a(*COMMIT)b|c", "ax" + std::string(100 * 1024, 'y') + "c\r\n"), 0);
}

TEST(PatternCounting, LegitimatePatternsCopeWithLongTexts)
{
    std::string text;
    const std::string line = "Er mag sowohl Tee als auch Kaffee, ob abends oder morgens, "
                             "bald hier, bald da; äußerst häufig.\r\n";
    while (text.size() < 5 * 1024 * 1024)
        text += line;
    const auto lines = static_cast<qint32>(text.size() / line.size());

    EXPECT_EQ(countByUnits("sowohl.{0,100}als auch", text), lines);
    EXPECT_EQ(countByUnits("(a|b)*c", text), lines);
    EXPECT_EQ(countByUnits("\\w+", text), 19 * lines);
    EXPECT_EQ(countByUnits("\\boder\\b", text), lines);
    EXPECT_EQ(countByUnits("(?i)heute|morgen", text), lines);
    EXPECT_EQ(countByUnits("\\b(\\w+)\\b.*\\b\\1\\b", text), lines);
    EXPECT_EQ(countByUnits("x*", text),
              static_cast<qint32>(QString::fromStdString(text).size() + 1));
    EXPECT_TRUE(Pattern("(?s)Er.*häufig\\.$").matchesAnywhere(text));
}

TEST(PatternCounting, LongRepetitionBeyondTheJitStackIsStillCounted)
{
    std::string text;
    for (int i = 0; i < 600 * 1024; ++i)
        text += "ab";
    text += "c\r\nabc\r\n";
    EXPECT_EQ(countByUnits("(a|b)*c", text), 2);
}

TEST(PatternCounting, MatchesAnywhereIsOneSearchFromTheStart)
{
    EXPECT_TRUE(Pattern("Morgen").matchesAnywhere("Heute\r\nund Morgen\r\n"));
    EXPECT_FALSE(Pattern("morgen").matchesAnywhere("Heute\r\nund Morgen\r\n"));
    EXPECT_TRUE(Pattern("x*").matchesAnywhere(""));
    EXPECT_FALSE(Pattern("^und").matchesAnywhere("Heute\r\nund Morgen\r\n"));
}

TEST(PatternCounting, SingleByteMatchesResumeAtTheNextWholeCharacter)
{
    // \C matches one byte of a character's UTF-8 form; the following search starts with the next
    // character, so each character is found once and marked whole.
    EXPECT_EQ(count("\\C", "ä€b\r\n"), 5);
    EXPECT_EQ(count("\\C\\K", "äb"), 2);

    std::vector<std::pair<qsizetype, qsizetype>> marks;
    Pattern("\\C").forEachMatch(
        "ä€b", [&marks](qsizetype start, qsizetype length) { marks.emplace_back(start, length); });
    const std::vector<std::pair<qsizetype, qsizetype>> whole = {{0, 1}, {1, 1}, {2, 1}};
    EXPECT_EQ(marks, whole);
}

TEST(PatternCounting, AFirstUnitFromALookaheadStillFindsMatchesOfOneCharacter)
{
    const std::string text = "a€€_ ba aa";
    EXPECT_EQ(count("(?=a)b?a", text), 4);
    EXPECT_EQ(count("(?i)(?=A)b?a", text), 4);
    EXPECT_EQ(count("(*pla:a)x*a", text), 4);
    // A text searched in windows of start positions, and one with the unit at its very end.
    EXPECT_EQ(count("(?=a)b?a", std::string(2 * 1024 * 1024, 'x') + text), 4);
    EXPECT_EQ(count("(?=a)b?a", "xxxa"), 1);
}

#include "subcorpus/antconctemplates.h"

#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");

// Key and value of every line that has a key; the line without one is left out.
QMap<QString, QString> settings(const QStringList &lines)
{
    QMap<QString, QString> values;
    for (const QString &line : lines) {
        const int blank = line.indexOf(QLatin1Char(' '));
        if (blank >= 0)
            values.insert(line.left(blank), line.mid(blank + 1));
    }
    return values;
}

QSet<QString> keysOnlyIn(const QMap<QString, QString> &a, const QMap<QString, QString> &b)
{
    QSet<QString> keys;
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        if (!b.contains(it.key()))
            keys.insert(it.key());
    return keys;
}

} // namespace

TEST(AntconcTemplates, HoldTheLinesOfEachVersionInKeyOrder)
{
    const QStringList v341w = antconcTemplate(0);
    const QStringList v324w = antconcTemplate(1);
    const QStringList v324m = antconcTemplate(2);
    EXPECT_EQ(v341w.size(), 200);
    EXPECT_EQ(v324w.size(), 184);
    EXPECT_EQ(v324m.size(), 185);

    for (const QStringList &lines : {v341w, v324w, v324m}) {
        EXPECT_EQ(lines.front(), QStringLiteral("ClosePunctuation 0"));
        EXPECT_EQ(lines.back(), QStringLiteral("zoom_scale 1"));
        QString previousKey;
        for (const QString &line : lines) {
            EXPECT_FALSE(line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')));
            const int blank = line.indexOf(QLatin1Char(' '));
            if (blank < 0)
                continue;
            const QString key = line.left(blank);
            // Strictly ascending by character code: upper case first, "_" before lower case.
            EXPECT_LT(previousKey.compare(key, Qt::CaseSensitive), 0) << qPrintable(key);
            previousKey = key;
        }
        EXPECT_TRUE(lines.contains(QStringLiteral("or_wildcard |")));
        EXPECT_TRUE(lines.contains(QStringLiteral("token_def \\p{L}")));
        EXPECT_TRUE(lines.contains(QStringLiteral("header_end_tag /teiHeader>")));
        EXPECT_TRUE(lines.contains(QStringLiteral("wordlist_lemma_list_file ")));
        EXPECT_TRUE(lines.contains(QStringLiteral("wordlist_range_file ")));
    }

    // 3.2.4m is 3.2.4w with another search term and the class split over two lines.
    QStringList expected324m = v324w;
    expected324m.replace(expected324m.indexOf(QStringLiteral("search_term ")),
                         QStringLiteral("search_term Erdbeben"));
    const int classLine = expected324m.indexOf(QStringLiteral("user_defined_class ") + alphabet);
    ASSERT_GE(classLine, 0);
    expected324m.replace(classLine, QStringLiteral("user_defined_class "));
    expected324m.insert(classLine + 1, alphabet);
    EXPECT_EQ(v324m, expected324m);

    // The line without a key follows the empty class in 3.4.1w as in 3.2.4m.
    const int emptyClass = v341w.indexOf(QStringLiteral("user_defined_class "));
    ASSERT_GE(emptyClass, 0);
    EXPECT_EQ(v341w.value(emptyClass + 1), alphabet);
    EXPECT_TRUE(v341w.contains(QStringLiteral("search_term ")));

    const QMap<QString, QString> s341w = settings(v341w);
    const QMap<QString, QString> s324w = settings(v324w);
    const QSet<QString> only341w{"cluster_lbr_replacement",
                                 "clusters_min_range",
                                 "clusters_pane_range_frame_width",
                                 "conc_tab_delimiter",
                                 "context_search_max_horizon_label",
                                 "context_search_min_horizon_label",
                                 "geometry",
                                 "lbr_replacement",
                                 "nonword_wildcard",
                                 "show_cluster_lbr_replacement",
                                 "show_clusters_range",
                                 "show_conc_tab_delimiter",
                                 "show_lbr_replacement",
                                 "user_appended",
                                 "user_appended_class",
                                 "whitespace_replacement",
                                 "whitespace_replacement_char",
                                 "whitespace_wildcard",
                                 "word_ord_type"};
    const QSet<QString> only324w{"keyword_method", "keywords_threshold", "ref_corpus_loaded",
                                 "wordlist_use_lemma_list"};
    EXPECT_EQ(keysOnlyIn(s341w, s324w), only341w);
    EXPECT_EQ(keysOnlyIn(s324w, s341w), only324w);
    EXPECT_EQ(s341w.value("geometry"), QStringLiteral("784x542+568+269"));
    EXPECT_EQ(s341w.value("user_appended_class"), QStringLiteral("'"));
    EXPECT_EQ(s324w.value("keywords_threshold"), QStringLiteral("AVE"));

    const struct
    {
        const char *key;
        const char *in341w;
        const char *in324w;
    } changed[] = {
        {"arrange_color", "#ff0000", "red"},
        {"arrange2_color", "#00bb00", "#00d500"},
        {"collocates_ord_type", "Sort by Stat", "Sort by Freq"},
        {"context_search_min_horizon", "-5", "0"},
        {"font_data_family", "Segoe UI", "Courier"},
        {"font_encoding", "UTF-8", "iso-8859-1"},
        {"keywords_threshold_display_value", "All Values", "Average Value"},
        {"min_collocates_size_label", "5L", "1L"},
        {"tool_settings_index", "0", "4"},
    };
    for (const auto &line : changed) {
        EXPECT_EQ(s341w.value(line.key), QString::fromLatin1(line.in341w)) << line.key;
        EXPECT_EQ(s324w.value(line.key), QString::fromLatin1(line.in324w)) << line.key;
    }
    int differing = 0;
    for (auto it = s341w.cbegin(); it != s341w.cend(); ++it)
        if (s324w.contains(it.key()) && s324w.value(it.key()) != it.value())
            ++differing;
    EXPECT_EQ(differing, 24);
}

#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

// The word list of Debian's German dictionary package (wngerman).
QString defaultWordListPath();

// The words of a UTF-8 word list, one a line, in Windows-1252; words that have no Windows-1252
// form are left out. Empty when the file cannot be read.
std::vector<std::string> loadWordList(const QString &path);

// The commonest German words in Windows-1252, commonest first: the function words, then a few
// everyday nouns, verbs and adverbs that the benchmark's patterns look for.
const std::vector<std::string> &commonGermanWords();

// A word that the generated prose holds only a few times in a large corpus.
std::string rareWord();

// The words of a generated text, by rank: the common words in their order, then the dictionary
// in an order drawn from seed, and last every dictionary word that contains rareWord() (the word
// itself when the dictionary lacks it), so that
// it stays rare however the rest is drawn. Every word appears once.
std::vector<std::string> rankedVocabulary(const std::vector<std::string> &dictionary,
                                          std::uint64_t seed);

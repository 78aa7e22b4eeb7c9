#pragma once

#include <QString>

#include <vector>

class cWordList;

// Pronounceable made-up words for the first keys, when too few real words can be typed with them:
// each letter follows the two before it as often as it does in the language's words (a letter
// trigram model of the word list, falling back to letter pairs and single letters where the allowed
// letters leave no trigram).
class cPseudoWords
{
public:
    // The model of the language's word list, built on the first call.
    static const cPseudoWords &Get(bool arabic);
    explicit cPseudoWords(const cWordList &words);

    // A word of iLength keys typed only with `allowed`, holding one of `focus`'s keys where focus
    // shares a key with allowed, as the pad types it (a lam-alef key gives its two letters).
    // Harakat never stand in it. "" when allowed holds no letter of the language.
    QString Make(const QString &allowed, const QString &focus, int iLength) const;

private:
    int at(int a, int b, int c) const { return (a * m_iSize + b) * m_iSize + c; }

    const cWordList &m_words;
    int m_iKeys; // key characters of the language; index m_iKeys marks a word's start and end
    int m_iSize; // m_iKeys + 1
    std::vector<quint32> m_trigrams; // [a][b][c]: how often c follows a, b
    std::vector<quint32> m_pairs;    // [b][c]
    std::vector<quint32> m_singles;  // [c]
};

#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class cPseudoWords;
class cWordList;

// The adaptive practice's lines: real words of the training language that the learner's keys can
// type, each holding the focus key, made-up pronounceable words where the keys are still too few.
class cAdaptiveText
{
public:
    // Reads the language's word list (once per run) and builds its letter model.
    explicit cAdaptiveText(bool arabic);
    cAdaptiveText(const cWordList &words, const cPseudoWords &pseudo);

    bool bDiacritics = false; // harakat only when the learner turns them on and their keys are allowed

    // A line of about iLength characters: words typed only with `allowed`, each holding one of
    // `focus`'s characters where such words exist, no word twice in the line, none of `recent` (the
    // words the learner has just typed) while others remain; pseudo-words where there are too few
    // real words. Key characters as the key model gives them: a lam-alef ligature stands for its
    // key, so a word with that pair needs it, and its lam or alef alone needs their own keys.
    // Allowed punctuation keys follow words: the focus one every word, the others now and then.
    QString MakeLine(const QString &allowed, const QString &focus, const QStringList &recent,
                     int iLength = 48) const;

private:
    // The words the allowed keys can type, split by whether they hold the focus; kept for the next
    // line while the keys stay the same.
    struct Pool
    {
        quint64 iAllowed = 0;
        quint64 iFocus = 0;
        bool bFilled = false;
        std::vector<int> typable;   // words of m_words the allowed keys type
        std::vector<int> holding;   // those holding the focus (all of them without one)
        std::vector<quint64> marks; // per holding word, the harakat it can carry
    };
    void fill(quint64 allowed, quint64 focus) const;
    quint64 possibleMarks(int word) const;
    QString vocalised(int word, quint64 marks, quint64 focus) const;

    const cWordList &m_words;
    const cPseudoWords &m_pseudo;
    mutable Pool m_pool;
};

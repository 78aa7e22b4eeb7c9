#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// The words of a training language that practice lines are made of (resources/words, made by
// scripts/make-wordlists.py), as the pad types them. Each word also has the set of keys it needs as
// a bit mask over the language's key characters: the letters, the lam-alef pairs (one key each) and,
// for Arabic, the harakat.
class cWordList
{
public:
    // The list of the language, read from the resource on the first call (the screen that uses it
    // opens first; start-up never reads it).
    static const cWordList &Get(bool arabic);
    // A list of the given words, as the pad types them (tests, tools).
    cWordList(bool arabic, const QStringList &words);
    // The words of `text`, one a line, sorted.
    cWordList(bool arabic, QString text);
    cWordList(const cWordList &) = delete;
    cWordList &operator=(const cWordList &) = delete;

    bool IsArabic() const { return m_bArabic; }
    int Count() const { return int(m_masks.size()); }
    QStringView Word(int i) const
    {
        return QStringView(m_sText).mid(m_starts[size_t(i)],
                                        m_starts[size_t(i) + 1] - m_starts[size_t(i)] - 1);
    }
    // The index of `word`, -1 when the list does not hold it.
    int Find(QStringView word) const;
    // Every word as a string of its own: made on the first call and some 6 MB for Arabic, so the
    // tutor itself reads words through Word().
    const QStringList &Words() const;
    // The keys each word needs.
    const std::vector<quint64> &Masks() const { return m_masks; }

    // The key characters of the language in bit order, and a character's bit (-1 for one no key
    // types as a letter). English capitals share their small letter's bit.
    QStringView Keys() const;
    int KeyIndex(QChar c) const;
    // The bits of every key character in `keys` (other characters are passed over).
    quint64 Mask(QStringView keys) const;
    // The bits of the harakat (0 for English).
    quint64 HarakatMask() const;

    // A word with each lam-alef pair as the one character of its key (U+FEFB and its hamza and madda
    // forms), and back: how the keys see a word and how the pad types it.
    static QString KeyForm(QStringView word);
    static QString PadForm(QStringView keys);

private:
    void index();

    bool m_bArabic;
    // Every word followed by a line feed, and where each starts (one more at the end): a few bytes a
    // word beside its letters, where a string of its own would take some forty.
    QString m_sText;
    std::vector<quint32> m_starts;
    std::vector<quint64> m_masks;
    mutable QStringList m_words;
};

#include "typing/cPadColumns.h"

#include <algorithm>

namespace {

enum class Kind
{
    Left,    // strong left to right
    Right,   // strong right to left
    Number,  // digits, which run left to right inside right-to-left text
    Neutral, // blanks and punctuation: they take the direction around them
};

Kind kindOf(QChar c)
{
    switch (c.direction()) {
    case QChar::DirL:
        return Kind::Left;
    case QChar::DirR:
    case QChar::DirAL:
        return Kind::Right;
    case QChar::DirEN:
    case QChar::DirAN:
        return Kind::Number;
    default:
        return Kind::Neutral;
    }
}

// A simplified bidirectional ordering for one line without embeddings: strong letters and digits
// get their levels, neutrals between two runs of one direction take it (digits count as right to
// left there), others and trailing blanks take the line's own; then runs are reversed from the
// highest level down. Enough for a typing line: Arabic with digits or a Latin name, or the reverse.
QList<int> levelsOf(const QString &text, bool rightToLeft)
{
    const int base = rightToLeft ? 1 : 0;
    const qsizetype n = text.size();
    QList<Kind> kinds(n);
    Kind previous = rightToLeft ? Kind::Right : Kind::Left;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        // A mark takes the kind of the letter it sits on.
        kinds[i] = c.category() == QChar::Mark_NonSpacing && i > 0 ? kinds[i - 1] : kindOf(c);
        // Digits after Latin letters are part of the Latin run.
        if (kinds[i] == Kind::Number && previous == Kind::Left)
            kinds[i] = Kind::Left;
        if (kinds[i] == Kind::Left || kinds[i] == Kind::Right)
            previous = kinds[i];
    }
    auto direction = [](Kind k) { return k == Kind::Left ? Kind::Left : Kind::Right; };
    for (qsizetype i = 0; i < n;) {
        if (kinds[i] != Kind::Neutral) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && kinds[end] == Kind::Neutral)
            ++end;
        const Kind before = i > 0 ? direction(kinds[i - 1]) : (rightToLeft ? Kind::Right : Kind::Left);
        const Kind after = end < n ? direction(kinds[end]) : (rightToLeft ? Kind::Right : Kind::Left);
        const Kind taken = before == after ? before : (rightToLeft ? Kind::Right : Kind::Left);
        for (qsizetype j = i; j < end; ++j)
            kinds[j] = taken;
        i = end;
    }
    QList<int> levels(n);
    for (qsizetype i = 0; i < n; ++i) {
        switch (kinds[i]) {
        case Kind::Left:
            levels[i] = base == 1 ? 2 : 0;
            break;
        case Kind::Right:
            levels[i] = 1;
            break;
        default:
            levels[i] = 2;
            break;
        }
    }
    for (qsizetype i = n - 1; i >= 0 && text.at(i).isSpace(); --i)
        levels[i] = base;
    return levels;
}

bool joinsOnItsLeadingSide(QChar::JoiningType t)
{
    return t == QChar::Joining_Dual || t == QChar::Joining_Right || t == QChar::Joining_Causing;
}

bool joinsOnItsTrailingSide(QChar::JoiningType t)
{
    return t == QChar::Joining_Dual || t == QChar::Joining_Left || t == QChar::Joining_Causing;
}

bool isAlefForm(QChar c)
{
    return c == QChar(0x0627) || c == QChar(0x0623) || c == QChar(0x0622) || c == QChar(0x0625);
}

void OrderColumns(const QString &text, bool rightToLeft, QList<PadCell> &cells)
{
    const qsizetype n = text.size();
    // Visual order: reverse runs from the highest level down to the lowest odd one.
    const QList<int> levels = levelsOf(text, rightToLeft);
    QList<int> order(n);
    for (qsizetype i = 0; i < n; ++i)
        order[i] = int(i);
    const int highest = *std::max_element(levels.begin(), levels.end());
    for (int level = highest; level >= 1; --level) {
        for (qsizetype i = 0; i < n;) {
            if (levels[order[i]] < level) {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < n && levels[order[end]] >= level)
                ++end;
            std::reverse(order.begin() + i, order.begin() + end);
            i = end;
        }
    }
    for (qsizetype column = 0; column < n; ++column)
        cells[order[column]].iColumn = int(column);
}

} // namespace

QList<PadCell> LayOutColumns(const QString &text, bool rightToLeft, bool ordered)
{
    const qsizetype n = text.size();
    QList<PadCell> cells(n);
    if (n == 0)
        return cells;
    if (ordered)
        OrderColumns(text, rightToLeft, cells);

    // Joining: each letter with the nearest letters around it that are not marks.
    auto typeAt = [&text](qsizetype i) { return text.at(i).joiningType(); };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar::JoiningType t = typeAt(i);
        if (t == QChar::Joining_Transparent || t == QChar::Joining_None)
            continue;
        qsizetype before = i - 1;
        while (before >= 0 && typeAt(before) == QChar::Joining_Transparent)
            --before;
        qsizetype after = i + 1;
        while (after < n && typeAt(after) == QChar::Joining_Transparent)
            ++after;
        cells[i].bJoinsBefore =
            before >= 0 && joinsOnItsLeadingSide(t) && joinsOnItsTrailingSide(typeAt(before));
        cells[i].bJoinsAfter = after < n && joinsOnItsTrailingSide(t) && joinsOnItsLeadingSide(typeAt(after));
    }
    // A mark between two joined letters carries the join across its column.
    for (qsizetype i = 0; i < n; ++i) {
        if (typeAt(i) != QChar::Joining_Transparent)
            continue;
        qsizetype before = i - 1;
        while (before >= 0 && typeAt(before) == QChar::Joining_Transparent)
            --before;
        cells[i].bJoinsBefore = cells[i].bJoinsAfter = before >= 0 && cells[before].bJoinsAfter;
    }
    // Lam and the alef after it are written as one ligature, over the two columns.
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (text.at(i) == QChar(0x0644) && isAlefForm(text.at(i + 1)) &&
            (!ordered || std::abs(cells[i].iColumn - cells[i + 1].iColumn) == 1)) {
            cells[i].iSpan = 2;
            cells[i + 1].iSpan = 0;
            cells[i].bJoinsAfter = false;
            cells[i + 1].bJoinsBefore = false;
            ++i;
        }
    }
    return cells;
}

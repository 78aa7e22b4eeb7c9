#pragma once

#include <QList>
#include <QString>

// The typing pad keeps one character per column, so a typed letter stands under the letter it was
// judged against. This is where each character of a line goes: its column counted from the left
// (the line read in its direction, runs of the other direction kept in theirs), and how it joins
// its neighbours, so each column can hold its letter in the form it takes in the word.
struct PadCell
{
    int iColumn = 0;
    // Joins the letter before it in reading order, and the one after it.
    bool bJoinsBefore = false;
    bool bJoinsAfter = false;
    // 1 for a character of its own; 2 for a lam that is drawn with the alef after it as one
    // ligature across both columns; 0 for that alef.
    int iSpan = 1;
};

// Lays out `text` for a line read right to left (`rightToLeft`) or left to right. Without
// `ordered` every column is left at 0: for a line that takes its columns from another.
QList<PadCell> LayOutColumns(const QString &text, bool rightToLeft, bool ordered = true);

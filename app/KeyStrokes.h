#pragma once

#include <QString>

// The key that types a letter, on the keyboard pictures' grid (keygrid positions).
namespace keygrid {

struct KeyStroke
{
    int position = -2; // kNoKey: no key of the layout gives it
    bool shift = false;
};

// The key, and whether Shift goes with it, that types the start of `text` in the training layout
// (Arabic 101 or US): lam with an alef after it is the one key that types both.
KeyStroke strokeFor(const QString &text, bool arabic);

} // namespace keygrid

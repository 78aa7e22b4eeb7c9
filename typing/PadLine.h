#pragma once

#include "typing/cPadColumns.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

// One line of the typing pad drawn into columns: every character in its own column, in the form it
// takes in its word (shaped with the line's face; lam-alef one ligature over its two columns). Each
// column is as wide as its letter, but never narrower than the line's least column, so the line
// reads as it is written; letters in columns wider than they are stay joined by a stretched
// kashida. The columns can be borrowed from another line, so a typed letter stands under the letter
// it is judged against; a letter wider than its column is narrowed to fit, never cut.
class PadLine
{
public:
    // The face, the least width of a column, and the width the line may take at most (columns are
    // narrowed alike to keep within it).
    void SetFace(const QFont &font, double leastColumn, double widest);
    // Lays out `text` in its own columns.
    void SetText(const QString &text, bool rightToLeft);
    // Lays out `text` in the columns of `columns` (its first characters' columns); characters past
    // them follow in the reading direction.
    void SetText(const QString &text, bool rightToLeft, const PadLine &columns);

    const QString &Text() const { return m_text; }
    // The least width of a column, after any narrowing.
    double LeastColumn() const { return m_least * m_narrowing; }
    double Width() const;
    // The column of character `index` from the line's left edge; past the text, the next column in
    // the reading direction.
    QRectF CellRect(qsizetype index, double height) const;

    // Draws the line with its top left at (left, top): every character in `colour`, those listed in
    // `marked` in `markColour`.
    void Draw(QPainter &painter, double left, double top, const QColor &colour,
              const QList<qsizetype> &marked, const QColor &markColour) const;

    // Whether SetText would lay out the same again: same text, direction and face.
    bool Holds(const QString &text, bool rightToLeft, const QFont &font, double widest) const
    {
        return text == m_text && rightToLeft == m_rightToLeft && font == m_font && widest == m_widest;
    }

private:
    int ColumnOf(qsizetype index) const;
    void MeasureColumns();
    // Where each character's glyphs and kashida go, worked out once per text rather than per paint.
    void PlaceGlyphs(qsizetype from = 0);

    struct Placed
    {
        qsizetype index = 0; // the character (a ligature's first)
        const void *shape = nullptr;
        double x = 0;                          // the glyphs' left, from the line's left edge
        double scale = 1;                      // narrowed to fit its column
        double kashidaFrom = 0, kashidaTo = 0; // a stretched kashida, where one joins
    };
    QList<Placed> m_placed;

    QFont m_font;
    void *m_shapes = nullptr; // the shaped characters of this face, shared by every line in it
    double m_least = 0;
    double m_widest = 0;
    double m_narrowing = 1;
    QString m_text;
    bool m_rightToLeft = false;
    QList<PadCell> m_cells;
    // The columns from the left: their left edges and widths.
    QList<double> m_lefts;
    QList<double> m_widths;
};

#include "typing/PadLine.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <limits>
#include <unordered_map>

namespace {

constexpr QChar kJoiner(0x200D); // zero width joiner: a letter takes its joined form without a neighbour
constexpr QChar kTatweel(0x0640);

// A character (or a lam-alef) shaped in one form: its glyphs with the baseline at 0 and the left
// of its advance at 0, and that advance.
struct Shape
{
    QList<QGlyphRun> runs;
    double advance = 0;
    QRectF ink; // the glyphs' ink, from the same origin
};

Shape shapeText(const QFont &font, const QString &core, bool joinBefore, bool joinAfter, bool rightToLeft)
{
    const QString text =
        (joinBefore ? QString(kJoiner) : QString()) + core + (joinAfter ? QString(kJoiner) : QString());
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout.endLayout();
    if (!line.isValid())
        return {};

    Shape shape;
    double left = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    shape.runs = layout.glyphRuns(joinBefore ? 1 : 0, int(core.size()));
    for (const QGlyphRun &run : shape.runs) {
        const QList<QPointF> positions = run.positions();
        const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(run.glyphIndexes());
        for (qsizetype g = 0; g < positions.size(); ++g) {
            left = qMin(left, positions[g].x());
            right = qMax(right, positions[g].x() + advances.value(g).x());
        }
    }
    if (left > right)
        return {};
    shape.advance = right - left;
    for (QGlyphRun &run : shape.runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF &p : positions)
            p -= QPointF(left, line.ascent());
        run.setPositions(positions);
        const QList<quint32> glyphs = run.glyphIndexes();
        for (qsizetype g = 0; g < glyphs.size(); ++g)
            shape.ink |= run.rawFont().boundingRect(glyphs[g]).translated(positions[g]);
    }
    return shape;
}

// Shapes are the same for every pad with the same face: kept for the life of the process, one
// table per face. Node maps: references handed out stay good while more shapes are added.
using ShapeTable = std::unordered_map<QString, Shape>;

ShapeTable &tableFor(const QFont &font)
{
    static std::unordered_map<QString, ShapeTable> tables;
    return tables[font.key()];
}

const Shape &cachedShape(ShapeTable &table, const QFont &font, const QString &core, bool joinBefore,
                         bool joinAfter, bool rightToLeft)
{
    QString key = core;
    key += QChar(u'0' + (joinBefore ? 1 : 0) + (joinAfter ? 2 : 0) + (rightToLeft ? 4 : 0));
    auto found = table.find(key);
    if (found == table.end())
        found = table.emplace(key, shapeText(font, core, joinBefore, joinAfter, rightToLeft)).first;
    return found->second;
}

void drawShape(QPainter &painter, const Shape &shape, double x, double baseline, double scaleX)
{
    painter.save();
    painter.translate(x, baseline);
    if (scaleX != 1.0)
        painter.scale(scaleX, 1.0);
    for (const QGlyphRun &run : shape.runs)
        painter.drawGlyphRun(QPointF(0, 0), run);
    painter.restore();
}

} // namespace

namespace {
// The core a character is drawn from in its column, and whether it is written right to left.
QString coreOf(const QString &text, qsizetype i, const PadCell &cell)
{
    if (cell.iSpan == 2)
        return text.mid(i, 2);
    // A mark stands on a kashida of its own column.
    if (text.at(i).category() == QChar::Mark_NonSpacing)
        return QString(kTatweel) + text.at(i);
    return QString(text.at(i));
}

bool isArabicLetter(QChar c)
{
    return c.joiningType() != QChar::Joining_None || c.direction() == QChar::DirAL ||
           c.direction() == QChar::DirR;
}

const Shape &shapeOf(ShapeTable &table, const QFont &font, const QString &text, qsizetype i,
                     const PadCell &cell, bool rightToLeft)
{
    return cachedShape(table, font, coreOf(text, i, cell), cell.bJoinsBefore,
                       cell.bJoinsAfter && cell.iSpan != 2, isArabicLetter(text.at(i)) || rightToLeft);
}
} // namespace

void PadLine::SetFace(const QFont &font, double leastColumn, double widest)
{
    if (!m_shapes || font != m_font)
        m_shapes = &tableFor(font);
    m_font = font;
    m_least = leastColumn;
    m_widest = widest;
}

void PadLine::SetText(const QString &text, bool rightToLeft)
{
    m_text = text;
    m_rightToLeft = rightToLeft;
    m_cells = LayOutColumns(text, rightToLeft);
    MeasureColumns();
    PlaceGlyphs();
}

void PadLine::MeasureColumns()
{
    const qsizetype n = m_text.size();
    QList<double> widths(n, m_least);
    for (qsizetype i = 0; i < n; ++i) {
        const PadCell &cell = m_cells[i];
        if (cell.iSpan == 0)
            continue;
        const double advance = m_text.at(i).isSpace() ? 0
                                                      : shapeOf(*static_cast<ShapeTable *>(m_shapes), m_font,
                                                                m_text, i, cell, m_rightToLeft)
                                                            .advance;
        if (cell.iSpan == 2) {
            widths[cell.iColumn] = qMax(m_least, advance / 2);
            widths[m_cells[i + 1].iColumn] = qMax(m_least, advance / 2);
        } else {
            widths[cell.iColumn] = qMax(m_least, advance);
        }
    }
    double total = 0;
    for (double w : widths)
        total += w;
    m_narrowing = m_widest > 0 && total > m_widest ? m_widest / total : 1.0;
    m_lefts.resize(n);
    m_widths.resize(n);
    double x = 0;
    for (qsizetype c = 0; c < n; ++c) {
        m_lefts[c] = x;
        m_widths[c] = widths[c] * m_narrowing;
        x += m_widths[c];
    }
}

void PadLine::SetText(const QString &text, bool rightToLeft, const PadLine &columns)
{
    QList<PadCell> cells = LayOutColumns(text, rightToLeft, false);
    for (qsizetype i = 0; i < cells.size(); ++i)
        cells[i].iColumn = columns.ColumnOf(i);
    // Joins and ligatures only between letters that stand side by side in the borrowed columns.
    for (qsizetype i = 0; i + 1 < cells.size(); ++i) {
        const int step = cells[i + 1].iColumn - cells[i].iColumn;
        if (step != (rightToLeft ? -1 : 1)) {
            cells[i].bJoinsAfter = false;
            cells[i + 1].bJoinsBefore = false;
            if (cells[i].iSpan == 2) {
                cells[i].iSpan = 1;
                cells[i + 1].iSpan = 1;
            }
        }
    }
    // A key changes the last letter or two: what stands before them is placed as it was.
    qsizetype same = 0;
    const bool sameColumns = m_lefts == columns.m_lefts && m_widths == columns.m_widths &&
                             m_shapes == columns.m_shapes && m_rightToLeft == rightToLeft;
    if (sameColumns) {
        const qsizetype common = qMin(cells.size(), m_cells.size());
        while (same < common && text.at(same) == m_text.at(same) &&
               cells[same].iColumn == m_cells[same].iColumn &&
               cells[same].bJoinsBefore == m_cells[same].bJoinsBefore &&
               cells[same].bJoinsAfter == m_cells[same].bJoinsAfter &&
               cells[same].iSpan == m_cells[same].iSpan)
            ++same;
    }
    m_text = text;
    m_rightToLeft = rightToLeft;
    m_cells = cells;
    m_shapes = columns.m_shapes;
    m_lefts = columns.m_lefts;
    m_widths = columns.m_widths;
    m_narrowing = columns.m_narrowing;
    m_least = columns.m_least;
    PlaceGlyphs(same);
}

int PadLine::ColumnOf(qsizetype index) const
{
    if (index >= 0 && index < m_cells.size())
        return m_cells[index].iColumn;
    // Past the text: on from the last character in its own run's direction (rightwards after a
    // Latin word on an Arabic line).
    const int past = int(index - m_cells.size() + 1);
    const int count = int(m_lefts.size());
    if (m_cells.isEmpty())
        return m_rightToLeft ? count - past : past - 1;
    bool leftwards = m_rightToLeft;
    for (qsizetype i = m_text.size() - 1; i >= 0; --i) {
        const QChar::Direction d = m_text.at(i).direction();
        if (d == QChar::DirL || d == QChar::DirR || d == QChar::DirAL) {
            leftwards = d != QChar::DirL;
            break;
        }
    }
    return m_cells.last().iColumn + (leftwards ? -past : past);
}

double PadLine::Width() const
{
    return m_lefts.isEmpty() ? 0 : m_lefts.last() + m_widths.last();
}

QRectF PadLine::CellRect(qsizetype index, double height) const
{
    const int column = ColumnOf(index);
    const double least = LeastColumn();
    if (column < 0)
        return QRectF(column * least, 0, least, height);
    if (column >= m_lefts.size())
        return QRectF(Width() + (column - m_lefts.size()) * least, 0, least, height);
    return QRectF(m_lefts[column], 0, m_widths[column], height);
}

void PadLine::PlaceGlyphs(qsizetype from)
{
    // Placements are kept in character order; a ligature's place belongs to its lam.
    while (!m_placed.isEmpty() && m_placed.last().index >= from)
        m_placed.removeLast();
    if (!m_placed.isEmpty() && m_cells.value(m_placed.last().index).iSpan == 2 &&
        m_placed.last().index + 1 >= from)
        m_placed.removeLast();
    from =
        m_placed.isEmpty() ? 0 : m_placed.last().index + (m_cells[m_placed.last().index].iSpan == 2 ? 2 : 1);
    const Shape &kashida =
        cachedShape(*static_cast<ShapeTable *>(m_shapes), m_font, QString(kTatweel), false, false, true);
    constexpr double kOverlap = 0.6; // no seam between a kashida and its letter
    for (qsizetype i = from; i < m_text.size(); ++i) {
        const PadCell &cell = m_cells[i];
        if (cell.iSpan == 0 || m_text.at(i).isSpace())
            continue;
        const bool ligature = cell.iSpan == 2;
        const bool mark = m_text.at(i).category() == QChar::Mark_NonSpacing;
        const bool arabic = isArabicLetter(m_text.at(i));
        const Shape &shape =
            shapeOf(*static_cast<ShapeTable *>(m_shapes), m_font, m_text, i, cell, m_rightToLeft);
        QRectF column = CellRect(i, 1);
        if (ligature)
            column = column.united(CellRect(i + 1, 1));
        const double x = column.left();
        const double width = column.width();
        Placed placed;
        placed.index = i;
        placed.shape = &shape;
        placed.scale = shape.advance > width ? width / shape.advance : 1.0;
        const double drawn = shape.advance * placed.scale;
        // A letter joined on its right touches the column's right edge; others stand in the middle.
        placed.x = cell.bJoinsBefore && arabic ? x + width - drawn : x + (width - drawn) / 2;
        // The join to the next letter, on the left, is drawn out to the column's edge; a mark between
        // two joined letters carries the join across its whole column.
        if (kashida.advance > 0 && mark && cell.bJoinsBefore) {
            placed.kashidaFrom = x;
            placed.kashidaTo = x + width + kOverlap;
        } else if (kashida.advance > 0 && arabic && cell.bJoinsAfter && placed.x > x) {
            placed.kashidaFrom = x;
            placed.kashidaTo = placed.x + kOverlap;
        }
        m_placed.append(placed);
    }
}

void PadLine::Draw(QPainter &painter, double left, double top, const QColor &colour,
                   const QList<qsizetype> &marked, const QColor &markColour) const
{
    if (m_placed.isEmpty())
        return;
    const double baseline = top + QFontMetricsF(m_font).ascent();
    const Shape &kashida =
        cachedShape(*static_cast<ShapeTable *>(m_shapes), m_font, QString(kTatweel), false, false, true);
    // Glyphs drawn at their own width go out in one run per face and colour: a paint call per
    // letter would cost more than all the rest of a key.
    struct Batch
    {
        QRawFont font;
        bool wrong = false;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    QList<Batch> batches;
    auto batchFor = [&batches](const QRawFont &font, bool wrong) -> Batch & {
        for (Batch &batch : batches) {
            if (batch.wrong == wrong && batch.font == font)
                return batch;
        }
        batches.append({font, wrong, {}, {}});
        return batches.last();
    };
    for (const Placed &placed : m_placed) {
        const Shape &shape = *static_cast<const Shape *>(placed.shape);
        const bool ligature = m_cells[placed.index].iSpan == 2;
        const bool wrong = marked.contains(placed.index) || (ligature && marked.contains(placed.index + 1));
        if (placed.kashidaTo > placed.kashidaFrom) {
            // The kashida's stroke, stretched: a plain bar at its height on the baseline.
            const QRectF stroke(left + placed.kashidaFrom, baseline + kashida.ink.top(),
                                placed.kashidaTo - placed.kashidaFrom, kashida.ink.height());
            painter.fillRect(stroke, wrong ? markColour : colour);
        }
        if (placed.scale != 1.0) {
            painter.setPen(wrong ? markColour : colour);
            drawShape(painter, shape, left + placed.x, baseline, placed.scale);
            continue;
        }
        for (const QGlyphRun &run : shape.runs) {
            Batch &batch = batchFor(run.rawFont(), wrong);
            batch.glyphs += run.glyphIndexes();
            for (const QPointF &p : run.positions())
                batch.positions.append(p + QPointF(left + placed.x, baseline));
        }
    }
    for (const Batch &batch : batches) {
        QGlyphRun run;
        run.setRawFont(batch.font);
        run.setGlyphIndexes(batch.glyphs);
        run.setPositions(batch.positions);
        painter.setPen(batch.wrong ? markColour : colour);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
}

#pragma once

#include "app/Artwork.h"

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;
class QWidget;

// The screen kit: the colours, sizes and pieces every screen of the tutor is built from, so they all
// look alike and a screen says what it shows, not how its pieces are drawn.
namespace screen {

// Right-aligned whatever the text's direction: Qt mirrors a plain right alignment for right-to-left
// text, which would put Arabic captions on the left.
constexpr Qt::Alignment kCaptionAlignment = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
// Paragraphs: right-aligned, from the top.
constexpr Qt::Alignment kTextAlignment = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop;

// The main window's content area: every screen panel is this size.
constexpr QSize kSize{600, 480};
// The margin at the panel's sides, and the width between them.
constexpr int kMargin = 20;
constexpr int kInnerWidth = kSize.width() - 2 * kMargin;

// An action row: an icon button on the reading side, its caption to its left.
constexpr int kRowHeight = 30;
constexpr int kButtonWidth = 36;
constexpr int kCaptionGap = 8;
constexpr QSize kIconSize{22, 22};

// Point sizes: the heading, a message, a result's title band.
constexpr int kHeadingPointSize = 16;
constexpr int kMessagePointSize = 12;
constexpr int kBandPointSize = 14;

// The colours of the screens (the typing pad takes the learner's own).
inline const QColor kHeadingColour{0x1f, 0x3a, 0x5f}; // headings and their bands, highlighted values
inline const QColor kMenuColour{0xe9, 0xee, 0xf5};    // the main window's menu strip
inline const QColor kMessageColour{0xff, 0xf8, 0xdc}; // a message or a result over the pads
inline const QColor kMessageBorder{0x8a, 0x7a, 0x4a};
inline const QColor kFrameColour{0xee, 0xf2, 0xf7}; // a group of values
inline const QColor kFrameBorder{0xc5, 0xce, 0xdb};
inline const QColor kTableBorder{0x8a, 0x97, 0xaa};
inline const QColor kTableHeader{0xdf, 0xe6, 0xef};

// A panel the size of the main window's content area.
QWidget *makePanel(const QString &name, QWidget *parent);

// The heading band a panel opens with, across the content area; it names the panel too, for the
// learner who hears the screens.
QLabel *makeHeading(const QString &name, const QString &text, QWidget *parent);

// A band in the heading's colours at `geometry`, its text at `pointSize` in bold.
QLabel *makeBand(const QString &name, const QString &text, const QRect &geometry, int pointSize,
                 QWidget *parent);

// A caption or value label kept to the right edge of its place.
QLabel *makeLabel(const QString &name, const QString &text, const QRect &geometry, QWidget *parent);

// A paragraph of explanation, wrapped, from the top right of its place.
QLabel *makeText(const QString &name, const QString &text, const QRect &geometry, QWidget *parent);

// An icon button of an action row.
QPushButton *makeIconButton(const QString &name, artwork::ButtonIcon icon, const QRect &geometry,
                            QWidget *parent);

// An action row across `left` to `right` at `top`: the button at the right end, the caption to its
// left (given to `caption`).
QPushButton *makeActionRow(const QString &buttonName, artwork::ButtonIcon icon, QLabel *&caption,
                           const QString &captionName, const QString &text, int left, int right, int top,
                           QWidget *parent);

// The box a message or a result stands in, over the pads.
QWidget *makeMessagePanel(const QString &name, const QRect &geometry, QWidget *parent);

// A box filled with `fill` inside a one-pixel `border`, its corners rounded by `radius` (0: square).
QWidget *makeBox(const QString &name, const QRect &geometry, const QColor &fill, const QColor &border,
                 double radius, QWidget *parent);

// A caption label in a box of its own, as a table's cell.
QLabel *makeBoxedLabel(const QString &name, const QString &text, const QRect &geometry, const QColor &fill,
                       const QColor &border, QWidget *parent);

// Gives `widget` its text colour and, when `background` is valid, fills it with that colour.
void setColours(QWidget *widget, const QColor &text, const QColor &background = QColor());

// The OK button of a message panel.
QPushButton *makeOkButton(const QRect &geometry, QWidget *parent);

// Sets the font of `widget` to `pointSize` (0 keeps it), bold when asked.
void setFontOf(QWidget *widget, int pointSize, bool bold = false);

// Ctrl+plus, Ctrl+minus and Ctrl+0 in `window`: a step larger, a step smaller, and back to "fit".
void addScaleShortcuts(QWidget *window);

// Values in right-to-left labels: " value %".
QString PercentText(qint64 value);

// What a screen tells the learner beyond the control under the focus: a message shown over the pads,
// a line's or a test's result. It goes to whoever listens (the spoken mode while it is on).
void Announce(const QString &text);
void SetAnnouncer(std::function<void(const QString &)> announcer);

} // namespace screen

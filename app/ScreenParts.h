#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

// The pieces every screen of the main window is built from, so they all look alike.
namespace screen {

// Right-aligned whatever the text's direction: Qt mirrors a plain right alignment for right-to-left
// text, which would put Arabic captions on the left.
constexpr Qt::Alignment kCaptionAlignment = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;

// The main window's content area: every screen panel is this size.
constexpr QSize kSize{600, 480};

// A panel the size of the main window's content area.
QWidget *makePanel(const QString &name, QWidget *parent);

// The heading band a panel opens with, across the content area.
QLabel *makeHeading(const QString &name, const QString &text, QWidget *parent);

// A caption or value label kept to the right edge of its place.
QLabel *makeLabel(const QString &name, const QString &text, const QRect &geometry, QWidget *parent);

} // namespace screen

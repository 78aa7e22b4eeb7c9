#pragma once

#include <QPixmap>
#include <QString>

class QDialog;
class QLabel;
class QLayout;
class QPushButton;

// What the four wizard pages have in common: their size, the side picture and the button row.
namespace pageparts {

constexpr int kPageWidth = 560;
constexpr int kPageHeight = 360;
// Spacing between a heading and its text, and between groups (the picture and the body, the
// buttons), in pixels.
constexpr int kGap = 8;
constexpr int kWideGap = 12;

// `sText` (a path) isolated to read left to right inside right-to-left text, whatever it holds: a
// leading "/" would otherwise stand at its right end, and Arabic folder names would reorder it.
QString LeftToRight(const QString &sText);

// The side picture: a hand over keys, drawn so it stays sharp at any scale.
QPixmap PlanPicture();

// Picture at the reading start (right), the body beside it, the buttons below at the reading end.
void LayOutPage(QDialog *page, QLabel *picPlan, QLayout *body, QPushButton *back, QPushButton *next,
                QPushButton *exit);

} // namespace pageparts

#pragma once

#include <QPixmap>

class QDialog;
class QLabel;
class QLayout;
class QPushButton;

// What the four wizard pages have in common: their size, the side picture and the button row.
namespace pageparts {

constexpr int kPageWidth = 560;
constexpr int kPageHeight = 360;

// The side picture: a hand over keys, drawn so it stays sharp at any scale.
QPixmap PlanPicture();

// Picture at the reading start (right), the body beside it, the buttons below at the reading end.
void LayOutPage(QDialog *page, QLabel *picPlan, QLayout *body, QPushButton *back, QPushButton *next,
                QPushButton *exit);

} // namespace pageparts

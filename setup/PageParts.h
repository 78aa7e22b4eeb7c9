#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// What the installer's windows are built from, so they all look alike: sizes, spacing, colours,
// the side picture, headings, the button row. The geometry is fixed, in pixels.
namespace pageparts {

// The four wizard pages, the copy page and the picture beside a page's text.
constexpr QSize kPageSize{560, 360};
constexpr QSize kCopyPageSize{480, 170};
constexpr QSize kPictureSize{150, 280};
// The background window covers this share of the screen (in tenths), or this area without one.
constexpr int kBackgroundTenths = 9;
constexpr QSize kBackgroundFallback{1024, 700};

// Spacing between a heading and its text, and between groups (the picture and the body, the
// buttons, a question and its options); a page without a heading starts its text this far down.
constexpr int kGap = 8;
constexpr int kWideGap = 12;
constexpr int kBodyTop = 20;
// A heading is the page's font, bold and this many points larger.
constexpr int kHeadingGrowth = 4;

// The installer's blues, darkest first: the background's shade, the picture's sky and its keys.
namespace colours {
constexpr QRgb kBackgroundTop = 0xff0b2a4a;
constexpr QRgb kBackgroundBottom = 0xff2e75b6;
constexpr QRgb kBackgroundTitle = qRgba(255, 255, 255, 220);
constexpr QRgb kSkyTop = 0xff1f4e79;
constexpr QRgb kSkyBottom = 0xff5b9bd5;
constexpr QRgb kKeyEdge = 0xff1f3b57;
constexpr QRgb kKeyFace = 0xfff2f2f2;
constexpr QRgb kProgressBox = 0xffffffff;
constexpr QRgb kProgressBar = 0xff000080;
} // namespace colours

// The captions of the button row.
inline const QString kBackCaption = QStringLiteral("< السابق");
inline const QString kNextCaption = QStringLiteral("التالي >");
inline const QString kExitCaption = QStringLiteral("انهاء");

// `sText` (a path) isolated to read left to right inside right-to-left text, whatever it holds: a
// leading "/" would otherwise stand at its right end, and Arabic folder names would reorder it.
QString LeftToRight(const QString &sText);

// The side picture: a hand over keys, drawn so it stays sharp at any scale.
QPixmap PlanPicture();

// A page's heading, and a page's text wrapped to its width.
QLabel *MakeHeading(const QString &sText, QWidget *page);
QLabel *MakeText(const QString &sText, QWidget *page);

// The button row of a page: back, next (or what stands for it) and exit.
struct PageButtons
{
    QPushButton *back;
    QPushButton *next;
    QPushButton *exit;
};
PageButtons MakeButtons(QWidget *page, const QString &sNext = kNextCaption);

// The body beside the picture: the heading (or the room one takes) over the text, then `below`
// after `gap`.
QVBoxLayout *MakeBody(QLabel *heading, QLabel *text, const QList<QWidget *> &below = {}, int gap = kGap);

// Picture at the reading start (right), the body beside it, the buttons below at the reading end;
// the next button is the default.
void LayOutPage(QDialog *page, QLabel *picPlan, QVBoxLayout *body, const PageButtons &buttons);

} // namespace pageparts

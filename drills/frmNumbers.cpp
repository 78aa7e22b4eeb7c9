#include "drills/frmNumbers.h"

#include "app/Artwork.h"
#include "app/ScreenParts.h"
#include "app/WindowRegistry.h"
#include "typing/PracticePanel.h"
#include "typing/TypingPad.h"
#include "typing/cRandomText.h"
#include "typing/cTypingHost.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr qint16 kLines = 50;
constexpr int kLongerThan = 30;
// Eight digits are drawn, 0 to 7: the drill's lines never hold 8 or 9.
const QString kDigitPool = QStringLiteral("01234567");

// The numeric keypad as the learner sees it: digits on white caps, the other keys greyed, the 5's
// home bump marked.
class KeypadPicture : public QWidget
{
public:
    static constexpr int kKey = 50;
    static constexpr int kGap = 6;

    explicit KeypadPicture(QWidget *parent) : QWidget(parent) {}

    QSize sizeHint() const override { return QSize(4 * kKey + 5 * kGap + 16, 5 * kKey + 6 * kGap + 16); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setLayoutDirection(Qt::LeftToRight);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xDD, 0xE3, 0xEA));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);

        struct Cap
        {
            const char *text;
            int column, row, columns, rows;
        };
        static const Cap caps[] = {
            {"Num", 0, 0, 1, 1}, {"/", 1, 0, 1, 1}, {"*", 2, 0, 1, 1},     {"-", 3, 0, 1, 1},
            {"7", 0, 1, 1, 1},   {"8", 1, 1, 1, 1}, {"9", 2, 1, 1, 1},     {"+", 3, 1, 1, 2},
            {"4", 0, 2, 1, 1},   {"5", 1, 2, 1, 1}, {"6", 2, 2, 1, 1},     {"1", 0, 3, 1, 1},
            {"2", 1, 3, 1, 1},   {"3", 2, 3, 1, 1}, {"Enter", 3, 3, 1, 2}, {"0", 0, 4, 2, 1},
            {".", 2, 4, 1, 1},
        };
        for (const Cap &cap : caps) {
            const QString text = QString::fromLatin1(cap.text);
            const bool typed = text.size() == 1 && (text.at(0).isDigit() || text == QLatin1String("."));
            const QRectF r(8 + kGap + cap.column * (kKey + kGap), 8 + kGap + cap.row * (kKey + kGap),
                           cap.columns * kKey + (cap.columns - 1) * kGap,
                           cap.rows * kKey + (cap.rows - 1) * kGap);
            p.setPen(QPen(screen::kHeadingColour, 1.2));
            p.setBrush(typed ? QColor(Qt::white) : QColor(0xC4, 0xCC, 0xD6));
            p.drawRoundedRect(r, 7, 7);
            QFont f = font();
            f.setBold(true);
            f.setPixelSize(typed ? 20 : 12);
            p.setFont(f);
            p.setPen(typed ? screen::kHeadingColour : QColor(0x55, 0x60, 0x70));
            p.drawText(r, Qt::AlignCenter, text);
            if (text == QLatin1String("5"))
                p.drawLine(QPointF(r.center().x() - 6, r.bottom() - 9),
                           QPointF(r.center().x() + 6, r.bottom() - 9));
        }
    }
};

} // namespace

cPractice MakeNumberPractice()
{
    cPractice practice;
    practice.bShowMessageBox = false;
    practice.sTitle = QStringLiteral("تدريب - الارقام");
    practice.History.source = HistoryRecord::Source::NumberDrill;
    practice.sLetters = QStringLiteral("1234567890");
    practice.SetNumOfSessions(kLines);
    for (qint16 i = 1; i <= kLines; ++i)
        practice.AddText(i, RandomWords(kDigitPool, kLongerThan));
    return practice;
}

frmNumbers::frmNumbers()
{
    setObjectName(QStringLiteral("frmNumbers"));
    resize(screen::kSize);

    picSettings = screen::makePanel(QStringLiteral("picSettings"), this);
    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" ارقام"), picSettings);

    picKeyboard = new KeypadPicture(picSettings);
    picKeyboard->setObjectName(QStringLiteral("picKeyboard"));
    const QSize keypad = picKeyboard->sizeHint();
    picKeyboard->setGeometry((screen::kSize.width() - keypad.width()) / 2, 70, keypad.width(),
                             keypad.height());

    cmdPractice = screen::makeActionRow(QStringLiteral("cmdPractice"), artwork::ButtonIcon::Practice,
                                        lblLesson[0], QStringLiteral("lblLesson0"),
                                        QStringLiteral("تدريبات على استخدام لوحة الارقام."), 30,
                                        screen::kSize.width() - 30, 420, picSettings);
    screen::setFontOf(lblLesson[0], 0, true);
    connect(cmdPractice, &QPushButton::clicked, this, &frmNumbers::cmdPractice_Click);
}

void frmNumbers::cmdPractice_Click()
{
    // In memory only: a kill while the drill is open leaves the learner's own language in the profile.
    theUser().SetEnglishForDrill(true);
    cPractice practice = MakeNumberPractice();
    if (cTypingHost *host = cTypingHost::Current())
        host->PracticeArea()->TypingPad->bArabic = false;
    practice.StartPractic();
}

void frmNumbers::Form_Unload()
{
    // The menu and the main window's close box both unload this window.
    theUser().SetEnglishForDrill(false);
}

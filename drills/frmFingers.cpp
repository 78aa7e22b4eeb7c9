#include "drills/frmFingers.h"

#include "app/Artwork.h"
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/ScreenParts.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "typing/cRandomText.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr qint16 kLines = 50;
constexpr int kLongerThan = 30;

QStringList letters(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

const std::array<FingerKeys, 10> &FingerTable()
{
    static const std::array<FingerKeys, 10> table = {{
        {QStringLiteral("خنصر"), true, {10, 11, 22}, letters("ح ك ظ ج ط د"), letters("p ;")},
        {QStringLiteral("بنصر"), true, {}, letters("خ م ز"), letters("o l .")},
        {QStringLiteral("وسطى"), true, {}, letters("ه ن و"), letters("i k ,")},
        {QStringLiteral("سبابة"), true, {5, 17, 28}, letters("غ ا ى ع ت"), letters("y h n u j m")},
        {QStringLiteral("إبهام"), true, {}, {}, {}},
        {QStringLiteral("إبهام"), false, {}, {}, {}},
        {QStringLiteral("سبابة"), false, {4, 16, 27}, letters("ق ب ر ف ل"), letters("r f v t g b")},
        {QStringLiteral("وسطى"), false, {}, letters("ث ي ؤ"), letters("e d c")},
        {QStringLiteral("بنصر"), false, {}, letters("ص س ء"), letters("w s x")},
        {QStringLiteral("خنصر"), false, {keygrid::kKeyLeftOfOne}, letters("ض ش ئ ذ"), letters("q a z")},
    }};
    return table;
}

std::array<int, 3> FingerBaseKeys(int Index)
{
    // Button order runs against the keyboard's, so finger i sits over column 9 - i of every row.
    return {9 - Index, 21 - Index, 32 - Index};
}

QString FingerLessonLine(int Index)
{
    const FingerKeys &finger = FingerTable().at(Index);
    return QStringLiteral("تدريب على استخدام اصبع ال") + finger.sCaption + QStringLiteral(" ال") +
           (finger.bRightHand ? QStringLiteral("ايمن.") : QStringLiteral("ايسر."));
}

cPractice MakeFingerPractice(const QStringList &sLetters)
{
    cPractice practice;
    practice.bShowMessageBox = false;
    practice.sTitle = QStringLiteral("تدريب - مواضع الاصابع");
    practice.History.source = HistoryRecord::Source::FingerDrill;
    practice.SetNumOfSessions(kLines);
    practice.sLetters = sLetters.join(QString());
    for (qint16 i = 1; i <= kLines; ++i)
        practice.AddText(i, RandomWords(sLetters, kLongerThan).toLower());
    return practice;
}

frmFingers::frmFingers()
{
    setObjectName(QStringLiteral("frmFingers"));
    resize(screen::kSize);

    picSettings = screen::makePanel(QStringLiteral("picSettings"), this);
    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" مواضع الاصابع"), picSettings);

    picKeyboard = new KeyboardPicture(picSettings);
    picKeyboard->setObjectName(QStringLiteral("picKeyboard"));
    const QSize keyboard = picKeyboard->sizeHint();
    picKeyboard->setGeometry((screen::kSize.width() - keyboard.width()) / 2, 52, keyboard.width(),
                             keyboard.height());

    // The hands as the learner sees them: left hand's buttons on the left, thumbs in the middle.
    constexpr int kButtonWidth = 50;
    constexpr int kGap = 4;
    constexpr int kHandWidth = 5 * kButtonWidth + 4 * kGap;
    constexpr int kLeftHand = 20;
    constexpr int kRightHand = screen::kSize.width() - 20 - kHandWidth;
    constexpr int kButtonsTop = 256;
    lblLesson[1] = screen::makeLabel(QStringLiteral("lblLesson1"), QStringLiteral("اليد اليسرى:"),
                                     QRect(kLeftHand, 228, kHandWidth, 24), picSettings);
    lblLesson[2] = screen::makeLabel(QStringLiteral("lblLesson2"), QStringLiteral("اليد اليمنى:"),
                                     QRect(kRightHand, 228, kHandWidth, 24), picSettings);
    for (int i = 0; i < 10; ++i) {
        const int x = i < 5 ? kRightHand + (4 - i) * (kButtonWidth + kGap)
                            : kLeftHand + (9 - i) * (kButtonWidth + kGap);
        auto *button = new QPushButton(FingerTable().at(i).sCaption, picSettings);
        button->setObjectName(QStringLiteral("cmdFinger%1").arg(i));
        button->setGeometry(x, kButtonsTop, kButtonWidth, 30);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdFinger_Click(i); });
        cmdFinger[i] = button;
    }

    QWidget *hands = artwork::createPicture(artwork::Picture::HomeHands, picSettings);
    // The drawing scales with its width; this size keeps the palms inside its height.
    hands->setGeometry((screen::kSize.width() - 330) / 2, 292, 330, 118);

    cmdPractice = screen::makeActionRow(QStringLiteral("cmdPractice"), artwork::ButtonIcon::Practice,
                                        lblLesson[0], QStringLiteral("lblLesson0"),
                                        QStringLiteral("تدريب على استخدام اصبع الوسطى الايمن"), 30,
                                        screen::kSize.width() - 30, 420, picSettings);
    screen::setFontOf(lblLesson[0], 0, true);
    connect(cmdPractice, &QPushButton::clicked, this, &frmFingers::cmdPractice_Click);
    cmdPractice->hide();
    lblLesson[0]->hide();
}

void frmFingers::Form_Load()
{
    // The letters become the picture's background: choosing a finger clears back to it, not further.
    picKeyboard->SetPicture(KeyboardDrawing());
    theApp().ShowLetters(picKeyboard);
    m_background = picKeyboard->Picture();
}

void frmFingers::cmdFinger_Click(int Index)
{
    if (Index < 0 || Index >= int(cmdFinger.size()))
        return;
    picKeyboard->SetPicture(m_background);
    const FingerKeys &finger = FingerTable().at(Index);
    if (finger.IsThumb()) {
        theApp().SelectLetter(picKeyboard, QVariant(keygrid::kSpaceBar));
        cmdPractice->hide();
        lblLesson[0]->hide();
        return;
    }
    for (int position : finger.iFurtherKeys)
        theApp().SelectLetter(picKeyboard, QVariant(position));
    const bool arabic =
        theUser().GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar");
    sFingerLetters = arabic ? finger.sArabicLetters : finger.sEnglishLetters;
    for (int position : FingerBaseKeys(Index))
        theApp().SelectLetter(picKeyboard, QVariant(position));
    lblLesson[0]->setText(FingerLessonLine(Index));
    cmdPractice->show();
    lblLesson[0]->show();
}

void frmFingers::cmdPractice_Click()
{
    // The button only shows for a finger with letters; the guard keeps a stray call harmless.
    if (sFingerLetters.size() < 2)
        return;
    MakeFingerPractice(sFingerLetters).StartPractic();
}

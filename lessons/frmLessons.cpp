#include "lessons/frmLessons.h"

#include "app/Artwork.h"
#include "app/KeyboardPicture.h"
#include "app/ScreenParts.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kWidth = screen::kSize.width();
constexpr int kRowHeight = screen::kRowHeight;

// One cell of the results table; neighbouring cells overlap by a pixel so borders stay single.
QLabel *makeCell(const QString &name, const QString &text, QWidget *parent, const QRect &geometry,
                 bool header)
{
    QLabel *cell = screen::makeBoxedLabel(name, text, geometry,
                                          header ? screen::kTableHeader : QColor(Qt::white),
                                          screen::kTableBorder, parent);
    if (header)
        screen::setFontOf(cell, 0, true);
    return cell;
}

QString commentText(qint16 speed, qint16 accuracy)
{
    return QStringLiteral(" ") + theLesson().ResultAlpha(speed, accuracy) + QStringLiteral(".");
}

} // namespace

frmLessons::frmLessons()
{
    setObjectName(QStringLiteral("frmLessons"));
    resize(screen::kSize);
    BuildLessonList();
    BuildLessonPage();
    BuildTestResult();
    theLesson().pScreen = this;
}

frmLessons::~frmLessons()
{
    if (theLesson().pScreen == this)
        theLesson().pScreen = nullptr;
}

void frmLessons::ShowLessonPage(const QString &sTitle)
{
    lblLTitle->setText(sTitle);
    theApp().ShowScreen(picLesson);
}

void frmLessons::ShowResultsPage(const QString &sTitle)
{
    Label4->setText(sTitle);
    theApp().ShowScreen(picTestResult);
    FillResults();
}

QPushButton *frmLessons::AddButton(QWidget *panel, const QString &name, artwork::ButtonIcon icon,
                                   int iCaption, const QString &caption, int x, int y, int width)
{
    return screen::makeActionRow(name, icon, lblLesson[iCaption], QStringLiteral("lblLesson%1").arg(iCaption),
                                 caption, x, x + width, y, panel);
}

void frmLessons::BuildLessonList()
{
    picLessons = screen::makePanel(QStringLiteral("picLessons"), this);
    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" الدروس"), picLessons);
    Label1 = screen::makeText(
        QStringLiteral("Label1"),
        QStringLiteral("مرحبا بك في دروس Tavrin. الخطة التي سنستمر فيها لتحقيق المستوى المطموح له "
                       "عبارة عن ستة دروس، ابدأ في الدرس الاول وعند نجاحك في الاختبارات التي يقدمها "
                       "انتقل الى الدرس الثاني وهكذا.. حتى تنهي جميع الدروس وبذلك تكون قد اتقنت "
                       "مستواك في الطباعة بلوحة المفاتيح. باللغة التي حددتها"),
        QRect(20, 54, 560, 104), picLessons);

    // Two columns of three, the first lessons on the reading side.
    const std::array<QString, 6> captions = {
        QStringLiteral("الدرس الأول."),  QStringLiteral("الدرس الثاني."), QStringLiteral("الدرس الثالث."),
        QStringLiteral("الدرس الرابع."), QStringLiteral("الدرس الخامس."), QStringLiteral("الدرس السادس."),
    };
    for (int i = 0; i < 6; ++i) {
        const int x = i < 3 ? 310 : 20;
        const int y = 150 + (i % 3) * 36;
        cmdLesson[i] = AddButton(picLessons, QStringLiteral("cmdLesson%1").arg(i),
                                 artwork::ButtonIcon::Forward, i, captions[i], x, y, 270);
        connect(cmdLesson[i], &QPushButton::clicked, this, [this, i] { cmdLesson_Click(i); });
    }

    QWidget *card = screen::makeBox(QStringLiteral("fraData"), QRect(20, 276, 560, 150), screen::kFrameColour,
                                    screen::kFrameBorder, 6, picLessons);
    const std::array<QString, 4> headings = {
        QStringLiteral(" اسم المستخدم:"),
        QStringLiteral(" الدرس الحالي:"),
        QStringLiteral(" المستوى المطموح له:"),
        QStringLiteral(" لغة التدريبات والاختبارات:"),
    };
    for (int row = 0; row < 4; ++row) {
        const int y = 12 + row * 32;
        QLabel *heading = screen::makeLabel(QStringLiteral("lblData%1").arg(2 * row), headings[row],
                                            QRect(330, y, 216, kRowHeight), card);
        screen::setFontOf(heading, 0, true);
        lblData[2 * row] = heading;
        QLabel *value = screen::makeLabel(QStringLiteral("lblData%1").arg(2 * row + 1), QString(),
                                          QRect(14, y, 312, kRowHeight), card);
        screen::setColours(value, screen::kHeadingColour);
        lblData[2 * row + 1] = value;
    }
}

void frmLessons::BuildLessonPage()
{
    picLesson = screen::makePanel(QStringLiteral("picLesson"), this);
    lblLTitle = screen::makeHeading(QStringLiteral("lblLTitle"), QStringLiteral(" الدروس"), picLesson);
    picKeyboard = new KeyboardPicture(picLesson);
    picKeyboard->setObjectName(QStringLiteral("picKeyboard"));
    const QSize keyboard = picKeyboard->sizeHint();
    picKeyboard->setGeometry((kWidth - keyboard.width()) / 2, 56, keyboard.width(), keyboard.height());
    Label2 = screen::makeText(
        QStringLiteral("Label2"),
        QStringLiteral("يركز هذا الدرس على الحروف الموضحة اعلاه في الشكل العلوي. ننصحك بالقيام ببعض "
                       "التدريبات قبل البدء في الاختبارات. اذا انهيت اختبارات هذا الدرس بنجاح، فانت "
                       "قادر على الانتقال الى الدرس التالي."),
        QRect(20, 232, 560, 70), picLesson);

    cmdPractice = AddButton(picLesson, QStringLiteral("cmdPractice"), artwork::ButtonIcon::Practice, 6,
                            QStringLiteral("تدريب."), 20, 292, 560);
    cmdTest = AddButton(picLesson, QStringLiteral("cmdTest"), artwork::ButtonIcon::Tests, 7,
                        QStringLiteral("اختبارات."), 20, 328, 560);
    cmdChange = AddButton(picLesson, QStringLiteral("cmdChange"), artwork::ButtonIcon::Back, 8,
                          QStringLiteral("تغيير الدرس."), 20, 364, 560);
    connect(cmdPractice, &QPushButton::clicked, this, &frmLessons::cmdPractice_Click);
    connect(cmdTest, &QPushButton::clicked, this, &frmLessons::cmdTest_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmLessons::cmdChange_Click);
}

void frmLessons::BuildTestResult()
{
    picTestResult = screen::makePanel(QStringLiteral("picTestResult"), this);
    Label4 = screen::makeHeading(QStringLiteral("Label4"), QStringLiteral(" نتائج اختبارات"), picTestResult);

    // Columns from the reading side: test, speed, accuracy, comment.
    const std::array<int, 5> edges = {580, 470, 310, 200, 20};
    auto cellRect = [&](int row, int column) {
        return QRect(edges[column + 1], 62 + row * 31, edges[column] - edges[column + 1] + 1, 32);
    };
    const std::array<std::pair<int, QString>, 4> columnHeads = {{
        {27, QStringLiteral(" الإختبار")},
        {25, QStringLiteral(" السرعة")},
        {24, QStringLiteral(" الدقة")},
        {15, QStringLiteral(" تعليق")},
    }};
    for (int column = 0; column < 4; ++column) {
        const auto &[index, text] = columnHeads[column];
        lblData[index] =
            makeCell(QStringLiteral("lblData%1").arg(index), text, picTestResult, cellRect(0, column), true);
    }
    const std::array<std::pair<int, QString>, 4> rowHeads = {{
        {23, QStringLiteral(" الأول")},
        {22, QStringLiteral(" الثاني")},
        {26, QStringLiteral(" الثالث")},
        {12, QStringLiteral(" المعدل")},
    }};
    for (int row = 0; row < 4; ++row) {
        const auto &[index, text] = rowHeads[row];
        lblData[index] =
            makeCell(QStringLiteral("lblData%1").arg(index), text, picTestResult, cellRect(row + 1, 0), true);
        // Speed cells are lblResult(0-3), accuracy (4-7), comments (8-11), a row each per test and the
        // average.
        for (int column = 1; column < 4; ++column) {
            const int cell = (column - 1) * 4 + row;
            lblResult[cell] = makeCell(QStringLiteral("lblResult%1").arg(cell), QString(), picTestResult,
                                       cellRect(row + 1, column), false);
        }
    }

    Command3 = AddButton(picTestResult, QStringLiteral("Command3"), artwork::ButtonIcon::Test, 11,
                         QStringLiteral("الاختبار الاول."), 20, 240, 560);
    Command2 = AddButton(picTestResult, QStringLiteral("Command2"), artwork::ButtonIcon::Test, 10,
                         QStringLiteral("الاختبار الثاني."), 20, 276, 560);
    Command1 = AddButton(picTestResult, QStringLiteral("Command1"), artwork::ButtonIcon::Test, 9,
                         QStringLiteral("الاختبار الثالث."), 20, 312, 560);
    Command4 = AddButton(picTestResult, QStringLiteral("Command4"), artwork::ButtonIcon::Back, 12,
                         QStringLiteral("العودة الى القائمة السابقة."), 20, 360, 560);
    connect(Command1, &QPushButton::clicked, this, &frmLessons::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmLessons::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmLessons::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmLessons::Command4_Click);
}

void frmLessons::Form_Load()
{
    const QString language =
        LoadResString(theUser().IsLanguageArabic() ? resid::kArabicName : resid::kEnglishName);
    lblData[7]->setText(QStringLiteral(" ") + language + QStringLiteral("."));
    lblData[5]->setText(theUser().SpeedText(theUser().GetWantedSpeed()));
    lblData[1]->setText(QStringLiteral(" ") + theUser().sUserName + QStringLiteral("."));
    lblData[3]->setText(QStringLiteral(" ") + LessonTitle(theLesson().GetCurrentLesson()) +
                        QStringLiteral("."));
}

void frmLessons::FillResults()
{
    cLesson &lesson = theLesson();
    const qint16 L = lesson.bLessonNumric;
    for (qint16 t = 1; t <= 3; ++t) {
        const qint16 speed = lesson.GetTestSpeed(L, t);
        const qint16 accuracy = lesson.GetTestAccuracy(L, t);
        lblResult[t - 1]->setText(theUser().SpeedText(speed));
        lblResult[t + 3]->setText(screen::PercentText(accuracy));
        lblResult[t + 7]->setText(commentText(speed, accuracy));
    }
    qint16 speed = 0;
    qint16 accuracy = 0;
    lesson.GetAverage(L, speed, accuracy);
    lblResult[3]->setText(theUser().SpeedText(speed));
    lblResult[7]->setText(screen::PercentText(accuracy));
    lblResult[11]->setText(commentText(speed, accuracy));
}

void frmLessons::cmdLesson_Click(int Index)
{
    if (Index < 0 || Index > 5)
        return;
    cLesson &lesson = theLesson();
    lesson.bLessonNumric = quint8(Index + 1);
    lesson.sLessonAlpha = LessonTitle(Index + 1);
    const bool arabic = theUser().IsLanguageArabic();
    lesson.sLessonLetters = LessonLetters(Index + 1, arabic);
    const int f = arabic ? 0 : 1;

    // Start again from the clean keyboard, so an earlier lesson's marks are gone.
    picKeyboard->SetPicture(KeyboardDrawing());
    theApp().ShowLetters(picKeyboard);

    auto mark = [this](int first, int last) {
        for (int position = first; position <= last; ++position)
            theApp().SelectLetter(picKeyboard, QVariant(position));
    };
    // The keys each lesson introduces; English has no keys at the ends of some rows (f = 1).
    switch (Index + 1) {
    case 1:
        mark(17, 22 - f);
        break;
    case 2:
        mark(12, 16);
        break;
    case 3:
        mark(5, 11 - 2 * f);
        break;
    case 4:
        if (f == 0)
            mark(33, 33);
        mark(0, 4);
        break;
    case 5:
        mark(28, 32 - f);
        break;
    case 6:
        mark(23, 27);
        break;
    }

    lesson.RunLesson();
}

void frmLessons::cmdPractice_Click()
{
    theLesson().ShowPractice();
}

void frmLessons::cmdTest_Click()
{
    theLesson().ShowTestResult();
}

void frmLessons::cmdChange_Click()
{
    // The lesson list is reloaded afresh; this window is unloaded once the click has returned.
    emit ChangeLesson();
}

void frmLessons::Command1_Click()
{
    theLesson().ShowTest(3);
    FillResults();
}

void frmLessons::Command2_Click()
{
    theLesson().ShowTest(2);
    FillResults();
}

void frmLessons::Command3_Click()
{
    theLesson().ShowTest(1);
    FillResults();
}

void frmLessons::Command4_Click()
{
    theLesson().RunLesson();
}

#include "mainwindow/frmMain.h"

#include "adaptive/frmAdaptive.h"
#include "app/Artwork.h"
#include "app/ClickableLabel.h"
#include "app/KeyboardPicture.h"
#include "app/ScreenParts.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "drills/frmCustom.h"
#include "drills/frmFingers.h"
#include "drills/frmNumbers.h"
#include "drills/frmTrain.h"
#include "lessons/cLesson.h"
#include "lessons/frmLessons.h"
#include "platform/Memory.h"
#include "platform/Process.h"
#include "platform/Screens.h"
#include "progress/frmProgress.h"
#include "settings/frmSettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

const char *const frmMain::kWebPage = "https://en.wikipedia.org/wiki/Touch_typing";

namespace {

const QColor kHighlight(0x80, 0x00, 0x00); // dark red, colour 4 of the 16-colour palette

} // namespace

frmMain::frmMain()
{
    setWindowTitle(QStringLiteral("Tavrin"));
    setObjectName(QStringLiteral("frmMain"));
    const int menuWidth = kMenuWidth;
    platform::fixWindowSize(this, kWindowSize);
    screen::addScaleShortcuts(this);

    m_content = new QWidget(this);
    theApp().SetScreenArea(m_content);
    m_content->setGeometry(QRect(QPoint(0, 0), kContentSize));

    // Menu strip: the logo and the sections, on the reading side of the window.
    auto *menu = new QWidget(this);
    menu->setGeometry(kContentSize.width(), 0, menuWidth, kContentSize.height());
    screen::setColours(menu, Qt::black, screen::kMenuColour);
    Picture1 = artwork::createPicture(artwork::Picture::Logo, menu);
    Picture1->setGeometry(10, 8, menuWidth - 20, 84);

    const std::array<QString, 13> captions = {
        QStringLiteral("الدروس"),         QStringLiteral("تدريبات"),    QStringLiteral("مواضع الاصابع"),
        QStringLiteral("دروس خاصة"),      QStringLiteral("ارقام"),      QString(),
        QStringLiteral("اعدادات"),        QStringLiteral("حول Tavrin"), QStringLiteral("الرئيسية"),
        QStringLiteral("تغيير المستخدم"), QStringLiteral("انهاء"),      QStringLiteral("تقدمي"),
        QStringLiteral("تدريب ذكي"),
    };
    // The adaptive trainer and the progress item stand with the sections, after the number drill.
    const std::array<int, 13> order = {kLessonsIndex,  kTrainIndex,    kFingersIndex, kCustomIndex,  kNumbersIndex,
                                       kAdaptiveIndex, kProgressIndex, kGapIndex,     kSettingsIndex, kAboutIndex,
                                       kHomeIndex,     kChangeUserIndex, kExitIndex};
    // Twelve items and the gap fill the strip under the logo down to the window's foot.
    constexpr int kItemStep = 30;
    int y = 98;
    for (int i : order) {
        auto *item = new ClickableLabel(captions[i], menu);
        item->setObjectName(QStringLiteral("lblSection%1").arg(i));
        // Room for the keyboard's focus frame around the caption, which stays where it was.
        item->setGeometry(6, y, menuWidth - 12, kItemStep - 2);
        item->setContentsMargins(6, 0, 6, 0);
        item->setAlignment(screen::kCaptionAlignment);
        item->setCursor(Qt::PointingHandCursor);
        item->setFocusPolicy(Qt::TabFocus); // the keyboard reaches the menu; a click takes no focus
        QFont f = item->font();
        f.setPointSize(12);
        item->setFont(f);
        lblSection[i] = item;
        if (i == kGapIndex) {
            item->hide(); // no item carries this index; the gap parts sections from the rest
            y += 14;
            continue;
        }
        connect(item, &ClickableLabel::clicked, this, [this, i] { lblSection_Click(qint16(i)); });
        y += kItemStep;
    }
    // The keyboard's way to the progress screen.
    auto *progress = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(progress, &QShortcut::activated, this, [this] { lblSection_Click(kProgressIndex); });
    lblSection[kProgressIndex]->setToolTip(progress->key().toString(QKeySequence::NativeText));
    HighlightSection(kHomeIndex);

    // Home panel: lies under every other panel.
    picHome = screen::makePanel(QStringLiteral("picHome"), m_content);
    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" Tavrin"), picHome);
    Label1 = screen::makeText(QStringLiteral("Label1"), QString(), QRect(20, 54, 560, 116), picHome);
    Label1->setText(QStringLiteral(
        "مرحبا بك في الاصدار الثاني من برنامج Tavrin. تتمثل الخطة التي ستسير عليها في ستة دروس، عليك انجاز "
        "الدروس الستة بنجاح حتى تتمكن من تحقيق المستوى الذي تطمح له. اذا كنت جديدا على استخدام لوحة المفاتيح "
        "بالطريقة الصحيحة يفضل ان تنتقل الى قسم مواضع الاصابع الذي يدربك على استخدام الاصابع ووضعيتها "
        "الصحيحة "
        "على لوحة المفاتيح. اذا كنت متمرس في استخدام لوحة المفاتيح، يمكنك البدء او متابعة الدرس الحالي "
        "والموضح "
        "ادناه. اما اذا كنت تعاني من صعوبة في التعامل على بعض الحروف فتستطيع تحديدها عن طريق الدروس الخاصة. "
        "حظا سعيداً !"));
    const std::array<QString, 4> lessonCaptions = {
        QStringLiteral("والآن ماذا تريد؟"),
        QStringLiteral("متابعة"),
        QStringLiteral("التدريب على مواضع الاصابع."),
        QStringLiteral("تحديد دروس خاصة."),
    };
    for (int i = 0; i < 4; ++i) {
        lblLesson[i] = new QLabel(lessonCaptions[i], picHome);
        lblLesson[i]->setAlignment(screen::kCaptionAlignment);
    }
    QFont question = lblLesson[0]->font();
    question.setBold(true);
    lblLesson[0]->setFont(question);
    lblLesson[0]->setGeometry(20, 172, 560, 24);
    const std::array<artwork::ButtonIcon, 3> icons = {
        artwork::ButtonIcon::Forward, artwork::ButtonIcon::Fingers, artwork::ButtonIcon::Custom};
    for (int i = 0; i < 3; ++i) {
        lblLesson[i + 1]->setGeometry(20, 200 + i * 32, 516, 30);
        cmdLesson[i] = new QPushButton(picHome);
        cmdLesson[i]->setObjectName(QStringLiteral("cmdLesson%1").arg(i));
        cmdLesson[i]->setGeometry(544, 200 + i * 32, 36, 30);
        cmdLesson[i]->setIcon(artwork::icon(icons[i]));
        cmdLesson[i]->setIconSize(QSize(22, 22));
        // A picture button: a screen reader names it by the caption beside it.
        cmdLesson[i]->setAccessibleName(lblLesson[i + 1]->text());
        connect(cmdLesson[i], &QPushButton::clicked, this, [this, i] { cmdLesson_Click(i); });
    }
    imgKeyboard = new KeyboardPicture(picHome);
    imgKeyboard->setObjectName(QStringLiteral("imgKeyboard"));
    imgKeyboard->setGeometry((kContentSize.width() - 470) / 2, kContentSize.height() - 166 - 10, 470, 166);

    // About panel.
    picAbout = screen::makePanel(QStringLiteral("picAbout"), m_content);
    picAbout->hide();
    Label5 = screen::makeHeading(QStringLiteral("Label5"), QStringLiteral(" حول Tavrin"), picAbout);
    Picture2 = artwork::createPicture(artwork::Picture::AboutBanner, picAbout);
    Picture2->setGeometry(170, 56, 260, 150);
    const std::array<QString, 5> aboutLines = {
        QStringLiteral("برنامج لتعليم الطباعة باللمس بالعربية والانجليزية"),
        QStringLiteral("Tavrin"),
        QStringLiteral("- الاصدار الثاني -"),
        QStringLiteral("إعداد وتصميم:"),
        QStringLiteral("فريق تطوير Tavrin"),
    };
    for (int i = 0; i < 5; ++i) {
        lblAbout[i] = new QLabel(picAbout);
        lblAbout[i]->setObjectName(QStringLiteral("lblAbout%1").arg(i));
        lblAbout[i]->setProperty("tag", aboutLines[i]);
        lblAbout[i]->setAlignment(Qt::AlignCenter);
        lblAbout[i]->setGeometry(20, 214 + i * 36, 560, 32);
        QFont f = lblAbout[i]->font();
        f.setPointSize(i == 1 ? 18 : 12);
        f.setBold(i == 1);
        lblAbout[i]->setFont(f);
    }
    Image1 = new ClickableLabel(picAbout);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(278, 400, 44, 44);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(QString::fromLatin1(kWebPage));
    auto *globe = artwork::createPicture(artwork::Picture::WebLink, Image1);
    globe->setGeometry(0, 0, 44, 44);
    globe->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(Image1, &ClickableLabel::clicked, this, &frmMain::Image1_Click);

    // Practice panel.
    picPractice = new PracticePanel(m_content);
    picPractice->setObjectName(QStringLiteral("picPractice"));
    picPractice->setGeometry(QRect(QPoint(0, 0), kContentSize));
    picPractice->hide();
}

void frmMain::Form_Load()
{
    RefreshContinueCaption();
}

void frmMain::HighlightSection(int Index)
{
    m_section = qint16(Index);
    for (int i = 0; i < int(lblSection.size()); ++i) {
        QFont f = lblSection[i]->font();
        f.setUnderline(i == Index);
        lblSection[i]->setFont(f);
        QPalette palette = lblSection[i]->palette();
        palette.setColor(QPalette::WindowText, i == Index ? kHighlight : QColor(Qt::black));
        lblSection[i]->setPalette(palette);
    }
}

void frmMain::RefreshContinueCaption()
{
    lblLesson[1]->setText(QStringLiteral("متابعة ") + LessonTitle(theLesson().GetCurrentLesson()) +
                          QStringLiteral("."));
    cmdLesson[0]->setAccessibleName(lblLesson[1]->text());
}

PracticePanel *frmMain::PracticeArea()
{
    return picPractice;
}

QWidget *frmMain::TestOwner()
{
    return this;
}

QString frmMain::ResultComment(qint16 iSpeed, qint16 iAccuracy)
{
    return theLesson().ResultAlpha(iSpeed, iAccuracy);
}

void frmMain::UnloadSectionWindows()
{
    for (QWidget *window : WindowRegistry::LoadedWindows()) {
        if (window != this)
            WindowRegistry::Unload(window);
    }
}

void frmMain::lblSection_Click(qint16 Index)
{
    HighlightSection(Index);
    picPractice->hide();
    picAbout->hide();
    ShowAbout(0);
    UnloadSectionWindows();

    switch (Index) {
    case kLessonsIndex: {
        frmLessons &lessons = Window<frmLessons>();
        connect(&lessons, &frmLessons::ChangeLesson, this, [this] { lblSection_Click(kLessonsIndex); });
        theApp().ShowScreen(lessons.picLessons);
        break;
    }
    case kTrainIndex:
        theApp().ShowScreen(Window<frmTrain>().picSettings);
        break;
    case kFingersIndex:
        theApp().ShowScreen(Window<frmFingers>().picSettings);
        break;
    case kCustomIndex:
        theApp().ShowScreen(Window<frmCustom>().picChoose);
        break;
    case kNumbersIndex:
        theApp().ShowScreen(Window<frmNumbers>().picSettings);
        break;
    case kSettingsIndex:
        theApp().ShowScreen(Window<frmSettings>().picSettings);
        break;
    case kAboutIndex:
        picAbout->show();
        picAbout->raise();
        ShowAbout(1);
        break;
    case kChangeUserIndex:
        // Change user: a new instance starts with the user selection; this one ends.
        platform::startDetached(platform::runningExecutable());
        platform::endProgram();
        return;
    case kExitIndex:
        platform::endProgram();
        return;
    case kProgressIndex: {
        frmProgress &progress = Window<frmProgress>();
        connect(&progress, &frmProgress::OpenAdaptive, this, [this] { lblSection_Click(kAdaptiveIndex); });
        theApp().ShowScreen(progress.picProgress);
        break;
    }
    case kAdaptiveIndex:
        theApp().ShowScreen(Window<frmAdaptive>().picAdaptive);
        break;
    default:
        // Sections whose screens are not part of the tutor yet stay on the home panel.
        break;
    }
    RefreshContinueCaption();
    // The screen left is unloaded: its heap, and whatever it alone read, go back once this one is up.
    QTimer::singleShot(0, this, platform::releaseStartUpMemory);
}

void frmMain::ShowAbout(qint16 iMode)
{
    if (iMode != 1) {
        for (QLabel *line : lblAbout)
            line->clear();
        return;
    }
    QCoreApplication::processEvents();
    // Type each line out letter by letter; the window waits for the whole animation.
    for (QLabel *line : lblAbout) {
        const QString tag = line->property("tag").toString();
        for (int i = 1; i <= tag.size(); ++i) {
            line->setText(tag.left(i));
            line->repaint();
            theApp().Sleep(0.01);
        }
    }
}

void frmMain::cmdLesson_Click(int Index)
{
    switch (Index) {
    case 0:
        lblSection_Click(kLessonsIndex);
        Window<frmLessons>().cmdLesson_Click(theLesson().GetCurrentLesson() - 1);
        break;
    case 1:
        lblSection_Click(kFingersIndex);
        break;
    case 2:
        lblSection_Click(kCustomIndex);
        break;
    }
}

void frmMain::Image1_Click()
{
    platform::openWebPage(QString::fromLatin1(kWebPage));
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && picPractice->isVisible()) {
        picPractice->EndPractice();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmMain::focusNextPrevChild(bool next)
{
    // Panels of the content area lie one over another (the home panel under all, a section's pages
    // over each other) and stay visible to Qt when covered; the focus must not go to a button
    // nobody can see, which Enter would press. Only the topmost panel's controls take it.
    QWidget *top = nullptr;
    for (QWidget *panel : m_content->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (panel->isVisible())
            top = panel; // children are kept in stacking order, the topmost last
    }
    QWidget *const start = focusWidget();
    for (int step = 0; step < 64; ++step) {
        if (!QWidget::focusNextPrevChild(next))
            return false;
        QWidget *const now = focusWidget();
        if (now == start || !top || !m_content->isAncestorOf(now) || top == now || top->isAncestorOf(now))
            return true;
    }
    return true;
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The keyboard starts on the first menu item, and its mark shows from the start.
    if (!m_shown) {
        m_shown = true;
        lblSection[kLessonsIndex]->setFocus(Qt::TabFocusReason);
        setAttribute(Qt::WA_KeyboardFocusChange);
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Section windows unload first, so their unload handlers (the settings screen's password) run.
    UnloadSectionWindows();
    event->accept();
    platform::endProgram();
}

#include "typing/frmTest.h"

#include "app/ScreenParts.h"

#include "app/Blanks.h"
#include "app/WindowRegistry.h"
#include "platform/Screens.h"
#include "typing/NextKeyPanel.h"
#include "typing/TypingPad.h"
#include "typing/cTest.h"
#include "typing/cTypingHost.h"
#include "users/cUser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kWidth = 640;
constexpr int kPadLeft = 20;
constexpr int kPadWidth = 600;
constexpr int kFirstPadTop = 30;
constexpr int kSmallPadHeight = 80;
constexpr int kSmallPadStep = 89;
constexpr int kLargePadHeight = 90;
constexpr int kResultTop = 478; // below the last pad of either layout
// The keyboard stands beside the pads: the window is this much wider while it shows.
constexpr int kKeysWidth = 320;
constexpr int kKeysHeight = kKeysWidth * 166 / 470 + 24;

} // namespace

frmTest::frmTest()
{
    setObjectName(QStringLiteral("frmTest"));
    setWindowTitle(QStringLiteral("Tavrin - اختبار"));
    platform::fixWindowSize(this, QSize(kWidth, 520));

    picTest = new QWidget(this);
    picTest->setObjectName(QStringLiteral("picTest"));
    picTest->setGeometry(0, 0, kWidth, 480);

    lblTitle =
        screen::makeLabel(QStringLiteral("lblTitle"), QString(), QRect(kPadLeft, 2, kPadWidth, 26), picTest);
    screen::setFontOf(lblTitle, screen::kMessagePointSize, true);

    for (int i = 0; i < 5; ++i) {
        TypingPad[i] = new ::TypingPad(picTest);
        TypingPad[i]->setObjectName(QStringLiteral("TypingPad%1").arg(i));
        TypingPad[i]->setGeometry(kPadLeft, kFirstPadTop + i * kSmallPadStep, kPadWidth, kSmallPadHeight);
        connect(TypingPad[i], &TypingPad::FinishSession, this, [this, i] { TypingPad_FinishSession(i); });
    }

    Label1 = screen::makeLabel(QStringLiteral("Label1"),
                               QStringLiteral("- إضغط على المفتاح ESC للخروج من الإختبار -"),
                               QRect(0, 484, kWidth, 30), this);
    Label1->setAlignment(Qt::AlignCenter);

    // The result takes the hint's row below the pads, so every pad and its marks stay in view.
    picMessage = screen::makeMessagePanel(QStringLiteral("picMessage"),
                                          QRect(0, kResultTop, kWidth, 520 - kResultTop), this);
    const int band = 520 - kResultTop;
    lblSubTitle =
        screen::makeBand(QStringLiteral("lblSubTitle"), QStringLiteral(" النتيجة النهائية"),
                         QRect(kWidth - 128, 1, 127, band - 2), screen::kMessagePointSize, picMessage);
    const std::array<QString, 3> captions = {QStringLiteral(" السرعة:"), QStringLiteral(" الدقة:"),
                                             QStringLiteral(" تعليق:")};
    const std::array<QString, 3> values = {QStringLiteral(" 0 كلمة/دقيقة."), QStringLiteral(" 0 %."),
                                           QStringLiteral(" لا تعليق.")};
    // From the right: each caption, then its value; the OK button at the reading end.
    const std::array<int, 3> captionWidths = {54, 42, 46};
    const std::array<int, 3> valueWidths = {124, 52, 128};
    int right = kWidth - 132;
    for (int row = 0; row < 3; ++row) {
        lblData[row + 1] =
            screen::makeLabel(QStringLiteral("lblData%1").arg(row + 1), captions[row],
                              QRect(right - captionWidths[row], 1, captionWidths[row], band - 2), picMessage);
        screen::setFontOf(lblData[row + 1], 0, true);
        right -= captionWidths[row];
        lblData[row + 5] =
            screen::makeLabel(QStringLiteral("lblData%1").arg(row + 5), values[row],
                              QRect(right - valueWidths[row], 1, valueWidths[row], band - 2), picMessage);
        right -= valueWidths[row];
    }
    cmdOK = screen::makeOkButton(QRect(8, (band - 30) / 2, right - 14, 30), picMessage);
    connect(cmdOK, &QPushButton::clicked, this, &frmTest::cmdOK_Click);
    picMessage->hide();

    picKeys = new NextKeyPanel(this);
    picKeys->setObjectName(QStringLiteral("picKeys"));
    picKeys->setGeometry(kWidth, kFirstPadTop + (kResultTop - kFirstPadTop - kKeysHeight) / 2, kKeysWidth - 16,
                         kKeysHeight);
    picKeys->hide();

    connect(qApp, &QApplication::focusChanged, this, &frmTest::App_FocusChanged);
}

frmTest::~frmTest()
{
    // The pads lose the focus while they are destroyed; this window must not hear of it any more.
    disconnect(qApp, nullptr, this, nullptr);
}

void frmTest::RunInPlaceOfHost(cTest &test)
{
    QWidget *owner = cTypingHost::Current() ? cTypingHost::Current()->TestOwner() : nullptr;
    frmTest &window = Window<frmTest>();
    window.CurrentTest = &test;
    if (owner)
        owner->hide();
    window.exec();
    // ESC and OK unload the window; closed any other way, it is unloaded here, so each test starts
    // from a fresh window.
    if (WindowRegistry::IsLoaded<frmTest>())
        WindowRegistry::Unload<frmTest>();
    if (owner)
        owner->show();
}

void frmTest::Form_Load()
{
    // The test window opens exactly where the host's window stood.
    QWidget *owner = cTypingHost::Current() ? cTypingHost::Current()->TestOwner() : nullptr;
    if (!owner)
        return;
    move(owner->pos());
    setWindowIcon(owner->windowIcon());
}

void frmTest::Form_Unload()
{
    // The main window comes back where it stood, or where the learner moved the test window to.
    if (cTypingHost *host = cTypingHost::Current())
        host->TestOwner()->move(pos() - m_shift);
}

void frmTest::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The test starts the first time the window comes up, never again while it stays loaded.
    if (!m_started) {
        m_started = true;
        Form_Activate();
    }
}

void frmTest::Form_Activate()
{
    bFinish = false;
    const bool small =
        theUser().GetSettings(QStringLiteral("View"), QStringLiteral("Size")) == QStringLiteral("Small");
    const int lineLength = small ? kSmallLine : kLargeLine;
    if (!small) {
        // Adjacent pads share one pixel of border.
        int top = kFirstPadTop;
        for (::TypingPad *pad : TypingPad) {
            pad->setGeometry(kPadLeft, top, kPadWidth, kLargePadHeight);
            top += kLargePadHeight - 1;
        }
    }
    iCurrentBox = 0;

    if (CurrentTest && NextKeyPanel::WantedFor(CurrentTest->History)) {
        platform::fixWindowSize(this, QSize(kWidth + kKeysWidth, height()));
        picKeys->show();
        // Standing where the main window stood, but whole on the screen.
        if (const QScreen *screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            const QPoint at(qMax(area.left(), qMin(x(), area.right() + 1 - frameGeometry().width())), y());
            m_shift = at - pos();
            move(at);
        }
    }

    const QString text = CurrentTest ? CurrentTest->sWantedText : QString();
    const QStringList lines = cTest::SplitIntoLines(text, lineLength);
    for (int i = 0; i < lines.size(); ++i) {
        TypingPad[i]->sWantedText = lines[i];
        TypingPad[i]->bActive = false;
        TypingPad[i]->PrintScreen();
    }
    bNumberOfBoxeses = quint8(lines.size());

    TypingPad[0]->bActive = true;
    TypingPad[0]->Start();
    TypingPad[0]->setFocus();
    if (picKeys->isVisible())
        picKeys->Follow(TypingPad[0]);
    lblTitle->setText(QLatin1Char(' ') + (CurrentTest ? CurrentTest->sTitle : QString()));
    if (CurrentTest) {
        CurrentTest->iAccuracy = 0;
        CurrentTest->iSpeed = 0;
    }
}

void frmTest::TypingPad_FinishSession(int Index)
{
    TypingPad[Index]->bActive = false;
    TypingPad[Index]->PrintScreen();
    if (Index == int(TypingPad.size()) - 1) {
        FinishTest();
        return;
    }
    if (TrimBlanks(TypingPad[Index + 1]->sWantedText).isEmpty()) {
        // A text whose last lines are blanks: only the lines typed make the result.
        bNumberOfBoxeses = quint8(Index + 1);
        FinishTest();
        return;
    }
    // The next line is current before its focus event, so the focus rule does not pull it back.
    iCurrentBox = qint16(Index + 1);
    TypingPad[Index + 1]->bActive = true;
    if (picKeys->isVisible())
        picKeys->Follow(TypingPad[Index + 1]);
    TypingPad[Index + 1]->Start();
    TypingPad[Index + 1]->setFocus();
}

void frmTest::FinishTest()
{
    bFinish = true;
    QList<double> speeds;
    QList<double> accuracies;
    for (int i = 0; i < bNumberOfBoxeses; ++i) {
        speeds.append(TypingPad[i]->iSpeed);
        accuracies.append(TypingPad[i]->iAccuracy);
    }
    cTest result;
    cTest &test = CurrentTest ? *CurrentTest : result;
    test.SetResult(speeds, accuracies);
    HistoryRecord &record = test.History;
    record.kind = HistoryRecord::Kind::Test;
    record.iSpeed = test.iSpeed;
    record.iAccuracy = test.iAccuracy;
    for (int i = 0; i < bNumberOfBoxeses; ++i)
        record.AddKeys(TrimBlanks(TypingPad[i]->sWantedText), TypingPad[i]->sWrittenText,
                       TypingPad[i]->KeyIntervals());
    // Kept now, while the result shows: a signal or a kill before OK loses nothing.
    test.Finished();

    lblData[5]->setText(theUser().SpeedText(test.iSpeed));
    lblData[6]->setText(screen::PercentText(test.iAccuracy));
    cTypingHost *host = cTypingHost::Current();
    const QString comment = host ? host->ResultComment(test.iSpeed, test.iAccuracy) : QString();
    lblData[7]->setText(QLatin1Char(' ') + comment + QStringLiteral(" ."));
    QString spoken = lblSubTitle->text() + QLatin1Char('.');
    for (int row = 1; row <= 3; ++row)
        spoken += lblData[row]->text() + lblData[row + 4]->text();
    screen::Announce(spoken);
    screen::Announce(cmdOK->text());
    picMessage->show();
    picMessage->raise();
    // The keyboard stays with the finished line: the text goes on past it, and a blank typed ahead
    // must not press OK before the result is read. Enter goes to the default button.
    cmdOK->setDefault(true);
}

void frmTest::cmdOK_Click()
{
    UnloadMe();
}

void frmTest::keyPressEvent(QKeyEvent *event)
{
    // ESC anywhere in the window leaves the test, before or after the result.
    if (event->key() == Qt::Key_Escape) {
        UnloadMe();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmTest::closeEvent(QCloseEvent *event)
{
    UnloadMe();
    event->accept();
}

void frmTest::reject()
{
    UnloadMe();
}

void frmTest::UnloadMe()
{
    if (WindowRegistry::IsLoaded<frmTest>() && &Window<frmTest>() == this) {
        WindowRegistry::Unload(this);
        return;
    }
    Form_Unload();
    hide();
}

void frmTest::App_FocusChanged(QWidget *old, QWidget *now)
{
    if (bFinish || !isVisible())
        return;
    ::TypingPad *current = TypingPad[iCurrentBox];
    const bool padLost = std::find(TypingPad.begin(), TypingPad.end(), old) != TypingPad.end();
    if (padLost && now != current)
        current->setFocus();
}

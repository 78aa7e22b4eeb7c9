#include "typing/PracticePanel.h"

#include "app/ScreenParts.h"

#include "app/Blanks.h"
#include "app/Int16.h"
#include "typing/NextKeyPanel.h"
#include "typing/TypingPad.h"
#include "typing/cTypingHost.h"
#include "users/cHistoryRecorder.h"
#include "users/cUser.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

const QColor kProgressColour(128, 0, 128); // magenta of the 16-colour palette
constexpr int kBarHeight = 17;

} // namespace

PracticePanel::PracticePanel(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);

    lblSubTitle = screen::makeHeading(QStringLiteral("lblSubTitle"), QStringLiteral(" تدريبات"), this);

    lblPTitle = screen::makeLabel(QStringLiteral("lblPTitle"), QString(), QRect(20, 54, 560, 30), this);
    screen::setFontOf(lblPTitle, 13, true);

    // Row captions on the reading side, values to their left.
    const std::array<QString, 7> captions = {
        QStringLiteral(" التركيز على الحروف:"),
        QString(),
        QStringLiteral(" السرعة:"),
        QString(),
        QStringLiteral(" الدقة:"),
        QString(),
        QStringLiteral(" الإنجاز:"),
    };
    const std::array<int, 4> rowTops = {92, 250, 278, 306};
    for (int i = 0; i < 7; ++i) {
        const int top = rowTops[i / 2];
        const QRect geometry = i % 2 == 0 ? QRect(400, top, 180, 28) : QRect(20, top, 376, 28);
        lblData[i] = screen::makeLabel(QStringLiteral("lblData%1").arg(i), captions[i], geometry, this);
        if (i % 2 == 0)
            screen::setFontOf(lblData[i], 0, true);
    }

    picEl = new QLabel(this);
    picEl->setObjectName(QStringLiteral("picEl"));
    picEl->setGeometry(int(396 - cPracticeRun::kBarWidth), rowTops[3] + (28 - kBarHeight) / 2,
                       int(cPracticeRun::kBarWidth), kBarHeight);
    ClearProgress();

    TypingPad = new ::TypingPad(this);
    TypingPad->setObjectName(QStringLiteral("TypingPad"));
    TypingPad->setGeometry(20, 132, 560, 112);
    connect(TypingPad, &TypingPad::FinishSession, this, &PracticePanel::TypingPad_FinishSession);

    picKeys = new NextKeyPanel(this);
    picKeys->setObjectName(QStringLiteral("picKeys"));
    picKeys->setGeometry(20, 338, 560, 138);
    picKeys->hide();

    // The message box covers the pad: while it shows, nothing is typed.
    picMessage = screen::makeMessagePanel(QStringLiteral("picMessage"), QRect(20, 132, 560, 112), this);
    lblMsg = screen::makeLabel(QStringLiteral("lblMsg"), QString(), QRect(12, 8, 536, 60), picMessage);
    lblMsg->setWordWrap(true);
    lblMsg->setAlignment(Qt::AlignCenter);
    screen::setFontOf(lblMsg, screen::kMessagePointSize);
    cmdOK = screen::makeOkButton(QRect(230, 72, 100, 30), picMessage);
    connect(cmdOK, &QPushButton::clicked, this, &PracticePanel::cmdOK_Click);
    picMessage->hide();

    connect(qApp, &QApplication::focusChanged, this, &PracticePanel::App_FocusChanged);
}

PracticePanel::~PracticePanel()
{
    // The pad loses the focus while it is destroyed; this panel must not hear of it any more.
    disconnect(qApp, nullptr, this, nullptr);
}

void PracticePanel::ClearProgress()
{
    QPixmap bar(picEl->size());
    bar.fill(Qt::white);
    picEl->setPixmap(bar);
    m_progressX = cPracticeRun::kBarWidth;
}

void PracticePanel::DrawProgress()
{
    QPixmap bar = picEl->pixmap();
    QPainter painter(&bar);
    // The box reaches below the picture's bottom, so it always spans the full height.
    painter.fillRect(QRectF(QPointF(m_progressX, 0), QPointF(cPracticeRun::kBarWidth, 100)), kProgressColour);
    painter.end();
    picEl->setPixmap(bar);
}

void PracticePanel::RunOnHost(const cPractice &practice)
{
    cTypingHost *host = cTypingHost::Current();
    if (!host)
        return;
    PracticePanel *panel = host->PracticeArea();
    panel->CurrentPractice = practice;
    panel->show();
    panel->raise();
    panel->StartPractice();
}

void PracticePanel::StartPractice()
{
    if (!CurrentPractice)
        return;
    const cPractice &practice = *CurrentPractice;
    // A line left running by Escape on the hidden pad must not take keys during the first message.
    TypingPad->bActive = false;
    const bool keys = NextKeyPanel::WantedFor(practice.History);
    picKeys->setVisible(keys);
    picKeys->Follow(keys ? TypingPad : nullptr);
    picMessage->hide();
    cmdOK->setDefault(false);

    ClearProgress();
    lblData[1]->setText(QString());
    lblData[3]->setText(QString());
    lblData[5]->setText(QString());
    QString letters;
    for (QChar ch : practice.sLetters)
        letters += QLatin1Char(' ') + ch;
    lblData[1]->setText(letters + QStringLiteral(" ."));
    lblPTitle->setText(QLatin1Char(' ') + practice.sTitle);

    Go(m_run.Begin(practice));
}

void PracticePanel::NextStep()
{
    if (!CurrentPractice)
        return;
    TypingPad->bActive = false;
    Go(m_run.NextStep(*CurrentPractice));
}

void PracticePanel::Go(cPracticeRun::Step step)
{
    switch (step.kind) {
    case cPracticeRun::StepKind::Message:
        ShowMessage(step.iNumber);
        break;
    case cPracticeRun::StepKind::Line:
        TypingPad->sWantedText = CurrentPractice->GetText(step.iNumber);
        TypingPad->bActive = true;
        TypingPad->Start();
        TypingPad->setFocus();
        QCoreApplication::processEvents();
        break;
    case cPracticeRun::StepKind::End:
        EndPractice();
        break;
    }
}

void PracticePanel::ShowMessage(qint16 iMessageNum)
{
    if (!CurrentPractice || !CurrentPractice->bShowMessageBox)
        return;
    lblMsg->setText(CurrentPractice->GetMessage(iMessageNum));
    screen::Announce(lblMsg->text());
    screen::Announce(cmdOK->text());
    picMessage->show();
    picMessage->raise();
    cmdOK->setDefault(true);
    // The keyboard stays with the inactive pad: a blank typed ahead after a line's last letter must
    // not press OK before the message is read, while Enter still reaches the panel.
    TypingPad->setFocus();
}

void PracticePanel::cmdOK_Click()
{
    picMessage->hide();
    cmdOK->setDefault(false);
    NextStep();
}

void PracticePanel::TypingPad_FinishSession()
{
    if (!CurrentPractice)
        return;
    lblData[3]->setText(theUser().SpeedText(RoundToInt16(TypingPad->iSpeed)));
    lblData[5]->setText(screen::PercentText(RoundToInt16(TypingPad->iAccuracy)));
    screen::Announce(lblData[2]->text() + lblData[3]->text() + lblData[4]->text() + lblData[5]->text());

    HistoryRecord record = CurrentPractice->History;
    record.kind = HistoryRecord::Kind::PracticeLine;
    // A lesson's section text comes before each group of lines.
    if (CurrentPractice->bShowMessageBox && CurrentPractice->iShowMessagePer > 0)
        record.bSection = quint8((m_run.iLineNumber - 1) / CurrentPractice->iShowMessagePer + 1);
    record.iSpeed = RoundToInt16(TypingPad->iSpeed);
    record.iAccuracy = RoundToInt16(TypingPad->iAccuracy);
    record.AddKeys(TrimBlanks(TypingPad->sWantedText), TypingPad->sWrittenText, TypingPad->KeyIntervals());
    theHistory().Record(record);

    m_progressX = cPracticeRun::ProgressX(m_run.iLineNumber, CurrentPractice->iNumOfSessions, m_progressX);
    DrawProgress();
    NextStep();
}

void PracticePanel::EndPractice()
{
    hide();
    CurrentPractice.reset();
}

void PracticePanel::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the default OK button wherever the focus is inside the panel.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && picMessage->isVisible()) {
        cmdOK->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PracticePanel::App_FocusChanged(QWidget *old, QWidget *)
{
    // During a line nothing else takes the keyboard; during a message the OK button may.
    if (old == TypingPad && TypingPad->bActive && isVisible() && TypingPad->isVisible())
        TypingPad->setFocus();
}

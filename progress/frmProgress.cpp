#include "progress/frmProgress.h"

#include "adaptive/cForecast.h"
#include "app/Artwork.h"
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/ScreenParts.h"
#include "app/cTheApp.h"
#include "platform/Folders.h"
#include "progress/ProgressChart.h"
#include "typing/TypingPad.h"
#include "typing/cPracticeText.h"
#include "users/cClassReport.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace {

// A miss rate from this on is as red as a key gets.
constexpr double kRedFrom = 0.20;

} // namespace

frmProgress::frmProgress()
{
    setObjectName(QStringLiteral("frmProgress"));

    picProgress = screen::makePanel(QStringLiteral("picProgress"), this);
    resize(picProgress->size());
    const int width = picProgress->width();
    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" تقدمي"), picProgress);

    // Legends on the reading side, each in its line's colour.
    lblData[0] =
        screen::makeLabel(QStringLiteral("lblData0"), QString(), QRect(20, 48, 270, 22), picProgress);
    lblData[0]->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter); // over its scale
    lblData[1] = screen::makeLabel(QStringLiteral("lblData1"), QStringLiteral(" الدقة (%)"),
                                   QRect(300, 48, width - 320, 22), picProgress);
    screen::setColours(lblData[0], ProgressChart::kSpeedColour);
    screen::setColours(lblData[1], ProgressChart::kAccuracyColour);

    picChart = new ProgressChart(picProgress);
    picChart->setObjectName(QStringLiteral("picChart"));
    picChart->setGeometry(20, 72, width - 40, 150);

    lblEmpty = screen::makeLabel(QStringLiteral("lblEmpty"), QString(), QRect(60, 100, width - 120, 90),
                                 picProgress);
    lblEmpty->setWordWrap(true);
    lblEmpty->setAlignment(Qt::AlignCenter);
    screen::setFontOf(lblEmpty, screen::kMessagePointSize);

    picKeyboard = new KeyboardPicture(picProgress);
    picKeyboard->setObjectName(QStringLiteral("picKeyboard"));
    picKeyboard->setGeometry(10, 236, KeyboardPicture::kWidth, 166);
    picKeyboard->setFingerColours(false);
    picKeyboard->setAccessibleDescription(QStringLiteral("لون كل مفتاح يدل على نسبة أخطائك فيه"));

    // The weakest keys beside the keyboard, on the reading side.
    const int listLeft = 10 + KeyboardPicture::kWidth + 6;
    lblWeakTitle = screen::makeLabel(QStringLiteral("lblWeakTitle"), QStringLiteral(" أضعف الحروف:"),
                                     QRect(listLeft, 236, width - listLeft - 8, 26), picProgress);
    screen::setFontOf(lblWeakTitle, 0, true);
    for (int i = 0; i < kWeakest; ++i) {
        lblWeak[i] = screen::makeLabel(QStringLiteral("lblWeak%1").arg(i), QString(),
                                       QRect(listLeft, 266 + i * 27, width - listLeft - 8, 26), picProgress);
        screen::setFontOf(lblWeak[i], screen::kMessagePointSize);
    }

    // The adaptive trainer first, the weakest keys' practice under it.
    cmdAdaptive =
        screen::makeActionRow(QStringLiteral("cmdAdaptive"), artwork::ButtonIcon::Forward, lblLesson[1],
                              QStringLiteral("lblLesson1"), QStringLiteral("تدريب ذكي."), width - 150,
                              width - 30, 410, picProgress);
    screen::setFontOf(lblLesson[1], 0, true);
    connect(cmdAdaptive, &QPushButton::clicked, this, &frmProgress::OpenAdaptive);
    cmdAdaptive->setAccessibleName(lblLesson[1]->text());
    lblForecast = screen::makeLabel(QStringLiteral("lblForecast"), QString(), QRect(30, 410, width - 188, 30),
                                    picProgress);
    screen::setColours(lblForecast, screen::kHeadingColour);

    cmdPractice =
        screen::makeActionRow(QStringLiteral("cmdPractice"), artwork::ButtonIcon::Practice, lblLesson[0],
                              QStringLiteral("lblLesson0"), QStringLiteral("تدريب على أضعف الحروف."), 30,
                              width - 30, 444, picProgress);
    screen::setFontOf(lblLesson[0], 0, true);
    // Enter as well as the space bar presses them once they have the keyboard.
    cmdAdaptive->setAutoDefault(true);
    cmdPractice->setAutoDefault(true);
    connect(cmdPractice, &QPushButton::clicked, this, &frmProgress::cmdPractice_Click);
    cmdPractice->setAccessibleName(lblLesson[0]->text());
    // The panel hands the keyboard to its first button when it is shown.
    picProgress->setFocusProxy(cmdAdaptive);
    setTabOrder(cmdAdaptive, cmdPractice);
}

QColor frmProgress::TintFor(double rate)
{
    // Hue from green (120) down to red (0); pale enough for the key's letter to stay readable.
    const double share = std::clamp(rate / kRedFrom, 0.0, 1.0);
    return QColor::fromHsvF(float((1.0 - share) * 120.0 / 360.0), float(0.25 + 0.45 * share), 0.97f);
}

void frmProgress::Form_Load()
{
    cUser &user = theUser();
    Learner learner;
    learner.sFolder = platform::profileFolder();
    learner.sName = user.sUserName;
    learner.bArabic = user.IsLanguageArabic();
    learner.bWords =
        user.GetSettings(QStringLiteral("General"), QStringLiteral("Unit")) == QStringLiteral("WPM");
    learner.iWantedSpeed = user.GetWantedSpeed();
    learner.iWantedAccuracy = user.GetWantedAccuracy();
    learner.iBackColour = user.GetSettings(QStringLiteral("View"), QStringLiteral("BKColor")).toInt();
    ShowLearner(learner);
}

void frmProgress::ShowLearner(const Learner &learner)
{
    const QByteArray bytes = cHistory::ReadFile(cHistory::PathFor(learner.sFolder, learner.sName));
    ShowSummary(cHistoryStats::Summarise(bytes, learner.bArabic), learner);
    const Forecast forecast =
        ForecastFor(bytes, learner.bArabic, {learner.iWantedSpeed, learner.iWantedAccuracy});
    lblForecast->setText(forecast.bKnown ? QLatin1Char(' ') + ForecastText(forecast) : QString());
    lblForecast->setAccessibleName(lblForecast->text());
}

frmProgress *frmProgress::OpenReadOnly(const ClassReportRow &row, const QString &sFolder, QWidget *parent)
{
    Learner learner;
    learner.sFolder = sFolder;
    learner.sName = row.sName;
    learner.bArabic = row.bArabic;
    learner.bWords = row.IsWordsPerMinute();
    learner.iWantedSpeed = row.profile.GetWantedSpeed();
    learner.iWantedAccuracy = row.profile.GetWantedAccuracy();
    learner.iBackColour = row.profile.BackColour();

    auto *copy = new frmProgress;
    copy->setParent(parent, Qt::Dialog);
    copy->setAttribute(Qt::WA_DeleteOnClose);
    copy->setWindowModality(Qt::WindowModal);
    const QString language = cClassReport::LanguageText(row.bArabic);
    copy->setWindowTitle(QStringLiteral("Tavrin - تقدم ") + row.sName + QStringLiteral(" - ") + language);
    copy->lblTitle->setText(QStringLiteral(" تقدم ") + row.sName + QStringLiteral(" (") + language +
                            QLatin1Char(')'));
    copy->ShowLearner(learner);
    // Practising needs the learner logged in: the copy only shows.
    copy->cmdPractice->hide();
    copy->cmdAdaptive->hide();
    for (QLabel *caption : copy->lblLesson)
        caption->hide();
    copy->picProgress->setFocusProxy(nullptr);
    copy->setFixedSize(copy->picProgress->size());
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), copy);
    connect(escape, &QShortcut::activated, copy, &QWidget::close);
    if (parent)
        copy->move(parent->window()->geometry().center() - copy->rect().center());
    copy->show();
    return copy;
}

void frmProgress::ShowSummary(const HistorySummary &summary, const Learner &learner)
{
    const bool arabic = learner.bArabic;
    QString unit;
    const qint16 wantedSpeed = cUser::ConvSpeed(learner.iWantedSpeed, learner.bWords, unit);
    const qint16 wantedAccuracy = learner.iWantedAccuracy;
    const bool words = learner.bWords;
    lblData[0]->setText(QStringLiteral(" السرعة (") + unit + QLatin1Char(')'));

    picChart->SetData(cHistoryStats::ChartPoints(summary, words), wantedSpeed, wantedAccuracy,
                      QLatin1Char(' ') + QString::number(wantedSpeed) + QLatin1Char(' ') + unit +
                          QLatin1Char('.'),
                      screen::PercentText(wantedAccuracy));
    const TypingPad::Colours colours = TypingPad::ColoursFor(learner.iBackColour);
    picChart->SetColours(colours.back, colours.text);

    if (summary.IsEmpty())
        lblEmpty->setText(QStringLiteral("لا يوجد شيء هنا بعد: لم تنه أي سطر تدريب أو اختبار بهذه اللغة. "
                                         "ستظهر نتائجك هنا بعد أول تدريب."));
    else if (summary.tests.isEmpty())
        lblEmpty->setText(QStringLiteral("لم تنه أي اختبار بهذه اللغة بعد: ستظهر سرعتك ودقتك هنا بعد "
                                         "أول اختبار."));
    lblEmpty->setVisible(summary.tests.isEmpty());
    lblEmpty->raise();

    // The keyboard: each key the learner has typed, tinted by how often it was missed.
    const QStringList &table = arabic ? vArabicKeys : vEnglishKeys;
    const QList<KeyStat> stats = summary.KeyStats(table);
    QHash<int, QColor> fills;
    for (qsizetype i = 0; i < stats.size(); ++i) {
        if (stats.at(i).iWanted > 0)
            fills.insert(keygrid::positionOfIndex(int(i), arabic), TintFor(stats.at(i).Rate()));
    }
    const qint64 spaces = summary.Wanted(QLatin1Char(' '));
    if (spaces > 0)
        fills.insert(keygrid::kSpaceBar, TintFor(double(summary.Missed(QLatin1Char(' '))) / double(spaces)));
    picKeyboard->Cls();
    picKeyboard->setKeyFills(fills);
    theApp().ShowLetters(picKeyboard, arabic);

    const QList<KeyStat> weakest = cHistoryStats::WeakestKeys(stats, kWeakest);
    sWeakLetters.clear();
    for (int i = 0; i < kWeakest; ++i) {
        QString text;
        if (i < weakest.size()) {
            const KeyStat &key = weakest.at(i);
            sWeakLetters.append(key.sKey);
            text = QLatin1Char(' ') + key.sKey + QStringLiteral(" :") +
                   screen::PercentText(key.iMissed * 100 / std::max<qint64>(key.iWanted, 1));
        } else if (i == 0 && !summary.IsEmpty()) {
            text = QStringLiteral(" لا أخطاء.");
        }
        lblWeak[i]->setText(text);
        lblWeak[i]->setAccessibleName(text);
    }
    // The weakest keys are also boxed, as a lesson marks its keys.
    for (const QString &letter : sWeakLetters)
        theApp().SelectLetter(picKeyboard, letter, arabic);
    cmdPractice->setEnabled(!sWeakLetters.isEmpty());
    lblLesson[0]->setEnabled(!sWeakLetters.isEmpty());
}

void frmProgress::cmdPractice_Click()
{
    if (sWeakLetters.isEmpty())
        return;
    MakeCustomPractice(sWeakLetters).StartPractic();
}

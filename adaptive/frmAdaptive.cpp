#include "adaptive/frmAdaptive.h"

#include "adaptive/cTrainerKeys.h"
#include "app/Blanks.h"
#include "app/Int16.h"
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/ScreenParts.h"
#include "app/cTheApp.h"
#include "platform/Folders.h"
#include "typing/TypingPad.h"
#include "users/cHistoryRecorder.h"
#include "users/cUser.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kWidth = screen::kSize.width();
constexpr int kKeyboardTop = 228;
constexpr int kLegendLeft = 10 + KeyboardPicture::kWidth + 8;

// A key's name in a sentence; the marks keep a Latin letter from carrying the figures after it
// into its own direction.
QString quoted(const QString &label)
{
    return QStringLiteral("\u200F«") + label + QStringLiteral("»\u200F");
}

QString percent(double share)
{
    return QString::number(int(std::lround(std::clamp(share, 0.0, 1.0) * 100))) + QStringLiteral(" %");
}

} // namespace

QString frmAdaptive::PreferenceKey(const char *sWhat, bool bArabic)
{
    return QStringLiteral("Adaptive/") + (bArabic ? QStringLiteral("Arabic") : QStringLiteral("English")) +
           QLatin1String(sWhat);
}

frmAdaptive::frmAdaptive()
{
    setObjectName(QStringLiteral("frmAdaptive"));
    picAdaptive = screen::makePanel(QStringLiteral("picAdaptive"), this);
    resize(picAdaptive->size());
    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" تدريب ذكي"), picAdaptive);

    lblFocus = screen::makeLabel(QStringLiteral("lblFocus"), QString(), QRect(20, 48, kWidth - 40, 26),
                                 picAdaptive);
    screen::setFontOf(lblFocus, 0, true);

    TypingPad = new ::TypingPad(picAdaptive);
    TypingPad->setObjectName(QStringLiteral("TypingPad"));
    TypingPad->setGeometry(20, 76, kWidth - 40, 100);
    connect(TypingPad, &TypingPad::FinishSession, this, &frmAdaptive::TypingPad_FinishSession);
    picAdaptive->setFocusProxy(TypingPad);

    lblLine = screen::makeLabel(QStringLiteral("lblLine"), QString(), QRect(20, 180, kWidth - 40, 22),
                                picAdaptive);
    lblForecast = screen::makeLabel(QStringLiteral("lblForecast"), QString(),
                                    QRect(20, 202, kWidth - 40, 22), picAdaptive);
    screen::setColours(lblForecast, screen::kHeadingColour);

    picKeyboard = new KeyboardPicture(picAdaptive);
    picKeyboard->setObjectName(QStringLiteral("picKeyboard"));
    picKeyboard->setGeometry(10, kKeyboardTop, KeyboardPicture::kWidth, KeyboardPicture::kHeight);
    picKeyboard->setFingerColours(false);

    // What the keyboard's colours mean, beside it on the reading side.
    using Mark = KeyboardPicture::KeyMark;
    const std::array<QString, 4> legends = {QStringLiteral("لم يبدأ بعد"), QStringLiteral("قيد التدريب"),
                                            QStringLiteral("أتقنته"), QStringLiteral("المركّز")};
    const std::array<QColor, 4> swatches = {
        KeyboardPicture::MarkColour({Mark::State::Waiting, 0}), KeyboardPicture::MarkColour({Mark::State::Training, 0.4}),
        KeyboardPicture::MarkColour({Mark::State::Learned, 1}), QColor(Qt::white)};
    for (int i = 0; i < 4; ++i) {
        const int top = kKeyboardTop + 6 + i * 26;
        screen::makeBox(QStringLiteral("picLegend%1").arg(i), QRect(kWidth - 24, top + 4, 16, 16), swatches[i],
                        i == 3 ? KeyboardPicture::kFocusFrame : QColor(0x8A, 0x8F, 0x98), 3, picAdaptive);
        lblLegend[i] = screen::makeLabel(QStringLiteral("lblLegend%1").arg(i), legends[i],
                                         QRect(kLegendLeft, top, kWidth - 30 - kLegendLeft, 24), picAdaptive);
    }

    const int controlsTop = kKeyboardTop + KeyboardPicture::kHeight + 6;
    cmdJoin = screen::makeActionRow(QStringLiteral("cmdJoin"), artwork::ButtonIcon::Forward, lblJoin,
                                    QStringLiteral("lblJoin"), QString(), 20, kWidth - 20, controlsTop,
                                    picAdaptive);
    connect(cmdJoin, &QPushButton::clicked, this, &frmAdaptive::cmdJoin_Click);

    const int resetTop = controlsTop + screen::kRowHeight + 6;
    cmdReset = screen::makeActionRow(QStringLiteral("cmdReset"), artwork::ButtonIcon::Back, lblReset,
                                     QStringLiteral("lblReset"), QStringLiteral(" قس هذا المفتاح من جديد:"),
                                     200, kWidth - 20, resetTop, picAdaptive);
    cboReset = new QComboBox(picAdaptive);
    cboReset->setObjectName(QStringLiteral("cboReset"));
    cboReset->setGeometry(110, resetTop, 86, screen::kRowHeight);
    cboReset->setAccessibleName(lblReset->text().trimmed());
    connect(cmdReset, &QPushButton::clicked, this, &frmAdaptive::cmdReset_Click);
    lblReset->setGeometry(200, resetTop, kWidth - 20 - screen::kButtonWidth - screen::kCaptionGap - 200,
                          screen::kRowHeight);
    // Tab from the buttons goes back to the pad, whose line waits where it was left.
    setTabOrder(cmdJoin, cboReset);
    setTabOrder(cboReset, cmdReset);
    setTabOrder(cmdReset, TypingPad);

    // Esc leaves the pad for the controls: the pad keeps Tab for itself.
    auto *controls = new QShortcut(QKeySequence(Qt::Key_Escape), picAdaptive);
    controls->setContext(Qt::WidgetWithChildrenShortcut);
    connect(controls, &QShortcut::activated, this, [this] { cmdJoin->setFocus(Qt::TabFocusReason); });
}

void frmAdaptive::Form_Load()
{
    cUser &user = theUser();
    const bool arabic = user.IsLanguageArabic();
    cAdaptiveSession::Choices choices;
    choices.iJoinedEarly = user.GetPreference(PreferenceKey("Joined", arabic), 0).toInt();
    choices.resets =
        cAdaptiveSession::Choices::ResetsFrom(user.GetPreference(PreferenceKey("Resets", arabic)).toStringList());
    const QByteArray history = cHistory::ReadFile(cHistory::PathFor(platform::profileFolder(), user.sUserName));
    m_session.emplace(arabic, cKeyModel::Targets{user.GetWantedSpeed(), user.GetWantedAccuracy()}, choices,
                      history);

    lblLine->setText(QStringLiteral(" كل سطر من مفاتيحك الأبطأ والأكثر خطأ، وتدخل المفاتيح الجديدة حين تتقن ما معك."));
    ShowModel();
    StartLine();
}

QString frmAdaptive::KeyFigures(int index) const
{
    const cKeyModel::KeyState &key = m_session->Model().States().at(index);
    if (key.dMsPerHit <= 0 && key.dMissRate < 0)
        return QStringLiteral("لم يقس بعد");
    QString text;
    if (key.dMsPerHit > 0) {
        QString unit;
        const qint16 speed = theUser().ConvSpeed(RoundToInt16(60000.0 / key.dMsPerHit), unit);
        text = QStringLiteral("سرعته ") + QString::number(speed) + QLatin1Char(' ') + unit;
    }
    if (key.dMissRate >= 0) {
        if (!text.isEmpty())
            text += QStringLiteral("، ");
        text += QStringLiteral("أخطاؤه ") + percent(key.dMissRate);
    }
    return text;
}

void frmAdaptive::ShowModel()
{
    const cKeyModel &model = m_session->Model();
    const bool arabic = m_session->IsArabic();
    const QList<TrainerKey> &keys = trainerKeys(arabic);
    const int focus = model.Focus();
    const int included = model.IncludedCount();

    lblFocus->setText(QStringLiteral(" المفتاح المركّز ") + quoted(keys.at(focus).sLabel) + QStringLiteral(": ") +
                      percent(model.States().at(focus).dProgress) + QStringLiteral(" من الهدف، ") +
                      KeyFigures(focus) + QStringLiteral("."));

    const Forecast forecast = m_session->CurrentForecast();
    lblForecast->setText(forecast.bKnown ? QLatin1Char(' ') + ForecastText(forecast)
                                         : QStringLiteral(" لا تقدير بعد لما بقي: تدرب بضعة أسطر أخرى."));

    QHash<int, KeyboardPicture::KeyMark> marks;
    for (int i = 0; i < keys.size(); ++i) {
        const cKeyModel::KeyState &state = model.States().at(i);
        KeyboardPicture::KeyMark mark;
        mark.state = !state.bIncluded ? KeyboardPicture::KeyMark::State::Waiting
                     : state.bLearned ? KeyboardPicture::KeyMark::State::Learned
                                      : KeyboardPicture::KeyMark::State::Training;
        mark.dShare = state.dProgress;
        marks.insert(keys.at(i).iPosition, mark);
    }
    picKeyboard->Cls();
    picKeyboard->setKeyMarks(marks);
    picKeyboard->setFocusKey(keys.at(focus).iPosition);
    theApp().ShowLetters(picKeyboard, arabic);
    picKeyboard->setAccessibleDescription(lblFocus->text());

    const bool more = included < keys.size();
    cmdJoin->setEnabled(more);
    lblJoin->setText(more ? QStringLiteral(" في التدريب ") + QString::number(included) + QStringLiteral(" من ") +
                                QString::number(keys.size()) + QStringLiteral(" مفتاحا: أدخل التالي ") +
                                quoted(keys.at(included).sLabel) + QStringLiteral(" الآن.")
                          : QStringLiteral(" كل المفاتيح في التدريب."));
    cmdJoin->setAccessibleName(lblJoin->text().trimmed());

    cboReset->clear();
    for (int i = 0; i < included; ++i)
        cboReset->addItem(keys.at(i).sLabel, i);
    cboReset->setCurrentIndex(focus);
    cmdReset->setAccessibleName(lblReset->text().trimmed());
}

void frmAdaptive::StartLine()
{
    TypingPad->sWantedText = m_session->NextLine();
    TypingPad->bActive = true;
    TypingPad->Start();
}

void frmAdaptive::TypingPad_FinishSession()
{
    if (!m_session)
        return;
    const cKeyModel &model = m_session->Model();
    const QList<TrainerKey> &keys = trainerKeys(m_session->IsArabic());
    const int focus = model.Focus();
    const double before = model.States().at(focus).dProgress;
    const int includedBefore = model.IncludedCount();

    HistoryRecord record;
    record.kind = HistoryRecord::Kind::PracticeLine;
    record.source = HistoryRecord::Source::Adaptive;
    record.iSpeed = RoundToInt16(TypingPad->iSpeed);
    record.iAccuracy = RoundToInt16(TypingPad->iAccuracy);
    record.AddKeys(TrimBlanks(TypingPad->sWantedText), TypingPad->sWrittenText, TypingPad->KeyIntervals());
    theHistory().Record(record);
    // Folded as the history keeps it, stamped the same way.
    record.iTime = QDateTime::currentMSecsSinceEpoch();
    record.bArabic = m_session->IsArabic();
    m_session->LineDone(record);

    QString text = QStringLiteral(" السطر الأخير: السرعة") + theUser().SpeedText(record.iSpeed).chopped(1) +
                   QStringLiteral("، الدقة") + screen::PercentText(record.iAccuracy) + QStringLiteral("؛ ") +
                   quoted(keys.at(focus).sLabel) + QStringLiteral(" من ") + percent(before) +
                   QStringLiteral(" إلى ") + percent(model.States().at(focus).dProgress) + QStringLiteral(" من الهدف.");
    for (int i = includedBefore; i < model.IncludedCount(); ++i)
        text += QStringLiteral(" دخل ") + quoted(keys.at(i).sLabel) + QStringLiteral(" التدريب.");
    lblLine->setText(text);
    screen::Announce(text);

    ShowModel();
    StartLine();
}

void frmAdaptive::KeepChoices()
{
    const bool arabic = m_session->IsArabic();
    const cAdaptiveSession::Choices &choices = m_session->GetChoices();
    theUser().SetPreference(PreferenceKey("Joined", arabic), choices.iJoinedEarly);
    theUser().SetPreference(PreferenceKey("Resets", arabic), choices.ResetsText());
}

void frmAdaptive::cmdJoin_Click()
{
    if (!m_session || !m_session->JoinNextKey())
        return;
    KeepChoices();
    ShowModel();
    StartLine();
    TypingPad->setFocus();
}

void frmAdaptive::cmdReset_Click()
{
    if (!m_session || cboReset->currentIndex() < 0)
        return;
    m_session->ResetKey(cboReset->currentData().toInt(), QDateTime::currentMSecsSinceEpoch());
    KeepChoices();
    ShowModel();
    StartLine();
    TypingPad->setFocus();
}

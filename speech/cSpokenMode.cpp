#include "speech/cSpokenMode.h"

#include "app/ScreenParts.h"
#include "platform/Beep.h"
#include "platform/Dialogs.h"
#include "speech/cSpokenText.h"
#include "typing/TypingPad.h"
#include "users/cUser.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>

namespace {

constexpr quint32 kSKeycode = 39; // the physical S key (X keycode)

const QString kTurnedOn = QStringLiteral("تشغيل الصوت");
const QString kTurnedOff = QStringLiteral("إيقاف الصوت");
const QString kLineEnd = QStringLiteral("نهاية السطر");

QSettings settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavrin"),
                     QStringLiteral("KZ"));
}

// The learner's own choice, with the learner's other preferences.
const QString kLearnerKey = QStringLiteral("Speech");

QString roleWord(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
        return QStringLiteral("زر");
    case QAccessible::CheckBox:
        return QStringLiteral("مربع اختيار");
    case QAccessible::RadioButton:
        return QStringLiteral("زر خيار");
    case QAccessible::ComboBox:
        return QStringLiteral("قائمة منسدلة");
    case QAccessible::List:
        return QStringLiteral("قائمة");
    case QAccessible::EditableText:
        return QStringLiteral("مربع نص");
    case QAccessible::MenuItem:
        return QStringLiteral("عنصر قائمة");
    case QAccessible::Link:
        return QStringLiteral("رابط");
    case QAccessible::Table:
        return QStringLiteral("جدول");
    case QAccessible::Graphic:
        return QStringLiteral("صورة");
    default:
        return QString();
    }
}

QString checkedWord(const QAbstractButton *button)
{
    if (button->inherits("QRadioButton"))
        return button->isChecked() ? QStringLiteral("مختار") : QStringLiteral("غير مختار");
    return button->isChecked() ? QStringLiteral("محدد") : QStringLiteral("غير محدد");
}

QString joined(const QStringList &parts)
{
    // Captions end in a stop or a colon; between the parts of one description they only jar.
    static const QRegularExpression kEnd(QStringLiteral("[\\s.:\u060C]+$"));
    QStringList kept;
    for (QString part : parts) {
        part.remove(kEnd);
        if (!part.trimmed().isEmpty())
            kept.append(part.trimmed());
    }
    return kept.join(QStringLiteral("، "));
}

} // namespace

cSpokenMode::cSpokenMode()
{
    connect(&m_speech, &cSpeech::Opened, this, &cSpokenMode::Opened);
    if (qApp)
        qApp->installEventFilter(this);
}

cSpokenMode::~cSpokenMode()
{
    Unlisten();
}

void cSpokenMode::Unlisten()
{
    for (const QMetaObject::Connection &c : std::as_const(m_listening) + m_following)
        disconnect(c);
    m_listening.clear();
    m_following.clear();
    platform::setDialogListener({});
    screen::SetAnnouncer({});
}

void cSpokenMode::Begin()
{
    if (settings().value(QStringLiteral("Speech/Last"), false).toBool())
        SetOn(true);
}

void cSpokenMode::LearnerLoggedIn(const QString &sName)
{
    m_learner = sName;
    const QVariant kept = cUser::PreferenceOf(sName.trimmed(), kLearnerKey);
    if (kept.isValid())
        SetOn(kept.toBool());
    else
        Store();
}

void cSpokenMode::SetOn(bool bOn)
{
    if (bOn == m_on) {
        m_wantOn = false;
        return;
    }
    if (!bOn) {
        m_wantOn = false;
        Engage(false);
        return;
    }
    m_wantOn = true;
    if (m_speech.IsOpen())
        Opened(QString());
    else
        m_speech.Open(); // Opened follows
}

void cSpokenMode::Opened(const QString &sProblem)
{
    if (!m_wantOn)
        return;
    m_wantOn = false;
    if (!sProblem.isEmpty()) {
        qInfo("no speech: %s", qPrintable(sProblem));
        platform::beep();
        platform::messageBox(QStringLiteral("لا يمكن تشغيل الصوت: لم يُعثر على محرك للنطق.\n"
                                            "ثبّت speech-dispatcher و espeak-ng ثم أعد المحاولة."),
                             QStringLiteral("الصوت"), platform::MessageIcon::Exclamation);
        emit Changed(false);
        return;
    }
    Engage(true);
}

void cSpokenMode::Engage(bool bOn)
{
    m_on = bOn;
    Store();
    if (!bOn) {
        Unlisten();
        m_speech.Stop();
        m_speech.Say({{kTurnedOff, true}});
        emit Changed(false);
        return;
    }
    m_listening.append(connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget *, QWidget *now) { SayFocus(now, false); }));
    m_listening.append(connect(&typingNews(), &cTypingNews::LineStarted, this, &cSpokenMode::LineStarted));
    m_listening.append(connect(&typingNews(), &cTypingNews::KeyJudged, this, &cSpokenMode::KeyJudged));
    m_listening.append(connect(&typingNews(), &cTypingNews::LineFinished, this, [this](TypingPad *) {
        Say({{kLineEnd, true}});
    }));
    screen::SetAnnouncer([this](const QString &text) { SayText(text); });
    platform::setDialogListener([this](const platform::DialogRequest &request) {
        QStringList buttons;
        if (request.kind == platform::DialogRequest::SaveFile)
            buttons = {QStringLiteral("حفظ"), QStringLiteral("إلغاء الأمر")};
        else if (request.kind == platform::DialogRequest::Input)
            buttons = {roleWord(QAccessible::EditableText), QStringLiteral("موافق"),
                       QStringLiteral("إلغاء الأمر")};
        else if (request.buttons == platform::MessageButtons::YesNo)
            buttons = {QStringLiteral("نعم"), QStringLiteral("لا")};
        else
            buttons = {QStringLiteral("موافق")};
        SayText(request.title + QStringLiteral(". ") + request.text);
        SayText(joined(buttons));
    });
    m_speech.Stop();
    Say({{kTurnedOn, true}});
    m_window = QApplication::activeWindow();
    SayFocus(QApplication::focusWidget(), true);
    emit Changed(true);
}

void cSpokenMode::Store() const
{
    QSettings stored = settings();
    stored.setValue(QStringLiteral("Speech/Last"), m_on);
    if (!m_learner.isEmpty())
        cUser::SetPreferenceOf(m_learner.trimmed(), kLearnerKey, m_on);
}

void cSpokenMode::Say(const Utterance &parts)
{
    m_speech.Say(parts);
}

void cSpokenMode::SayText(const QString &text)
{
    Say(cSpokenText::Text(text));
}

void cSpokenMode::SayFocus(QWidget *now, bool bWindowAnyway)
{
    for (const QMetaObject::Connection &c : std::as_const(m_following))
        disconnect(c);
    m_following.clear();
    if (!now)
        return;
    // Moving on cuts what was said of the last control.
    if (!bWindowAnyway)
        m_speech.Stop();
    QWidget *window = now->window();
    if (window != m_window || bWindowAnyway) {
        m_window = window;
        // A box from platform's dialogs has been read as it came up, its buttons with it.
        if (qobject_cast<QMessageBox *>(window) || qobject_cast<QInputDialog *>(window))
            return;
        SayText(window->windowTitle());
        // A line that started before its window came up is read after the window's title.
        if (auto *pad = qobject_cast<TypingPad *>(now); pad && pad->bActive && pad->sWrittenText.isEmpty())
            Say(cSpokenText::Line(pad->TrimmedWanted()));
    }
    // The pad is heard through its line and its keys.
    if (qobject_cast<TypingPad *>(now))
        return;
    SayText(Describe(now));
    FollowFocused(now);
}

void cSpokenMode::FollowFocused(QWidget *widget)
{
    if (auto *button = qobject_cast<QAbstractButton *>(widget); button && button->isCheckable()) {
        m_following.append(connect(button, &QAbstractButton::toggled, this,
                                   [this, button] { SayText(checkedWord(button)); }));
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        m_following.append(connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] {
            m_speech.Stop();
            SayText(combo->currentText());
        }));
    } else if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->selectionModel()) {
        m_following.append(connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
                                   [this](const QModelIndex &current) {
                                       m_speech.Stop();
                                       SayText(current.data().toString());
                                   }));
    }
}

QString cSpokenMode::Describe(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    if (!accessible)
        return widget->accessibleName();
    // Linux gives a combo box its current item for a name; the name the tutor gave it comes first.
    const QString name =
        widget->accessibleName().isEmpty() ? accessible->text(QAccessible::Name) : widget->accessibleName();
    QStringList parts{name, roleWord(accessible->role())};
    if (auto *button = qobject_cast<QAbstractButton *>(widget); button && button->isCheckable()) {
        parts.append(checkedWord(button));
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        parts.append(combo->currentText());
    } else if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
        parts.append(view->currentIndex().data().toString());
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        if (edit->echoMode() == QLineEdit::Normal)
            parts.append(edit->text());
    }
    const QString description = accessible->text(QAccessible::Description);
    if (description != name)
        parts.append(description);
    return joined(parts);
}

void cSpokenMode::LineStarted(TypingPad *pad)
{
    // In a window still to come up, the line is read once its title has been (SayFocus).
    if (pad->window() == m_window)
        Say(cSpokenText::Line(pad->TrimmedWanted()));
}

void cSpokenMode::KeyJudged(TypingPad *pad, cTypingNews::Key key)
{
    // A key cuts what is being said; the pad has judged and drawn it already.
    m_speech.Stop();
    if (key != cTypingNews::Key::Right && !pad->LineComplete())
        SayNextLetter(pad);
}

void cSpokenMode::SayNextLetter(TypingPad *pad)
{
    Say(cSpokenText::NextLetter(pad->TrimmedWanted(), pad->sWrittenText.size(), pad->bArabic));
}

bool cSpokenMode::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers mods =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if (mods == (Qt::ControlModifier | Qt::AltModifier) &&
        (key->nativeScanCode() == kSKeycode || key->key() == Qt::Key_S)) {
        if (!key->isAutoRepeat())
            Toggle();
        return true;
    }
    if (!m_on || (key->key() != kNextLetterKey && key->key() != kLineKey))
        return QObject::eventFilter(watched, event);
    auto *pad = qobject_cast<TypingPad *>(QApplication::focusWidget());
    if (!pad || !pad->bActive)
        return QObject::eventFilter(watched, event);
    m_speech.Stop();
    if (key->key() == kNextLetterKey)
        SayNextLetter(pad);
    else
        Say(cSpokenText::Line(pad->TrimmedWanted()));
    return true;
}

namespace {
QPointer<cSpokenMode> &spokenMode()
{
    static QPointer<cSpokenMode> mode;
    return mode;
}
} // namespace

cSpokenMode &theSpokenMode()
{
    if (!spokenMode()) {
        spokenMode() = new cSpokenMode;
        spokenMode()->setParent(qApp);
    }
    return *spokenMode();
}

void DiscardSpokenMode()
{
    delete spokenMode().data();
}

#include "users/ProfileMessages.h"

#include "app/StringTable.h"
#include "platform/Dialogs.h"
#include "users/cProfileRemoval.h"
#include "users/cUser.h"

#include <functional>

namespace {
const QString kParagraph = QStringLiteral("\r\r");

// Asks for a protected profile's password until `give` judges it right (true) or it is left empty.
bool AskPassword(const std::function<PasswordAnswer(const QString &)> &give, QWidget *parent)
{
    for (;;) {
        const QString answer =
            platform::inputBox(QStringLiteral("ملف المستخدم محمي بكلمة مرور، رجاء كتابتها:"),
                               QStringLiteral("كلمة المرور"), platform::InputEcho::Password, parent);
        switch (give(answer)) {
        case PasswordAnswer::Right:
            return true;
        case PasswordAnswer::Wrong:
            platform::messageBox(QStringLiteral("كلمة المرور غير صحيحة، رجاء التأكد من صحتها."),
                                 QStringLiteral("خطأ في كلمة المرور"), platform::MessageIcon::Exclamation,
                                 platform::MessageButtons::Ok, parent);
            break;
        case PasswordAnswer::Empty:
            return false;
        }
    }
}
} // namespace

void ShowProfileError(const QString &sWhat, const QString &sReason, QWidget *parent)
{
    const QString text = sReason.isEmpty() ? sWhat : sWhat + kParagraph + sReason;
    platform::messageBox(text, QStringLiteral("خطأ في ملف المستخدم"), platform::MessageIcon::Exclamation,
                         platform::MessageButtons::Ok, parent);
}

void ShowHistoryError(const QString &sReason)
{
    // What failed, then the system's reason, as the profile's own write errors are told.
    platform::messageBox(QStringLiteral("تعذر حفظ هذه النتيجة في سجل التقدم.") + kParagraph + sReason,
                         QStringLiteral("خطأ في سجل التقدم"), platform::MessageIcon::Exclamation);
}

bool LogInAsking(const QString &sName, QWidget *parent)
{
    cUser &user = theUser();
    const cUser::LogInOutcome outcome = user.LogIn(sName);
    switch (outcome.result) {
    case cUser::LogInResult::LoggedIn:
        return true;
    case cUser::LogInResult::InUse:
        ShowProfileError(kProfileInUse, QString(), parent);
        return false;
    case cUser::LogInResult::Failed:
        ShowProfileError(kProfileOpenFailed, outcome.sReason, parent);
        return false;
    case cUser::LogInResult::PasswordWanted:
        break;
    default:
        return false;
    }
    return AskPassword(
        [&user](const QString &sAnswer) {
            switch (user.GivePassword(sAnswer)) {
            case cUser::LogInResult::LoggedIn:
                return PasswordAnswer::Right;
            case cUser::LogInResult::WrongPassword:
                return PasswordAnswer::Wrong;
            default:
                return PasswordAnswer::Empty;
            }
        },
        parent);
}

bool DeleteAsking(const QString &sFolder, const QString &sName, QWidget *parent)
{
    cProfileRemoval removal;
    QString reason;
    switch (removal.Open(sFolder, sName, &reason)) {
    case cProfileRemoval::Result::Ready:
        break;
    case cProfileRemoval::Result::PasswordWanted:
        if (!AskPassword([&removal](const QString &sAnswer) { return removal.GivePassword(sAnswer); },
                         parent))
            return false;
        break;
    case cProfileRemoval::Result::Missing:
        return false;
    case cProfileRemoval::Result::InUse:
        ShowProfileError(kProfileInUse, QString(), parent);
        return false;
    case cProfileRemoval::Result::Failed:
        ShowProfileError(kProfileDeleteFailed, reason, parent);
        return false;
    }
    const int answer = platform::messageBox(
        LoadResString(resid::kDeleteQuestion) + QLatin1Char(' ') + sName + QStringLiteral(" ؟"),
        QStringLiteral("حذف ملف"), platform::MessageIcon::Question, platform::MessageButtons::YesNo, parent);
    if (answer != platform::AnswerYes)
        return false;
    if (!removal.Remove(&reason)) {
        ShowProfileError(kProfileDeleteFailed, reason, parent);
        return false;
    }
    return true;
}

#include "users/ProfileMessages.h"

#include "platform/Dialogs.h"
#include "users/cUser.h"

namespace {
const QString kParagraph = QStringLiteral("\r\r");
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
    for (;;) {
        const QString answer =
            platform::inputBox(QStringLiteral("ملف المستخدم محمي بكلمة مرور، رجاء كتابتها:"),
                               QStringLiteral("كلمة المرور"), platform::InputEcho::Password, parent);
        switch (user.GivePassword(answer)) {
        case cUser::LogInResult::LoggedIn:
            return true;
        case cUser::LogInResult::WrongPassword:
            platform::messageBox(QStringLiteral("كلمة المرور غير صحيحة، رجاء التأكد من صحتها."),
                                 QStringLiteral("خطأ في كلمة المرور"), platform::MessageIcon::Exclamation,
                                 platform::MessageButtons::Ok, parent);
            break;
        default:
            return false;
        }
    }
}

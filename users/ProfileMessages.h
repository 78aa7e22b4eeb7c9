#pragma once

#include <QString>

class QWidget;

// What the learner is told when a profile cannot be opened, written, made or deleted, and the login
// conversation with its password question.

// What failed, as the learner is told.
inline const QString kProfileOpenFailed = QStringLiteral("تعذر فتح ملف المستخدم.");
inline const QString kProfileSaveFailed = QStringLiteral("تعذر حفظ التغيير في ملف المستخدم.");
inline const QString kProfileCreateFailed = QStringLiteral("تعذر إنشاء ملف المستخدم.");
inline const QString kProfileDeleteFailed = QStringLiteral("تعذر حذف ملف المستخدم.");
inline const QString kProfileInUse =
    QStringLiteral("ملف المستخدم مفتوح في نسخة أخرى من البرنامج، أغلقها ثم حاول مرة أخرى.");

// Tells the learner that an operation on a profile failed (`sWhat`) and the system's reason.
void ShowProfileError(const QString &sWhat, const QString &sReason, QWidget *parent = nullptr);

// Tells the learner that a finished line or test could not be kept in the history, and why.
void ShowHistoryError(const QString &sReason);

// Logs the learner in, asking for the password of a protected profile until it is typed right or
// the question is left empty; a profile that cannot be opened is explained. False when nobody was
// logged in (a profile that has vanished fails without a message: the list is read again).
bool LogInAsking(const QString &sName, QWidget *parent = nullptr);

// Deletes the learner's profile and history from `sFolder`: refused while another tutor holds it;
// a protected profile's password is asked first, as at login; then the learner confirms. True when
// it was deleted.
bool DeleteAsking(const QString &sFolder, const QString &sName, QWidget *parent = nullptr);

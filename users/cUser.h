#pragma once

#include "users/ProfileFile.h"

#include <QString>
#include <QVariant>

class QWidget;

// The logged-in learner. Holds no copy of the profile: every query reads the file, every change
// writes it, and the file stays open from login to the end of the process.
class cUser
{
public:
    QString sUserName;

    bool LogIn(const QString &sName);
    QVariant GetSettings(const QString &sSection, const QString &sItem);
    void SetSettings(const QString &sSection, const QString &sItem, const QVariant &vNewValue);
    qint16 ConvSpeed(qint16 speed, QString &unitLabel);
    qint16 GetWantedSpeed();
    qint16 GetWantedAccuracy();

    // The result slots of the lesson tests, read and written by the lesson controller.
    qint16 ReadInteger(int offset) { return m_file.readInt16(offset); }
    void WriteInteger(int offset, qint16 value);

    bool IsLanguageArabic()
    {
        return GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar");
    }

    // Closes the profile and forgets the learner; used between tests.
    void LogOut();

private:
    int flagOffset(const QString &sSection, const QString &sItem) const;
    QString readPassword();
    // A change that did not reach the disk is never passed over: the learner is told why.
    void reportWrite(bool written, const QString &error);

    ProfileFile m_file;
};

cUser &theUser();

// Tells the learner that an operation on a profile failed (`sWhat`) and the system's reason.
void ShowProfileError(const QString &sWhat, const QString &sReason, QWidget *parent = nullptr);

// What failed, as the learner is told.
inline const QString kProfileOpenFailed = QStringLiteral("تعذر فتح ملف المستخدم.");
inline const QString kProfileSaveFailed = QStringLiteral("تعذر حفظ التغيير في ملف المستخدم.");
inline const QString kProfileCreateFailed = QStringLiteral("تعذر إنشاء ملف المستخدم.");
inline const QString kProfileDeleteFailed = QStringLiteral("تعذر حذف ملف المستخدم.");
inline const QString kProfileInUse =
    QStringLiteral("ملف المستخدم مفتوح في نسخة أخرى من البرنامج، أغلقها ثم حاول مرة أخرى.");

// Colour values as the profile's display setting gives them, in blue-green-red byte order.
constexpr qint32 kBlackBackground = 0x000000;
constexpr qint32 kLightBackground = 0xC0FFC0;

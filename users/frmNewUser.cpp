#include "users/frmNewUser.h"

#include "app/Blanks.h"
#include "app/Int16.h"
#include "app/ScreenParts.h"
#include "app/cTheApp.h"
#include "platform/Folders.h"
#include "platform/Screens.h"
#include "users/ProfileFile.h"
#include "users/ProfileMessages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The leading number of a list entry such as "95 %".
double leadingNumber(const QString &text)
{
    QString digits;
    for (const QChar ch : TrimBlanks(text)) {
        if (!ch.isDigit() && ch != QLatin1Char('.'))
            break;
        digits += ch;
    }
    return digits.toDouble();
}
} // namespace

frmNewUser::frmNewUser(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNewUser"));
    setWindowTitle(QStringLiteral("مستخدم جديد"));
    setModal(true);
    platform::fixWindowSize(this, QSize(360, 220));

    lblLabel = new QLabel(QStringLiteral("إسم المستخدم:"), this);
    lblLabel->setGeometry(250, 14, 98, 26);
    lblLabel->setAlignment(screen::kCaptionAlignment);
    txtText = new QLineEdit(this);
    txtText->setObjectName(QStringLiteral("txtText"));
    txtText->setMaxLength(30);
    txtText->setGeometry(12, 14, 232, 26);
    lblLabel->setBuddy(txtText);

    Frame1 = new QGroupBox(QStringLiteral("المستوى المطموح له"), this);
    Frame1->setGeometry(12, 50, 336, 110);
    Label1 = new QLabel(QStringLiteral("السرعة:"), Frame1);
    Label1->setGeometry(250, 30, 74, 26);
    Label1->setAlignment(screen::kCaptionAlignment);
    cmbSpeed = new QComboBox(Frame1);
    cmbSpeed->setObjectName(QStringLiteral("cmbSpeed"));
    cmbSpeed->setGeometry(150, 30, 94, 26);
    Label1->setBuddy(cmbSpeed);
    for (int wpm = 5; wpm <= 100; wpm += 5)
        cmbSpeed->addItem(QString::number(wpm));
    Label2 = new QLabel(QStringLiteral("كلمة/دقيقة."), Frame1);
    Label2->setGeometry(40, 30, 104, 26);
    Label2->setAlignment(screen::kCaptionAlignment);
    Label3 = new QLabel(QStringLiteral("الدقة:"), Frame1);
    Label3->setGeometry(250, 68, 74, 26);
    Label3->setAlignment(screen::kCaptionAlignment);
    cmbAccuracy = new QComboBox(Frame1);
    cmbAccuracy->setObjectName(QStringLiteral("cmbAccuracy"));
    cmbAccuracy->setGeometry(150, 68, 94, 26);
    Label3->setBuddy(cmbAccuracy);

    cmdOK = new QPushButton(QStringLiteral("موافق"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(130, 176, 104, 30);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("إلغاء الأمر"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(12, 176, 104, 30);

    connect(cmdOK, &QPushButton::clicked, this, &frmNewUser::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewUser::cmdCancel_Click);
    Form_Load();
}

void frmNewUser::Form_Load()
{
    for (int accuracy = 50; accuracy <= 100; ++accuracy)
        cmbAccuracy->addItem(QString::number(accuracy) + QStringLiteral(" %"));
    cmbSpeed->setCurrentText(QStringLiteral("30"));
    cmbAccuracy->setCurrentText(QStringLiteral("95 %"));
}

void frmNewUser::cmdOK_Click()
{
    const QString name = TrimBlanks(txtText->text());
    // A name becomes a file name in the program folder: refuse anything that could lead elsewhere.
    if (!ProfileFile::isValidUserName(name)) {
        theApp().ErrorMessage(102);
        return;
    }
    // Two learners never differ only in case or in the kind of a space.
    for (const QString &taken : ProfileFile::listNames(platform::profileFolder())) {
        if (ProfileFile::isSameUserName(taken, name)) {
            theApp().ErrorMessage(101);
            return;
        }
    }
    const qint16 accuracy = RoundToInt16(leadingNumber(cmbAccuracy->currentText()));
    const qint16 speed = RoundToInt16(leadingNumber(cmbSpeed->currentText()) * 5);
    QString error;
    if (!ProfileFile::create(platform::profileFolder() + name + QLatin1String(ProfileFile::kExtension),
                             accuracy, speed, &error)) {
        // Made whole or not at all, so nothing half-made is left to list; the dialog stays open.
        ShowProfileError(kProfileCreateFailed, error, this);
        return;
    }
    sCreatedName = name;
    accept();
}

void frmNewUser::cmdCancel_Click()
{
    reject();
}

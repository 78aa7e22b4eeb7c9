#include "users/frmUsers.h"

#include "app/ScreenParts.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "platform/Dialogs.h"
#include "platform/Process.h"
#include "platform/SafeFile.h"
#include "platform/Screens.h"
#include "users/ProfileFile.h"
#include "users/ProfileMessages.h"
#include "users/cHistory.h"
#include "users/frmNewUser.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

frmUsers::frmUsers()
{
    setObjectName(QStringLiteral("frmUsers"));
    setWindowTitle(QStringLiteral("Tavrin - المستخدمون"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    platform::fixWindowSize(this, QSize(400, 250));

    lstUsers = new QListWidget(this);
    lstUsers->setObjectName(QStringLiteral("lstUsers"));
    lstUsers->setGeometry(130, 12, 258, 190);
    Label1 = new QLabel(QStringLiteral("المستخدم الحالي:"), this);
    Label1->setGeometry(280, 212, 108, 26);
    Label1->setAlignment(screen::kCaptionAlignment);
    lblUser = screen::makeLabel(QStringLiteral("lblUser"), QString(), QRect(130, 212, 146, 26), this);
    screen::setFontOf(lblUser, 0, true);

    auto makeButton = [this](const QString &caption, const char *name, int y) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(12, y, 108, 30);
        return button;
    };
    cmdOK = makeButton(QStringLiteral("موافق"), "cmdOK", 12);
    cmdCancel = makeButton(QStringLiteral("إلغاء الأمر"), "cmdCancel", 48);
    cmdNewUser = makeButton(QStringLiteral("مستخدم جديد..."), "cmdNewUser", 118);
    cmdDel = makeButton(QStringLiteral("حذف"), "cmdDel", 154);
    cmdOK->setDefault(true);

    connect(lstUsers, &QListWidget::currentTextChanged, lblUser, &QLabel::setText);
    connect(lstUsers, &QListWidget::itemDoubleClicked, this, &frmUsers::cmdOK_Click);
    lstUsers->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmUsers::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmUsers::cmdCancel_Click);
    connect(cmdNewUser, &QPushButton::clicked, this, &frmUsers::cmdNewUser_Click);
    connect(cmdDel, &QPushButton::clicked, this, &frmUsers::cmdDel_Click);
}

void frmUsers::Form_Load()
{
    RefreshData();
}

void frmUsers::RefreshData()
{
    lstUsers->clear();
    for (const QString &name : ProfileFile::listNames(theApp().GetPath())) {
        if (name.trimmed().isEmpty())
            break;
        lstUsers->addItem(name);
    }
    const bool any = lstUsers->count() > 0;
    if (any) {
        lstUsers->setCurrentRow(0);
        lblUser->setText(lstUsers->item(0)->text());
    } else {
        lblUser->clear();
    }
    cmdOK->setEnabled(any);
    cmdDel->setEnabled(any);
}

bool frmUsers::SelectUser(const QString &sName)
{
    const QList<QListWidgetItem *> found = lstUsers->findItems(sName, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    lstUsers->setCurrentItem(found.first());
    return true;
}

void frmUsers::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The list has the keyboard from the start, and shows it.
    lstUsers->setFocus(Qt::TabFocusReason);
}

void frmUsers::cmdOK_Click()
{
    const QString name = lblUser->text();
    if (name.isEmpty())
        return;
    if (LogInAsking(name, this)) {
        emit LoggedIn();
        WindowRegistry::Unload(this);
        return;
    }
    // The profile may have gone since the list was filled; show what is really there.
    if (!QFile::exists(theApp().GetPath() + name + QLatin1String(ProfileFile::kExtension)))
        RefreshData();
}

bool frmUsers::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the list logs the selected user in, as OK does.
    if (watched == lstUsers && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && lstUsers->currentItem()) {
            cmdOK_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmUsers::cmdCancel_Click()
{
    platform::endProgram();
}

void frmUsers::cmdNewUser_Click()
{
    frmNewUser dialog(this);
    dialog.exec();
    RefreshData();
    // The new profile is the one to log in: Enter does it, rather than pressing "new user" again.
    if (!dialog.sCreatedName.isEmpty() && SelectUser(dialog.sCreatedName))
        lstUsers->setFocus(Qt::TabFocusReason);
}

void frmUsers::cmdDel_Click()
{
    const QString name = lblUser->text();
    if (name.isEmpty())
        return;
    const int answer = platform::messageBox(
        LoadResString(resid::kDeleteQuestion) + QLatin1Char(' ') + name + QStringLiteral(" ؟"),
        QStringLiteral("حذف ملف"), platform::MessageIcon::Question, platform::MessageButtons::YesNo, this);
    if (answer == platform::AnswerYes) {
        const QString path = theApp().GetPath() + name + QLatin1String(ProfileFile::kExtension);
        QString error;
        if (ProfileFile::remove(path, &error) || !QFileInfo::exists(path)) {
            // The learner's history goes with the profile; a learner without one has nothing to remove.
            platform::removeFile(cHistory::PathFor(theApp().GetPath(), name));
        } else {
            ShowProfileError(kProfileDeleteFailed, error, this);
        }
    }
    RefreshData();
}

#include "users/frmUsers.h"

#include "app/ScreenParts.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/SafeFile.h"
#include "platform/Screens.h"
#include "users/ProfileFile.h"
#include "users/ProfileMessages.h"
#include "users/cHistory.h"
#include "users/frmClassReport.h"
#include "users/frmNewUser.h"

#include <QFile>
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
    lstUsers->setAccessibleName(QStringLiteral("المستخدمون"));
    Label1 = new QLabel(QStringLiteral("المستخدم الحالي:"), this);
    Label1->setGeometry(280, 212, 108, 26);
    Label1->setAlignment(screen::kCaptionAlignment);
    // In the list's own face: a bold one would open the bold face of each script the name is written
    // in, for this one label, before the first window can show.
    lblUser = screen::makeLabel(QStringLiteral("lblUser"), QString(), QRect(130, 212, 146, 26), this);

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
    cmdReport = makeButton(QStringLiteral("تقرير الفصل..."), "cmdReport", 190);
    cmdOK->setDefault(true);

    connect(lstUsers, &QListWidget::currentTextChanged, lblUser, &QLabel::setText);
    connect(lstUsers, &QListWidget::itemDoubleClicked, this, &frmUsers::cmdOK_Click);
    lstUsers->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmUsers::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmUsers::cmdCancel_Click);
    connect(cmdNewUser, &QPushButton::clicked, this, &frmUsers::cmdNewUser_Click);
    connect(cmdDel, &QPushButton::clicked, this, &frmUsers::cmdDel_Click);
    connect(cmdReport, &QPushButton::clicked, this, &frmUsers::cmdReport_Click);
}

void frmUsers::Form_Load()
{
    RefreshData();
}

void frmUsers::RefreshData()
{
    // What creations stopped by a kill left behind goes as the list is read.
    platform::sweepStaleTemporaries(platform::profileFolder(), {QLatin1String(ProfileFile::kExtension),
                                                                QLatin1String(cHistory::kExtension)});
    lstUsers->clear();
    for (const QString &name : ProfileFile::listNames(platform::profileFolder())) {
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
    if (!QFile::exists(platform::profileFolder() + name + QLatin1String(ProfileFile::kExtension)))
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
    DeleteAsking(platform::profileFolder(), name, this);
    RefreshData();
}

void frmUsers::cmdReport_Click()
{
    frmClassReport report(platform::profileFolder(), this);
    report.exec();
}

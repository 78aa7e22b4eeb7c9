#include "setup/frmCopy.h"

#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/ProgramGroup.h"
#include "platform/SafeFile.h"
#include "setup/PageParts.h"
#include "setup/cCopyList.h"
#include "setup/frmCopyFailed.h"
#include "setup/mdlSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

frmCopy::frmCopy() : WizardPage(QStringLiteral("نسخ الملفات"))
{
    Label2 = new QLabel(QStringLiteral("جاري نسخ الملف:"), this);
    lblFile = new QLabel(this);
    // A path reads left to right; it stays on the page's reading side.
    lblFile->setTextFormat(Qt::PlainText);
    lblFile->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    lblFile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Picture1 = new QFrame(this);
    Picture1->setFrameShape(QFrame::Box);
    Picture1->setFixedSize(kBoxWidth, kBoxHeight);
    Picture1->setAutoFillBackground(true);
    QPalette boxColours = Picture1->palette();
    boxColours.setColor(QPalette::Window, QColor(pageparts::colours::kProgressBox));
    Picture1->setPalette(boxColours);
    Shape1 = new QFrame(Picture1);
    Shape1->setAutoFillBackground(true);
    QPalette barColours = Shape1->palette();
    barColours.setColor(QPalette::Window, QColor(pageparts::colours::kProgressBar));
    Shape1->setPalette(barColours);
    // Wider than the box and starting just outside it: nothing shows until the first file is done.
    Shape1->setGeometry(kBoxWidth, 0, kBoxWidth + kBarOverhang, kBoxHeight);
    lblPercent = new QLabel(QStringLiteral("0%"), this);
    Command4 = new QPushButton(QStringLiteral("إلغاء"), this);

    auto *progress = new QHBoxLayout;
    progress->addWidget(Picture1);
    progress->addWidget(lblPercent);
    progress->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command4);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(lblFile);
    layout->addSpacing(pageparts::kGap);
    layout->addLayout(progress);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setFixedSize(pageparts::kCopyPageSize);

    connect(Command4, &QPushButton::clicked, this, &frmCopy::Command4_Click);
}

void frmCopy::Form_Load()
{
    WizardPage::Form_Load();
    iFile = 1;
}

void frmCopy::Form_Activate()
{
    if (Tag.compare(QStringLiteral("XXX"), Qt::CaseInsensitive) == 0)
        return;
    Tag = QStringLiteral("XXX");
    StartCopy();
}

bool frmCopy::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &frmCopy::Form_Activate);
    return WizardPage::event(event);
}

void frmCopy::showEvent(QShowEvent *event)
{
    WizardPage::showEvent(event);
    // Without a window manager a new window may never be activated; being shown starts the copy
    // as well (it runs once either way).
    QTimer::singleShot(0, this, &frmCopy::Form_Activate);
}

void frmCopy::StartCopy()
{
    const QList<cCopyList::Row> rows = cCopyList::Rows();
    const QList<cCopyList::Row> runtime = cCopyList::RuntimeRows(SetupFolder());
    iFiles = static_cast<qint16>(rows.size() + runtime.size());
    for (const cCopyList::Row &row : rows)
        CopyTheFile(row.sOldName, row.sNewName);
    // The run-time files come after, without the wait each of the six files gets.
    for (const cCopyList::Row &row : runtime)
        CopyTheFile(row.sOldName, row.sNewName, false);

    if (!failedCopies.isEmpty()) {
        // The tutor is not installed whole; saying it is would send the learner to a broken program.
        frmCopyFailed report(this);
        report.ShowFailures(failedCopies);
        report.exec();
        platform::endProgram(kExitCopyFailed);
        return;
    }
    if (bCreateGroup && !CreateGroup())
        platform::messageBox(QStringLiteral("تعذر إنشاء مجموعة Tavrin في قائمة إبدأ."),
                             QStringLiteral("Tavrin"), platform::MessageIcon::Exclamation,
                             platform::MessageButtons::Ok, this);
    platform::messageBox(QStringLiteral("تمت عملية تركيب برنامج  Tavrin بنجاح!"), QStringLiteral("Tavrin"),
                         platform::MessageIcon::Information, platform::MessageButtons::Ok, this);
    platform::endProgram(kExitInstalled);
}

bool frmCopy::CopyTheFile(const QString &sOldName, const QString &sNewName, bool bWait)
{
    // A deep folder is shortened in its middle so the file's name stays in sight; the whole path
    // is the tip.
    const QString sShown = sInstallPath + sNewName;
    const QMargins margins = layout()->contentsMargins();
    lblFile->setToolTip(sShown);
    lblFile->setText(pageparts::LeftToRight(lblFile->fontMetrics().elidedText(
        sShown, Qt::ElideMiddle, width() - margins.left() - margins.right())));
    lblFile->repaint();
    QCoreApplication::processEvents();
    if (bWait)
        Sleep(1);

    const QString source = SetupFolder() + sOldName;
    const cCopyList::Row row{sOldName, sNewName};
    const QString target = cCopyList::TargetPath(row, sInstallPath, platform::systemFolder());
    QString sReason;
    if (!cCopyList::IsLibrary(sNewName)) {
        // A run-time file may sit in a folder of its own (the platform plugin), made inside the
        // installation folder without following a link that stands for it.
        if (const int error = platform::makeFoldersInside(sInstallPath, QFileInfo(sNewName).path()))
            sReason = cCopyList::ReasonText(error);
        else
            sReason = CopiedOrWhyNot(source, target, cCopyList::IsProgram(sNewName));
    } else if (QFileInfo(source).isFile()) {
        // The system folder is made on first use; a library that is busy gets one more try.
        if (const int error = platform::makeFolders(platform::systemFolder())) {
            sReason = cCopyList::ReasonText(error);
        } else {
            sReason = CopiedOrWhyNot(source, target, false);
            if (!sReason.isEmpty())
                sReason = CopiedOrWhyNot(source, target, false);
        }
    }
    if (!sReason.isEmpty())
        failedCopies.append({sReason, target});

    lblPercent->setText(QString::number(cCopyList::Percent(iFile, iFiles)) + QLatin1Char('%'));
    Shape1->move(cCopyList::BarLeft(iFile, iFiles, kBoxWidth), 0);
    ++iFile;
    return sReason.isEmpty();
}

QString frmCopy::CopiedOrWhyNot(const QString &sSource, const QString &sTarget, bool bExecutable)
{
    int error = 0;
    const cCopyList::Failure failure = cCopyList::CopyFile(sSource, sTarget, bExecutable, &error);
    return cCopyList::FailureText(failure, error);
}

bool frmCopy::CreateGroup()
{
    platform::ProgramGroup progman;
    bool understood = progman.execute(QStringLiteral("[CreateGroup(Tavrin)]"));
    understood =
        progman.execute(QStringLiteral("[Additem(") + sInstallPath + QStringLiteral("KZ.EXE,Tavrin)]")) &&
        understood;
    // Windows took these from the program file; "Tavrin" is the class of the tutor's windows.
    progman.describeItem(sInstallPath + QStringLiteral("KZ.EXE"), sInstallPath + QStringLiteral("KZ.png"),
                         QStringLiteral("Tavrin"),
                         QStringLiteral("تعلم الكتابة على لوحة المفاتيح باللمس بالعربية والإنجليزية"));
    understood =
        progman.execute(QStringLiteral("[Additem(") + sInstallPath + QStringLiteral("ReadMe.TXT,إقرأني)]")) &&
        understood;
    return progman.finish() && understood;
}

void frmCopy::Sleep(int iNumofSeconds)
{
    ::Sleep(iNumofSeconds);
}

void frmCopy::Command4_Click()
{
    ConfirmExit(this);
}

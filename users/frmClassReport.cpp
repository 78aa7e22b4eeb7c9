#include "users/frmClassReport.h"

#include "app/ScreenParts.h"
#include "platform/Dialogs.h"
#include "platform/Screens.h"
#include "users/ClassReportModel.h"
#include "users/ClassReportPrinter.h"
#include "users/cReportCsv.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace {

frmClassReport::ProgressOpener &progressOpener()
{
    static frmClassReport::ProgressOpener opener;
    return opener;
}

// The teacher's title line is kept for next time in the tutor's own settings, never in the folder.
QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavrin"),
                     QStringLiteral("KZ"));
}
const QString kTitleKey = QStringLiteral("ClassReport/Title");

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

void frmClassReport::SetProgressOpener(ProgressOpener opener)
{
    progressOpener() = std::move(opener);
}

frmClassReport::frmClassReport(const QString &sFolder, QWidget *parent) : QDialog(parent), m_folder(sFolder)
{
    setObjectName(QStringLiteral("frmClassReport"));
    setWindowTitle(QStringLiteral("Tavrin - تقرير الفصل"));
    // Wide enough for the whole table on a common screen, never wider than the screen it opens on.
    resize(QSize(1100, 620).boundedTo(platform::pointerScreenArea() * 0.95));

    lblTitle = new QLabel(QStringLiteral("عنوان التقرير:"), this);
    txtTitle = new QLineEdit(this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setPlaceholderText(QStringLiteral("اسم المدرسة والفصل"));
    txtTitle->setText(settings().value(kTitleKey).toString());
    lblTitle->setBuddy(txtTitle);
    lblLanguage = new QLabel(QStringLiteral("اللغة:"), this);
    cmbLanguage = new QComboBox(this);
    cmbLanguage->setObjectName(QStringLiteral("cmbLanguage"));
    cmbLanguage->addItem(QStringLiteral("كل اللغات"), QStringLiteral("[AE*]"));
    cmbLanguage->addItem(cClassReport::LanguageText(true), QStringLiteral("[A*]"));
    cmbLanguage->addItem(cClassReport::LanguageText(false), QStringLiteral("[E*]"));
    lblLanguage->setBuddy(cmbLanguage);

    m_model = new ClassReportModel(this);
    m_shown = new ClassReportSortModel(this);
    m_shown->setSourceModel(m_model);

    lstReport = new QTableView(this);
    lstReport->setObjectName(QStringLiteral("lstReport"));
    lstReport->setAccessibleName(QStringLiteral("المتعلمون ونتائجهم"));
    lstReport->setModel(m_shown);
    lstReport->setSortingEnabled(true);
    lstReport->sortByColumn(cClassReport::Name, Qt::AscendingOrder);
    lstReport->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstReport->setSelectionMode(QAbstractItemView::SingleSelection);
    lstReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstReport->setAlternatingRowColors(true);
    lstReport->setWordWrap(false);
    lstReport->verticalHeader()->hide();
    // Rows of one line: the table keeps its row height without measuring every row.
    lstReport->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lstReport->verticalHeader()->setDefaultSectionSize(lstReport->fontMetrics().height() + 8);
    lstReport->horizontalHeader()->setHighlightSections(false);
    lstReport->horizontalHeader()->setStretchLastSection(true);
    lstReport->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; padding: 3px; "
                                            "border: 1px solid %2; }")
                                 .arg(screen::kTableHeader.name(), screen::kTableBorder.name()));

    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdProgress = makeButton(QStringLiteral("عرض التقدم"), "cmdProgress", this);
    cmdCsv = makeButton(QStringLiteral("تصدير CSV..."), "cmdCsv", this);
    cmdPdf = makeButton(QStringLiteral("حفظ PDF..."), "cmdPdf", this);
    cmdPrint = makeButton(QStringLiteral("طباعة..."), "cmdPrint", this);
    cmdClose = makeButton(QStringLiteral("إغلاق"), "cmdClose", this);

    auto *top = new QHBoxLayout;
    top->addWidget(lblTitle);
    top->addWidget(txtTitle, 1);
    top->addSpacing(24);
    top->addWidget(lblLanguage);
    top->addWidget(cmbLanguage);
    auto *status = new QHBoxLayout;
    status->addWidget(lblCount);
    status->addStretch(1);
    status->addWidget(lblStatus);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {cmdProgress, cmdCsv, cmdPdf, cmdPrint})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lstReport, 1);
    layout->addLayout(status);
    layout->addLayout(buttons);

    connect(cmbLanguage, &QComboBox::currentIndexChanged, this, &frmClassReport::cmbLanguage_Change);
    connect(lstReport, &QTableView::activated, this, &frmClassReport::cmdProgress_Click);
    connect(cmdProgress, &QPushButton::clicked, this, &frmClassReport::cmdProgress_Click);
    connect(cmdCsv, &QPushButton::clicked, this, &frmClassReport::cmdCsv_Click);
    connect(cmdPdf, &QPushButton::clicked, this, &frmClassReport::cmdPdf_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmClassReport::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

    cmbLanguage_Change();
    RefreshData();
}

void frmClassReport::RefreshData()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_model->SetRows(cClassReport::Read(m_folder, QDateTime::currentMSecsSinceEpoch()));
    QApplication::restoreOverrideCursor();

    // Widths from the header and the first rows: measuring every row of a large class is slow.
    lstReport->horizontalHeader()->setResizeContentsPrecision(50);
    lstReport->resizeColumnsToContents();

    const QList<ClassReportRow> &rows = m_model->Rows();
    QStringList learners;
    int unreadable = 0;
    for (const ClassReportRow &row : rows) {
        if (learners.isEmpty() || learners.constLast() != row.sName)
            learners.append(row.sName);
        if (!row.bReadable)
            ++unreadable;
    }
    QString count = rows.isEmpty() ? QStringLiteral("لا توجد ملفات مستخدمين في هذا المجلد.")
                                   : QStringLiteral("عدد المتعلمين: %1").arg(learners.size());
    if (unreadable > 0)
        count += QStringLiteral("، منها %1 لا يمكن قراءتها").arg(unreadable);
    lblCount->setText(count);
    const bool any = !rows.isEmpty();
    for (QPushButton *button : {cmdProgress, cmdCsv, cmdPdf, cmdPrint})
        button->setEnabled(any);
    if (any && !lstReport->currentIndex().isValid())
        lstReport->selectRow(0);
}

void frmClassReport::cmbLanguage_Change()
{
    m_shown->setFilterRegularExpression(
        QRegularExpression(QRegularExpression::anchoredPattern(cmbLanguage->currentData().toString())));
}

QList<ClassReportRow> frmClassReport::ShownRows() const
{
    QList<ClassReportRow> rows;
    rows.reserve(m_shown->rowCount());
    for (int i = 0; i < m_shown->rowCount(); ++i)
        rows.append(m_model->Rows().at(m_shown->mapToSource(m_shown->index(i, 0)).row()));
    return rows;
}

QString frmClassReport::Subtitle() const
{
    QString subtitle = QStringLiteral("تقرير الفصل - المجلد: ") + QDir(m_folder).dirName() +
                       QStringLiteral(" - ") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    if (cmbLanguage->currentIndex() > 0)
        subtitle += QStringLiteral(" - ") + cmbLanguage->currentText();
    return subtitle;
}

void frmClassReport::cmdProgress_Click()
{
    const QModelIndex current = lstReport->currentIndex();
    if (!current.isValid() || !progressOpener())
        return;
    const ClassReportRow &row = m_model->Rows().at(m_shown->mapToSource(current).row());
    if (!row.bReadable) {
        platform::messageBox(row.sNote, row.sName, platform::MessageIcon::Exclamation,
                             platform::MessageButtons::Ok, this);
        return;
    }
    progressOpener()(row, m_folder, this);
}

QString frmClassReport::SuggestedPath(const QString &extension) const
{
    // Beside the teacher's documents, never in the profile folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(cClassReport::ExportFileName(m_folder, QDate::currentDate(), extension));
}

void frmClassReport::Saved(bool saved, const QString &path, const QString &error)
{
    if (!saved) {
        platform::messageBox(QStringLiteral("لم يحفظ التقرير في ") + path + QStringLiteral(":\r") + error,
                             windowTitle(), platform::MessageIcon::Exclamation, platform::MessageButtons::Ok,
                             this);
        lblStatus->clear();
        return;
    }
    // A left-to-right mark keeps a path's leading slash at its start in the Arabic line.
    lblStatus->setText(QStringLiteral("حُفظ في: ") + QChar(0x200E) + QDir::toNativeSeparators(path));
}

void frmClassReport::cmdCsv_Click()
{
    const QString path =
        platform::saveFileName(QStringLiteral("تصدير التقرير"), SuggestedPath(QStringLiteral("csv")),
                               QStringLiteral("CSV (*.csv)"), this);
    if (path.isEmpty())
        return;
    QString error;
    Saved(cReportCsv::Save(path, ShownRows(), &error), path, error);
}

void frmClassReport::cmdPdf_Click()
{
    const QString path =
        platform::saveFileName(QStringLiteral("حفظ التقرير"), SuggestedPath(QStringLiteral("pdf")),
                               QStringLiteral("PDF (*.pdf)"), this);
    if (path.isEmpty())
        return;
    QString error;
    Saved(ClassReportPrinter::SavePdf(path, {txtTitle->text().trimmed(), Subtitle()}, ShownRows(), &error),
          path, error);
}

void frmClassReport::cmdPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    ClassReportPrinter::SetUpPage(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setLayoutDirection(Qt::RightToLeft);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!ClassReportPrinter::Paint(printer, {txtTitle->text().trimmed(), Subtitle()}, ShownRows(), &error))
        platform::messageBox(error, windowTitle(), platform::MessageIcon::Exclamation,
                             platform::MessageButtons::Ok, this);
}

void frmClassReport::done(int result)
{
    settings().setValue(kTitleKey, txtTitle->text().trimmed());
    QDialog::done(result);
}

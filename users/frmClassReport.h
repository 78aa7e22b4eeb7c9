#pragma once

#include "users/cClassReport.h"

#include <QDialog>

#include <functional>

class ClassReportModel;
class ClassReportSortModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// "تقرير الفصل": every learner of the profile folder in one table, opened from the user selection
// (a teacher may have no profile of their own). Sortable by each column, filtered by language; a
// row opens that learner's progress read only; exported as CSV, saved as PDF or printed, as shown.
// It reads the profiles and histories without a lock and writes nothing into the folder.
class frmClassReport : public QDialog
{
    Q_OBJECT
public:
    explicit frmClassReport(const QString &sFolder, QWidget *parent = nullptr);

    // The progress screen is a section above the user dialogs; Main hands down how to open a row's
    // read-only copy of it.
    using ProgressOpener =
        std::function<void(const ClassReportRow &row, const QString &sFolder, QWidget *parent)>;
    static void SetProgressOpener(ProgressOpener opener);

    // Reads the folder afresh.
    void RefreshData();
    // The rows as the table shows them: filtered and in its order.
    QList<ClassReportRow> ShownRows() const;
    // What the printed report says above its table.
    QString Subtitle() const;

    void cmdProgress_Click();
    void cmdCsv_Click();
    void cmdPdf_Click();
    void cmdPrint_Click();

    QLabel *lblTitle = nullptr;
    QLineEdit *txtTitle = nullptr;
    QLabel *lblLanguage = nullptr;
    QComboBox *cmbLanguage = nullptr;
    QTableView *lstReport = nullptr;
    QLabel *lblCount = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdProgress = nullptr;
    QPushButton *cmdCsv = nullptr;
    QPushButton *cmdPdf = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdClose = nullptr;

    ClassReportModel *Model() const { return m_model; }

protected:
    void done(int result) override;

private:
    void cmbLanguage_Change();
    QString SuggestedPath(const QString &extension) const;
    void Saved(bool saved, const QString &path, const QString &error);

    QString m_folder;
    ClassReportModel *m_model = nullptr;
    ClassReportSortModel *m_shown = nullptr;
};

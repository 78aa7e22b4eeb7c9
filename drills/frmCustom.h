#pragma once

#include <QWidget>

#include <array>

class QComboBox;
class QFileSystemModel;
class QFileSystemWatcher;
class QFrame;
class QLabel;
class QListView;
class QListWidget;
class QPushButton;
class QStringListModel;
class QTreeView;

// The custom lessons screen: a practice made of letters the learner picks, or a test on a text file
// picked from the disk. Its one panel, picChoose, is shown inside the main window; everything it
// knows lives in its controls.
class frmCustom : public QWidget
{
    Q_OBJECT
public:
    frmCustom();

    void Form_Load();

    void cmdMove_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Drive1_Change();
    void Dir1_Change();
    void cmdLesson_Click(int Index);

    // The folder Dir1 stands on, and the file selected in File1 ("" when none is).
    QString Dir1Path() const;
    QString File1FileName() const;

    QWidget *picChoose = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QFrame *Line1 = nullptr;
    QListWidget *List1 = nullptr;
    QListWidget *List2 = nullptr;
    QPushButton *cmdMove = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QComboBox *Drive1 = nullptr;
    QTreeView *Dir1 = nullptr;
    QListView *File1 = nullptr;
    std::array<QPushButton *, 2> cmdLesson{};
    std::array<QLabel *, 2> lblLesson{};

private:
    void BuildLetterLists();
    void BuildFileLists();
    void SetDir1Path(const QString &sDrive, const QString &sFolder);
    // Lists the "*.TXT" files of `sFolder` in File1, keeping the selected one when it is still there.
    void ListFiles(const QString &sFolder);

    QFileSystemModel *m_folders = nullptr;
    QStringListModel *m_files = nullptr;
    // Tells File1 when files come and go in the folder it lists.
    QFileSystemWatcher *m_watcher = nullptr;
};

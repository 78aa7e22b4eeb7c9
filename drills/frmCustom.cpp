#include "drills/frmCustom.h"

#include "app/Artwork.h"
#include "app/KeyTables.h"
#include "app/ScreenParts.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "drills/cCustomText.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Volumes.h"
#include "typing/cPracticeText.h"
#include "typing/cTest.h"
#include "users/cUser.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace {

const QSize kLetterCell(30, 28);

// One letter's tile, wide enough for lam-alef, so no entry is elided.
void addLetter(QListWidget *list, const QString &letter)
{
    auto *entry = new QListWidgetItem(letter, list);
    entry->setTextAlignment(Qt::AlignCenter);
    entry->setSizeHint(kLetterCell);
}

// Moves the selected entries of `source` to the end of `target`, keeping their order, and leaves
// the others in theirs.
void moveSelected(QListWidget *source, QListWidget *target)
{
    QStringList kept;
    for (int i = 0; i < source->count(); ++i) {
        QListWidgetItem *entry = source->item(i);
        if (entry->isSelected())
            addLetter(target, entry->text());
        else
            kept.append(entry->text());
    }
    source->clear();
    for (const QString &letter : kept)
        addLetter(source, letter);
}

void moveAll(QListWidget *source, QListWidget *target)
{
    for (int i = 0; i < source->count(); ++i)
        addLetter(target, source->item(i)->text());
    source->clear();
}

// A list of letters laid out as rows of tiles, several of which can be picked at once.
QListWidget *makeLetterList(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->setFlow(QListView::LeftToRight);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setGridSize(kLetterCell);
    list->setTextElideMode(Qt::ElideNone);
    QFont letters = list->font();
    letters.setPointSize(13);
    list->setFont(letters);
    return list;
}

QPushButton *makeArrowButton(const QString &name, const QString &caption, int y, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(278, y, 44, 28);
    // Shown as written: mirrored in right-to-left text the arrows would point the wrong way.
    button->setLayoutDirection(Qt::LeftToRight);
    return button;
}

} // namespace

frmCustom::frmCustom()
{
    setObjectName(QStringLiteral("frmCustom"));
    resize(screen::kSize);
    picChoose = screen::makePanel(QStringLiteral("picChoose"), this);
    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" الدروس الخاصة"), picChoose);
    BuildLetterLists();
    BuildFileLists();

    const std::array<QString, 2> captions = {QStringLiteral("ابدأ التدريب."),
                                             QStringLiteral("ابدأ الاختبار.")};
    const std::array<int, 2> rows = {230, 442};
    const std::array<artwork::ButtonIcon, 2> icons = {artwork::ButtonIcon::Practice,
                                                      artwork::ButtonIcon::Test};
    for (int i = 0; i < 2; ++i) {
        cmdLesson[i] = screen::makeActionRow(QStringLiteral("cmdLesson%1").arg(i), icons[i], lblLesson[i],
                                             QStringLiteral("lblLesson%1").arg(i), captions[i], 20, 580,
                                             rows[i], picChoose);
        connect(cmdLesson[i], &QPushButton::clicked, this, [this, i] { cmdLesson_Click(i); });
    }
    // Tab follows the screen as it reads: from the right, row by row.
    const QList<QWidget *> order = {List2,        cmdMove, Command1, Command2, Command3,    List1,
                                    cmdLesson[0], Drive1,  Dir1,     File1,    cmdLesson[1]};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmCustom::BuildLetterLists()
{
    Label1 = screen::makeLabel(QStringLiteral("Label1"),
                               QStringLiteral("تستطيع هنا ان تحدد الحروف التي تود التدرب عليها:"),
                               QRect(20, 50, 560, 26), picChoose);
    // The arrows point from the letters available to the letters chosen, so these stand on the left.
    List1 = makeLetterList(QStringLiteral("List1"), QRect(20, 80, 250, 146), picChoose);
    List2 = makeLetterList(QStringLiteral("List2"), QRect(330, 80, 250, 146), picChoose);
    cmdMove = makeArrowButton(QStringLiteral("cmdMove"), QStringLiteral(">"), 84, picChoose);
    Command1 = makeArrowButton(QStringLiteral("Command1"), QStringLiteral(">>"), 118, picChoose);
    Command2 = makeArrowButton(QStringLiteral("Command2"), QStringLiteral("<"), 160, picChoose);
    Command3 = makeArrowButton(QStringLiteral("Command3"), QStringLiteral("<<"), 194, picChoose);
    // What a screen reader calls the lists and the arrows between them.
    List1->setAccessibleName(QStringLiteral("الحروف المتاحة"));
    List2->setAccessibleName(QStringLiteral("الحروف المختارة"));
    cmdMove->setAccessibleName(QStringLiteral("اختيار الحرف المحدد"));
    Command1->setAccessibleName(QStringLiteral("اختيار كل الحروف"));
    Command2->setAccessibleName(QStringLiteral("إعادة الحرف المحدد"));
    Command3->setAccessibleName(QStringLiteral("إعادة كل الحروف"));
    connect(cmdMove, &QPushButton::clicked, this, &frmCustom::cmdMove_Click);
    connect(Command1, &QPushButton::clicked, this, &frmCustom::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCustom::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCustom::Command3_Click);

    Line1 = new QFrame(picChoose);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(20, 264, 560, 4);
}

void frmCustom::BuildFileLists()
{
    Label2 = screen::makeLabel(QStringLiteral("Label2"),
                               QStringLiteral("او تحدد هنا الملف النصي الذي تود اختبار نفسك عليه:"),
                               QRect(20, 268, 560, 26), picChoose);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    // A plain listing of one folder: a file-system model would keep every folder it was once rooted
    // at in view, whatever its filter.
    m_files = new QStringListModel(this);
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &frmCustom::ListFiles);

    Drive1 = new QComboBox(picChoose);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(330, 298, 250, 28);
    // A combo box is named on Linux by the label it is labelled by; the caption over the files is that.
    Label2->setBuddy(Drive1);
    // Paths read left to right, in the list that drops down too. That list is a window of its own
    // and the style draws its entries in the program's right-to-left direction ("/home" as
    // "home/"); a plain item delegate takes the direction of the list.
    Drive1->setLayoutDirection(Qt::LeftToRight);
    Drive1->view()->setLayoutDirection(Qt::LeftToRight);
    Drive1->setItemDelegate(new QStyledItemDelegate(Drive1));
    Drive1->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }")); // a list, sized for it
    connect(Drive1, &QComboBox::activated, this, &frmCustom::Drive1_Change);

    Dir1 = new QTreeView(picChoose);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(330, 330, 250, 106);
    Dir1->setAccessibleName(QStringLiteral("المجلدات"));
    Dir1->setLayoutDirection(Qt::LeftToRight);
    Dir1->setModel(m_folders);
    Dir1->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        Dir1->hideColumn(column);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, &frmCustom::Dir1_Change);
    // Folders are listed in the background, each on its own; as each folder above the current one
    // fills in, the rows it adds push the current one down, so bring it back into view.
    connect(m_folders, &QFileSystemModel::directoryLoaded, Dir1, [this](const QString &path) {
        const QModelIndex current = Dir1->currentIndex();
        if (!current.isValid())
            return;
        const QString above = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
        if (m_folders->filePath(current).startsWith(above))
            Dir1->scrollTo(current);
    });

    File1 = new QListView(picChoose);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setGeometry(20, 298, 300, 138);
    File1->setAccessibleName(QStringLiteral("الملفات النصية"));
    File1->setLayoutDirection(Qt::LeftToRight);
    File1->setModel(m_files);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void frmCustom::Form_Load()
{
    // A portable tutor opens on its own folder, where its sample texts are; an installed one, whose
    // folder holds nothing of the learner's, on the learner's home.
    const bool portable = platform::profileFolder() == platform::programFolder();
    const QString folder = QDir::cleanPath(portable ? theApp().GetPath() : QDir::homePath());
    const QStringList drives = platform::driveFolders();
    Drive1->clear();
    Drive1->addItems(drives);
    QString drive = platform::driveOfPath(drives, folder);
    if (drive.isEmpty())
        drive = folder;
    Drive1->setCurrentIndex(Drive1->findText(drive));
    SetDir1Path(drive, folder);

    const bool arabic =
        theUser().GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar");
    List1->clear();
    List2->clear();
    for (const QString &letter : arabic ? vArabicKeys : vEnglishKeys)
        addLetter(List1, letter);
}

void frmCustom::SetDir1Path(const QString &sDrive, const QString &sFolder)
{
    m_folders->setRootPath(sDrive);
    Dir1->setRootIndex(m_folders->index(sDrive));
    if (QDir::cleanPath(sFolder) == QDir::cleanPath(sDrive)) {
        Dir1->setCurrentIndex(QModelIndex());
    } else {
        const QModelIndex current = m_folders->index(sFolder);
        Dir1->setCurrentIndex(current);
        Dir1->scrollTo(current);
    }
    Dir1_Change();
}

QString frmCustom::Dir1Path() const
{
    const QModelIndex current = Dir1->currentIndex();
    return m_folders->filePath(current.isValid() ? current : Dir1->rootIndex());
}

QString frmCustom::File1FileName() const
{
    const QModelIndexList selected = File1->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.first().data().toString();
}

void frmCustom::cmdMove_Click()
{
    moveSelected(List1, List2);
}

void frmCustom::Command1_Click()
{
    moveAll(List1, List2);
}

void frmCustom::Command2_Click()
{
    moveSelected(List2, List1);
}

void frmCustom::Command3_Click()
{
    moveAll(List2, List1);
}

void frmCustom::Drive1_Change()
{
    const QString drive = Drive1->currentText();
    if (!platform::isDriveReady(drive)) {
        // Not ready: nothing is said, and the drive list goes back to where the folder list stands.
        Drive1->setCurrentIndex(Drive1->findText(m_folders->filePath(Dir1->rootIndex())));
        return;
    }
    SetDir1Path(drive, drive);
}

void frmCustom::Dir1_Change()
{
    const QString folder = Dir1Path();
    File1->selectionModel()->clear();
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    if (!folder.isEmpty())
        m_watcher->addPath(folder);
    ListFiles(folder);
}

void frmCustom::ListFiles(const QString &sFolder)
{
    const QString selected = File1FileName();
    // Name filters ignore case, so "*.TXT" also finds "notes.txt"; folders never match.
    const QStringList names =
        sFolder.isEmpty()
            ? QStringList()
            : QDir(sFolder).entryList({QStringLiteral("*.TXT")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    m_files->setStringList(names);
    const qsizetype row = names.indexOf(selected);
    if (!selected.isEmpty() && row >= 0)
        File1->setCurrentIndex(m_files->index(int(row)));
}

void frmCustom::cmdLesson_Click(int Index)
{
    if (Index == 0) {
        QStringList letters;
        for (int i = 0; i < List2->count(); ++i)
            letters.append(List2->item(i)->text());
        MakeCustomPractice(letters).StartPractic();
    } else if (Index == 1) {
        cTest test;
        test.sTitle = QStringLiteral("اختبار - ") + QStringLiteral("دروس خاصة");
        test.History.source = HistoryRecord::Source::CustomFile;
        const QString sFileName = File1FileName();
        test.sWantedText = ReadTestText(TestFilePath(Dir1Path(), sFileName));
        // A test on nothing would end at the first key with a speed of 0: say so instead.
        if (!sFileName.isEmpty() && test.sWantedText.trimmed().isEmpty()) {
            platform::messageBox(QStringLiteral("الملف المحدد لا يحتوي على نص يمكن الاختبار عليه."),
                                 QStringLiteral("دروس خاصة"), platform::MessageIcon::Exclamation);
            return;
        }
        test.StartTest();
    }
}

#include "drills/frmTrain.h"

#include "app/Artwork.h"
#include "app/Blanks.h"
#include "app/KeyTables.h"
#include "app/ScreenParts.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "platform/Beep.h"
#include "platform/CodePage1256.h"
#include "platform/KeyboardLayout.h"
#include "platform/Random.h"
#include "typing/cRandomText.h"
#include "typing/cTypingLine.h"
#include "users/cUser.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include <cmath>

namespace {

constexpr int kWidth = screen::kSize.width();
constexpr int kRowHeight = screen::kRowHeight;

// Key codes the answer box judges like any other character.
constexpr qint16 kBackspace = cTypingLine::kBackspace;
constexpr qint16 kTab = cTypingLine::kTab;
constexpr qint16 kEnter = cTypingLine::kEnter;
constexpr qint16 kEscape = cTypingLine::kEscape;

// The text is built until it is longer than the four lines it feeds.
constexpr int kTextLength = frmTrain::kLines * frmTrain::kLineLength;

QComboBox *makeList(const char *name, const QRect &geometry, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    return list;
}

void setDirection(QWidget *widget, bool arabic)
{
    widget->setLayoutDirection(arabic ? Qt::RightToLeft : Qt::LeftToRight);
}

Qt::Alignment lineAlignment(bool arabic)
{
    return (arabic ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute | Qt::AlignVCenter;
}

} // namespace

QString TrainText(bool bArabic, int iLesson)
{
    QString text;
    if (iLesson < 1) {
        // The pool leaves out the table's last entry ("ذ" / ".").
        text = RandomWords(bArabic ? vArabicKeys.mid(0, 33) : vEnglishKeys.mid(0, 28), kTextLength);
    } else {
        const int B = 100 * iLesson + (bArabic ? 2000 : 4000);
        const int n = LoadResNumber(B);
        // A block without any text would never fill the drill text.
        bool bHasText = false;
        for (int k = 1; k <= n && !bHasText; ++k)
            bHasText = !LoadResString(B + k).isEmpty();
        // Practice lines run into each other with nothing between them.
        while (bHasText && text.size() <= kTextLength) {
            const int k = qBound(0, int(std::floor(n * platform::rnd())), n - 1);
            text += LoadResString(B + 1 + k);
        }
    }
    return text.toLower();
}

frmTrain::frmTrain()
{
    setObjectName(QStringLiteral("frmTrain"));
    resize(screen::kSize);
    BuildSettings();
    BuildTrain();

    // Esc is seen before any control takes it, as the window previews every key.
    for (QWidget *panel : {picSettings, picTrain}) {
        panel->installEventFilter(this);
        for (QWidget *control : panel->findChildren<QWidget *>())
            control->installEventFilter(this);
    }
}

void frmTrain::BuildSettings()
{
    picSettings = screen::makePanel(QStringLiteral("picSettings"), this);
    Label4 = screen::makeHeading(QStringLiteral("Label4"), QStringLiteral(" تدريبات"), picSettings);
    Label2 = screen::makeText(
        QStringLiteral("Label2"),
        QStringLiteral("يقدم قسم التدريبات اسلوب للتدريب من نوع خاص. حيث ستشاهد صورة للوحة المفاتيح توضح "
                       "لك الحرف الذي لابد لك من ضغطه باسلوب تفاعلي جيد. لن تستطيع كتابة الا الحرف "
                       "المطلوب منك كتابته. كذلك لا تستطيع استخدام زر الغاء خلف للمسح لانك لن تستطيع "
                       "كتابة الا الحرف الصحيح."),
        QRect(20, 52, 560, 84), picSettings);

    Picture1 = new KeyboardPicture(picSettings);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    const QSize keyboard = Picture1->sizeHint();
    Picture1->setGeometry((kWidth - keyboard.width()) / 2, 140, keyboard.width(), keyboard.height());

    // Each list stands left of its caption.
    lblLesson[8] = screen::makeLabel(QStringLiteral("lblLesson8"), QStringLiteral("توزيع الحروف:"),
                                     QRect(400, 322, 180, kRowHeight), picSettings);
    Combo3 = makeList("Combo3", QRect(230, 324, 160, 26), picSettings);
    lblLesson[14] = screen::makeLabel(QStringLiteral("lblLesson14"), QStringLiteral("الدرس:"),
                                      QRect(400, 358, 180, kRowHeight), picSettings);
    Combo1 = makeList("Combo1", QRect(230, 360, 160, 26), picSettings);

    // The start button on the reading side, its caption to its left.
    cmdPractice = screen::makeActionRow(QStringLiteral("cmdPractice"), artwork::ButtonIcon::Practice,
                                        lblLesson[6], QStringLiteral("lblLesson6"),
                                        QStringLiteral("ابدأ التدريب."), 20, 580, 410, picSettings);

    connect(Combo3, &QComboBox::currentIndexChanged, this, &frmTrain::Combo3_Click);
    connect(cmdPractice, &QPushButton::clicked, this, &frmTrain::cmdPractice_Click);
}

void frmTrain::BuildTrain()
{
    picTrain = screen::makePanel(QStringLiteral("picTrain"), this);
    picTrain->hide();
    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" تدريبات"), picTrain);

    picKeyboard = new KeyboardPicture(picTrain);
    picKeyboard->setObjectName(QStringLiteral("picKeyboard"));
    const QSize keyboard = picKeyboard->sizeHint();
    picKeyboard->setGeometry((kWidth - keyboard.width()) / 2, 70, keyboard.width(), keyboard.height());

    // Monospaced like the typing pad, so the typed part stands under the letters it copies.
    QFont lineFont(QStringLiteral("DejaVu Sans Mono"));
    lineFont.setStyleHint(QFont::Monospace);
    lineFont.setPointSize(16);

    lblTrain = screen::makeLabel(QStringLiteral("lblTrain"), QStringLiteral("qwertyuiopasdfghjkl;zxcvbnm,."),
                                 QRect(20, 266, 560, 40), picTrain);
    lblTrain->setFont(lineFont);
    screen::setColours(lblTrain, screen::kHeadingColour);

    Text1 = new QLineEdit(picTrain);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(20, 312, 560, 40);
    Text1->setFont(lineFont);
    // Only keys judged one by one reach the box: no composing, pasting or dropping of text.
    Text1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    Text1->setAcceptDrops(false);
    Text1->setProperty("Tag", QStringLiteral("1"));
}

void frmTrain::Form_Load()
{
    {
        const QSignalBlocker filling(Combo3);
        Combo3->addItem(QStringLiteral("بشكل عشوائي"));
        Combo3->addItem(QStringLiteral("الدروس"));
        Combo3->setCurrentIndex(-1);
    }
    Combo1->addItems({QStringLiteral("الدرس الاول"), QStringLiteral("الدرس الثاني"),
                      QStringLiteral("الدرس الثالث"), QStringLiteral("الدرس الرابع"),
                      QStringLiteral("الدرس الخامس"), QStringLiteral("الدرس السادس")});
    Combo1->setCurrentIndex(0);
    Combo3->setCurrentIndex(0);

    const KeyboardDrawing clean{};
    Picture1->SetPicture(clean);
    theApp().ShowLetters(Picture1);
    picKeyboard->SetPicture(clean);
    theApp().ShowLetters(picKeyboard);
    m_letters = picKeyboard->Picture();
}

void frmTrain::Form_Unload()
{
    Finish();
}

bool frmTrain::IsArabic() const
{
    return theUser().GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar");
}

void frmTrain::Combo3_Click()
{
    const bool lessons = Combo3->currentIndex() != 0;
    Combo1->setVisible(lessons);
    lblLesson[14]->setVisible(lessons);
}

void frmTrain::cmdPractice_Click()
{
    const int iLesson = Combo3->currentIndex() == 0 ? 0 : Combo1->currentIndex() + 1;
    sTrainText = TrainText(IsArabic(), iLesson);
    Start();
}

QString frmTrain::LineOfText(int iLine) const
{
    return TrimBlanks(sTrainText.mid((iLine - 1) * kLineLength, kLineLength));
}

void frmTrain::MarkNext(const QString &next)
{
    picKeyboard->SetPicture(m_letters);
    if (next == QStringLiteral(" "))
        theApp().SelectLetter(picKeyboard, QVariant(keygrid::kSpaceBar));
    else if (!next.isEmpty())
        theApp().SelectLetter(picKeyboard, QVariant(next));
}

void frmTrain::Start()
{
    const bool arabic = IsArabic();
    setDirection(Text1, arabic);
    Text1->setAlignment(lineAlignment(arabic));
    setDirection(lblTrain, arabic);
    lblTrain->setAlignment(lineAlignment(arabic));

    lblTrain->setText(LineOfText(1));
    Text1->clear();
    MarkNext(lblTrain->text().left(1));

    picTrain->setVisible(true);
    theApp().ShowScreen(picTrain);
    QCoreApplication::processEvents();
    Text1->setFocus();
    Text1->setProperty("Tag", QStringLiteral("1"));
}

void frmTrain::Text1_GotFocus()
{
    platform::loadKeyboardLayout(
        QString::fromLatin1(IsArabic() ? platform::kArabicLayout : platform::kEnglishLayout));
}

void frmTrain::Text1_KeyPress(qint16 KeyAscii)
{
    const QString line = lblTrain->text();
    const QString typed = Text1->text();
    const QString c = platform::fromCodePage1256(QByteArray(1, char(quint8(KeyAscii))));
    if (c != line.mid(typed.size(), 1)) {
        platform::beep();
        return;
    }
    MarkNext(line.mid(typed.size() + 1, 1));
    // The last letter of a line is never shown: the next line takes its place.
    if (line.size() == typed.size() + 1) {
        ShowNext();
        return;
    }
    Text1->setText(typed + c);
}

void frmTrain::ShowNext()
{
    const int k = Text1->property("Tag").toString().toInt();
    if (k >= kLines) {
        Finish();
        return;
    }
    lblTrain->setText(LineOfText(k + 1));
    Text1->clear();
    Text1->setProperty("Tag", QString::number(k + 1));
    MarkNext(lblTrain->text().left(1));
}

void frmTrain::Finish()
{
    picTrain->setVisible(false);
    // The option page takes the keys again, so a second Esc closes it.
    if (!picSettings->isHidden())
        picSettings->setFocus();
}

bool frmTrain::Form_KeyPress(qint16 KeyAscii)
{
    if (KeyAscii != kEscape)
        return false;
    if (!picTrain->isHidden())
        Finish();
    else
        WindowRegistry::Unload(this);
    return true;
}

bool frmTrain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::FocusIn) {
        Text1_GotFocus();
        return false;
    }
    // The middle button pastes the X selection into a line edit; only judged keys may fill the box.
    if (watched == Text1 &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick))
        return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape)
        return Form_KeyPress(kEscape);
    if (watched != Text1)
        return false;

    switch (key->key()) {
    case Qt::Key_Backspace:
        Text1_KeyPress(kBackspace);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Text1_KeyPress(kEnter);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        Text1_KeyPress(kTab);
        return true;
    default:
        break;
    }
    // Keys are read by their place on the keyboard in the training language's layout. One key may
    // give two letters (lam and alef); what is left of it once a line ends belongs to no line.
    const QString text = platform::typedText(*key);
    const QString lineBefore = Text1->property("Tag").toString();
    for (const QChar c : text) {
        if (Text1->property("Tag").toString() != lineBefore || picTrain->isHidden())
            break;
        const QString one(c);
        if (!platform::fitsCodePage1256(one))
            continue;
        const QByteArray code = platform::toCodePage1256(one);
        if (code.size() == 1)
            Text1_KeyPress(qint16(quint8(code.at(0))));
    }
    return true;
}

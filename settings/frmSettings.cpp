#include "settings/frmSettings.h"

#include "app/Blanks.h"
#include "app/ScreenParts.h"
#include "app/StringTable.h"
#include "app/cTheApp.h"
#include "platform/CodePage1256.h"
#include "platform/DisplayScale.h"
#include "sound/cSounds.h"
#include "speech/cSpokenMode.h"
#include "typing/NextKeyPanel.h"
#include "typing/TypingPad.h"
#include "users/cUser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QValidator>

#include <cmath>

namespace {

const QColor kInk = screen::kHeadingColour;

constexpr int kPasswordLength = 10; // the profile's password field

// Only what the profile can keep and give back: characters of code page 1256, except the no-break
// space, whose scrambled byte is a blank that the field's padding swallows at either end. Anything
// else would store a password that no typed answer matches, and lock the learner out.
class PasswordValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        if (input.contains(QChar(0x00A0)) || !platform::fitsCodePage1256(input))
            return Invalid;
        return Acceptable;
    }
};

enum class GroupIcon
{
    General,
    User,
    Display
};

// The small pictures beside the group headings, drawn so they stay sharp at any screen scale.
QPixmap groupPixmap(GroupIcon kind, int size)
{
    const qreal ratio = qMax<qreal>(2.0, qApp ? qApp->devicePixelRatio() : 1.0);
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    const qreal c = size / 2.0;
    switch (kind) {
    case GroupIcon::General: {
        // A cog: eight teeth round a ring.
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(c, c);
            p.rotate(i * 45.0);
            p.drawRect(QRectF(-size * 0.09, -size * 0.47, size * 0.18, size * 0.2));
            p.restore();
        }
        QPainterPath ring;
        ring.addEllipse(QPointF(c, c), size * 0.34, size * 0.34);
        ring.addEllipse(QPointF(c, c), size * 0.14, size * 0.14);
        p.drawPath(ring);
        break;
    }
    case GroupIcon::User:
        p.drawEllipse(QPointF(c, size * 0.3), size * 0.2, size * 0.2);
        p.drawChord(QRectF(size * 0.12, size * 0.56, size * 0.76, size * 0.8), 0, 180 * 16);
        break;
    case GroupIcon::Display:
        p.drawRoundedRect(QRectF(size * 0.06, size * 0.12, size * 0.88, size * 0.6), 2, 2);
        p.setBrush(QColor(0xc0, 0xff, 0xc0));
        p.drawRect(QRectF(size * 0.14, size * 0.2, size * 0.72, size * 0.44));
        p.setBrush(kInk);
        p.drawRect(QRectF(size * 0.44, size * 0.72, size * 0.12, size * 0.12));
        p.drawRect(QRectF(size * 0.28, size * 0.84, size * 0.44, size * 0.08));
        break;
    }
    return pixmap;
}

QLabel *makeCaption(const QString &text, const QRect &geometry, QWidget *parent)
{
    return screen::makeLabel(QString(), text, geometry, parent);
}

// A check box or option button without text: its caption is a label of its own beside it.
template <class Button> Button *makeMark(const char *name, int y, QWidget *parent, int x = 530)
{
    auto *button = new Button(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, y, 20, 28);
    return button;
}

QComboBox *makeList(const char *name, const QRect &geometry, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    list->setMaxVisibleItems(12);
    return list;
}

qint16 leadingNumber(const QString &text)
{
    qint16 number = 0;
    for (const QChar ch : text) {
        if (!ch.isDigit())
            break;
        number = qint16(number * 10 + ch.digitValue());
    }
    return number;
}

} // namespace

frmSettings::frmSettings()
{
    setObjectName(QStringLiteral("frmSettings"));

    picSettings = screen::makePanel(QStringLiteral("picSettings"), this);
    QWidget *pic = picSettings;

    lblTitle = screen::makeHeading(QStringLiteral("lblTitle"), QStringLiteral(" اعدادات"), pic);

    auto makeGroup = [pic](const QString &text, GroupIcon kind, int y, QLabel *&heading, QLabel *&image) {
        image = new QLabel(pic);
        image->setGeometry(556, y + 2, 22, 22);
        image->setPixmap(groupPixmap(kind, 20));
        image->setAlignment(Qt::AlignCenter);
        heading = makeCaption(text, QRect(20, y, 530, 26), pic);
        screen::setColours(heading, screen::kHeadingColour);
        screen::setFontOf(heading, screen::kMessagePointSize, true);
        // The rule under the heading.
        auto *rule = new QWidget(pic);
        rule->setGeometry(20, y + 25, 530, 1);
        screen::setColours(rule, screen::kHeadingColour, screen::kHeadingColour);
    };

    // General: language, Backspace, speed unit.
    makeGroup(QStringLiteral(" عام"), GroupIcon::General, 54, Label1, Image1);
    lblLesson[8] = makeCaption(QStringLiteral("لغة التدريب والاختبارات:"), QRect(400, 86, 148, 28), pic);
    Combo3 = makeList("Combo3", QRect(260, 87, 134, 26), pic);
    // The display scale belongs to the machine, not to the learner's profile.
    lblScale = makeCaption(QStringLiteral("حجم العرض:"), QRect(150, 86, 100, 28), pic);
    cmbScale = makeList("cmbScale", QRect(20, 87, 124, 26), pic);
    cmbScale->addItem(QStringLiteral("ملاءمة الشاشة"), platform::kScaleFit);
    for (int percent : platform::kScaleSteps)
        cmbScale->addItem(QString::number(percent) + QStringLiteral(" %"), percent);
    Check5 = makeMark<QCheckBox>("Check5", 116, pic);
    lblLesson[10] = makeCaption(QStringLiteral("السماح باستخدام زر الغاء خلف (Backspace)."),
                                QRect(250, 116, 276, 28), pic);
    // The profile's sound effects, in the row's free half as the two units share theirs.
    chkSound = makeMark<QCheckBox>("chkSound", 116, pic, 222);
    lblSound = makeCaption(QStringLiteral("الأصوات"), QRect(96, 116, 122, 28), pic);
    lblLesson[14] = makeCaption(QStringLiteral("وحدة حساب السرعة:"), QRect(400, 146, 148, 28), pic);
    Option1 = makeMark<QRadioButton>("Option1", 146, pic, 374);
    lblLesson[12] = makeCaption(QStringLiteral("كلمة لكل دقيقة."), QRect(250, 146, 120, 28), pic);
    Option2 = makeMark<QRadioButton>("Option2", 146, pic, 222);
    lblLesson[13] = makeCaption(QStringLiteral("حرف لكل دقيقة."), QRect(96, 146, 122, 28), pic);

    // User: targets and password.
    makeGroup(QStringLiteral(" المستخدم"), GroupIcon::User, 186, Label3, Image3);
    lblLesson[2] = makeCaption(QStringLiteral("السرعة المطموح لها:"), QRect(400, 218, 148, 28), pic);
    Combo1 = makeList("Combo1", QRect(310, 219, 84, 26), pic);
    lblLesson[4] = makeCaption(QStringLiteral("كلمة / دقيقة."), QRect(160, 218, 144, 28), pic);
    lblLesson[3] = makeCaption(QStringLiteral("الدقة المطموح لها:"), QRect(400, 248, 148, 28), pic);
    Combo2 = makeList("Combo2", QRect(310, 249, 84, 26), pic);
    lblLesson[5] = makeCaption(QStringLiteral("فأكثر."), QRect(160, 248, 144, 28), pic);
    Check4 = makeMark<QCheckBox>("Check4", 278, pic);
    lblLesson[7] =
        makeCaption(QStringLiteral("حماية ملف المستخدم بكلمة مرور:"), QRect(320, 278, 206, 28), pic);
    lblLesson[9] = makeCaption(QStringLiteral("كلمة المرور:"), QRect(220, 278, 94, 28), pic);
    Text1 = new QLineEdit(pic);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(84, 279, 130, 26);
    Text1->setMaxLength(kPasswordLength);
    Text1->setValidator(new PasswordValidator(Text1));
    lblLesson[9]->hide();
    Text1->hide();

    // Display: the typing pad's settings beside their preview.
    makeGroup(QStringLiteral(" العرض"), GroupIcon::Display, 318, Label2, Image2);
    Check1 = makeMark<QCheckBox>("Check1", 346, pic);
    lblLesson[6] = makeCaption(QStringLiteral("ظهور خط عند الخطأ."), QRect(330, 346, 196, 26), pic);
    Check2 = makeMark<QCheckBox>("Check2", 372, pic);
    lblLesson[0] = makeCaption(QStringLiteral("خلفية سوداء ونص ابيض."), QRect(330, 372, 196, 26), pic);
    Check3 = makeMark<QCheckBox>("Check3", 398, pic);
    lblLesson[1] = makeCaption(QStringLiteral("حجم خط كبير."), QRect(330, 398, 196, 26), pic);
    chkSpeech = makeMark<QCheckBox>("chkSpeech", 424, pic);
    lblSpeech =
        makeCaption(QStringLiteral("قراءة الشاشة بالصوت (Ctrl+Alt+S)."), QRect(320, 424, 206, 26), pic);
    // Lessons 1 to 3 always show it; this asks for it everywhere else too.
    chkKeyboard = makeMark<QCheckBox>("chkKeyboard", 450, pic);
    lblKeyboard = makeCaption(QStringLiteral("إظهار لوحة المفاتيح دائما."), QRect(330, 450, 196, 26), pic);
    TypingPad = new ::TypingPad(pic);
    TypingPad->setObjectName(QStringLiteral("TypingPad"));
    TypingPad->setGeometry(20, 346, 290, 112);
    TypingPad->setFocusPolicy(Qt::NoFocus); // a preview: it never takes the keyboard

    // The marks and lists show no text of their own: their captions name them for the ear.
    const std::pair<QWidget *, QLabel *> named[] = {
        {Combo3, lblLesson[8]},   {Check5, lblLesson[10]},    {chkSound, lblSound},
        {Option1, lblLesson[12]}, {Option2, lblLesson[13]},   {Combo1, lblLesson[2]},
        {Combo2, lblLesson[3]},   {Check4, lblLesson[7]},     {Text1, lblLesson[9]},
        {Check1, lblLesson[6]},   {Check2, lblLesson[0]},     {Check3, lblLesson[1]},
        {chkSpeech, lblSpeech},   {chkKeyboard, lblKeyboard},
    };
    // The caption is the control's buddy too: Linux names a combo box by the label it is labelled by.
    for (const auto &[control, caption] : named) {
        control->setAccessibleName(caption->text());
        caption->setBuddy(control);
    }
    Option1->setAccessibleDescription(lblLesson[14]->text());
    Option2->setAccessibleDescription(lblLesson[14]->text());

    // Value changes made by the program run the handlers as the learner's clicks do.
    connect(Check1, &QCheckBox::toggled, this, &frmSettings::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &frmSettings::Check2_Click);
    connect(Check3, &QCheckBox::toggled, this, &frmSettings::Check3_Click);
    connect(Check4, &QCheckBox::toggled, this, &frmSettings::Check4_Click);
    connect(Check5, &QCheckBox::toggled, this, &frmSettings::Check5_Click);
    connect(chkSound, &QCheckBox::toggled, this, &frmSettings::chkSound_Click);
    // Not a profile setting: the mode keeps its own state, and the key changes it here too.
    connect(chkSpeech, &QCheckBox::clicked, this, [](bool checked) { theSpokenMode().SetOn(checked); });
    connect(&theSpokenMode(), &cSpokenMode::Changed, chkSpeech, &QCheckBox::setChecked);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmSettings::Combo1_Click);
    connect(Combo2, &QComboBox::currentIndexChanged, this, &frmSettings::Combo2_Click);
    connect(Combo3, &QComboBox::currentIndexChanged, this, &frmSettings::Combo3_Click);
    connect(cmbScale, &QComboBox::activated, this, &frmSettings::cmbScale_Click);
    connect(chkKeyboard, &QCheckBox::toggled, this, &frmSettings::chkKeyboard_Click);
    // An option button is clicked when it becomes the chosen one, not when its partner takes over.
    connect(Option1, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            Option2_Click();
    });
}

void frmSettings::Form_Load()
{
    cUser &user = theUser();
    m_bLoading = true;

    TypingPad->bActive = true;
    PutPreviewText(user.GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) ==
                   QStringLiteral("Ar"));
    TypingPad->PrintScreen();
    TypingPad->bActive = false;

    {
        const QSignalBlocker filling(Combo3);
        Combo3->addItem(LoadResString(resid::kArabicName));
        Combo3->addItem(LoadResString(resid::kEnglishName));
        Combo3->setCurrentIndex(-1);
    }
    Combo3->setCurrentIndex(
        user.GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar") ? 0 : 1);

    Check5->setChecked(user.GetSettings(QStringLiteral("General"), QStringLiteral("Back")).toBool());
    chkSound->setChecked(user.GetSettings(QStringLiteral("General"), QStringLiteral("Sound")).toBool());

    if (user.GetSettings(QStringLiteral("General"), QStringLiteral("Unit")) == QStringLiteral("WPM")) {
        Option1->setChecked(true);
        Option1_Click();
    } else {
        Option2->setChecked(true);
        Option2_Click();
    }

    {
        const QSignalBlocker filling(Combo2);
        for (int accuracy = 100; accuracy >= 50; --accuracy)
            Combo2->addItem(QString::number(accuracy) + QStringLiteral(" %"));
        Combo2->setCurrentIndex(-1);
    }
    SelectText(Combo2, QString::number(user.GetWantedAccuracy()) + QStringLiteral(" %"));

    const QString sPassword = user.GetSettings(QStringLiteral("User"), QStringLiteral("Pass")).toString();
    if (sPassword.isEmpty()) {
        Check4->setChecked(false);
    } else {
        Check4->setChecked(true);
        Text1->setText(sPassword);
    }

    Check1->setChecked(user.GetSettings(QStringLiteral("View"), QStringLiteral("Errors")).toBool());
    Check2->setChecked(user.GetSettings(QStringLiteral("View"), QStringLiteral("BKColor")).toInt() ==
                       kBlackBackground);
    Check3->setChecked(user.GetSettings(QStringLiteral("View"), QStringLiteral("Size")) ==
                       QStringLiteral("Big"));
    chkSpeech->setChecked(theSpokenMode().IsOn());
    chkKeyboard->setChecked(
        user.GetPreference(QLatin1String(NextKeyPanel::kKeyboardPreference), false).toBool());
    cmbScale->setCurrentIndex(cmbScale->findData(platform::scaleSetting()));
    // An environment that sets Qt's scale (QT_SCALE_FACTOR) decides it alone.
    cmbScale->setEnabled(!platform::scaleFromEnvironment());
    if (platform::scaleFromEnvironment())
        cmbScale->setToolTip(QStringLiteral("QT_SCALE_FACTOR"));
    m_bLoadedProtected = Check4->isChecked() && !TrimBlanks(Text1->text()).isEmpty();
    m_sLoadedPassword = Text1->text();
    m_bLoading = false;
}

void frmSettings::Form_Unload()
{
    // Only a password the learner changed is written: rewriting the one loaded could alter a stored
    // password that the box cannot show as it is.
    const bool bProtected = Check4->isChecked() && !TrimBlanks(Text1->text()).isEmpty();
    if (bProtected == m_bLoadedProtected && (!bProtected || Text1->text() == m_sLoadedPassword))
        return;
    // Ten blanks are the profile's "no password".
    theUser().SetSettings(QStringLiteral("User"), QStringLiteral("Pass"),
                          bProtected ? Text1->text() : QString(kPasswordLength, QLatin1Char(' ')));
}

void frmSettings::Store(const QString &sSection, const QString &sItem, const QVariant &vNewValue)
{
    // Filling the controls from the profile runs their handlers; that must not write anything back.
    if (!m_bLoading)
        theUser().SetSettings(sSection, sItem, vNewValue);
}

void frmSettings::PutPreviewText(bool bArabic)
{
    // The typed samples differ from the wanted line in a few letters, so the preview shows the marks.
    TypingPad->sWantedText = QStringLiteral("Tavrin");
    TypingPad->sWrittenText = bArabic ? QStringLiteral("Tafrun") : QStringLiteral("tavran");
    TypingPad->iNumofLetter = qint16(TypingPad->sWrittenText.size() + 1);
}

void frmSettings::RefreshPreview()
{
    TypingPad->bActive = true;
    TypingPad->GetSettings();
    TypingPad->PrintScreen();
    TypingPad->bActive = false;
}

void frmSettings::FillSpeeds(qint16 iFirst)
{
    // The same 20 steps in either unit, so an entry stands for one letters-per-minute value.
    const QSignalBlocker filling(Combo1);
    Combo1->clear();
    for (int i = 1; i <= 20; ++i)
        Combo1->addItem(QString::number(iFirst * i));
    Combo1->setCurrentIndex(-1);
}

void frmSettings::SelectText(QComboBox *cmbBox, const QString &sText)
{
    const int index = cmbBox->findText(sText);
    if (index >= 0)
        cmbBox->setCurrentIndex(index);
}

void frmSettings::Check1_Click()
{
    Store(QStringLiteral("View"), QStringLiteral("Errors"),
          Check1->isChecked() ? QStringLiteral("T") : QStringLiteral("F"));
    RefreshPreview();
}

void frmSettings::Check2_Click()
{
    Store(QStringLiteral("View"), QStringLiteral("BKColor"),
          Check2->isChecked() ? QStringLiteral("B") : QStringLiteral("G"));
    RefreshPreview();
}

void frmSettings::Check3_Click()
{
    Store(QStringLiteral("View"), QStringLiteral("Size"),
          Check3->isChecked() ? QStringLiteral("B") : QStringLiteral("S"));
    RefreshPreview();
}

void frmSettings::Check4_Click()
{
    // Only shown or hidden here: the password is written when the screen is left.
    lblLesson[9]->setVisible(Check4->isChecked());
    Text1->setVisible(Check4->isChecked());
}

void frmSettings::Check5_Click()
{
    Store(QStringLiteral("General"), QStringLiteral("Back"),
          Check5->isChecked() ? QStringLiteral("T") : QStringLiteral("F"));
}

void frmSettings::chkSound_Click()
{
    Store(QStringLiteral("General"), QStringLiteral("Sound"),
          chkSound->isChecked() ? QStringLiteral("T") : QStringLiteral("F"));
    if (!m_bLoading)
        theSounds().SetOn(chkSound->isChecked());
}

void frmSettings::Combo1_Click()
{
    if (Combo1->currentIndex() < 0)
        return;
    Store(QStringLiteral("User"), QStringLiteral("Speed"), (Combo1->currentIndex() + 1) * 25);
}

void frmSettings::Combo2_Click()
{
    if (Combo2->currentIndex() < 0)
        return;
    Store(QStringLiteral("User"), QStringLiteral("Accuracy"), leadingNumber(Combo2->currentText()));
}

void frmSettings::Combo3_Click()
{
    if (Combo3->currentIndex() < 0)
        return;
    const bool bArabic = Combo3->currentIndex() == 0;
    TypingPad->bActive = true;
    Store(QStringLiteral("General"), QStringLiteral("Lang"),
          bArabic ? QStringLiteral("A") : QStringLiteral("E"));
    PutPreviewText(bArabic);
    TypingPad->GetSettings();
    TypingPad->PrintScreen();
    TypingPad->bActive = false;
}

void frmSettings::chkKeyboard_Click()
{
    if (!m_bLoading)
        theUser().SetPreference(QLatin1String(NextKeyPanel::kKeyboardPreference), chkKeyboard->isChecked());
}

void frmSettings::cmbScale_Click()
{
    // The tutor may start again at the new scale, back on this screen.
    theApp().SetDisplayScale(cmbScale->currentData().toInt());
}

void frmSettings::Option1_Click()
{
    ShowSpeedsIn(QStringLiteral("W"), 5);
}

void frmSettings::Option2_Click()
{
    ShowSpeedsIn(QStringLiteral("L"), 25);
}

void frmSettings::ShowSpeedsIn(const QString &sUnitFlag, int iStep)
{
    cUser &user = theUser();
    Store(QStringLiteral("General"), QStringLiteral("Unit"), sUnitFlag);
    QString sUnit;
    const qint16 iSpeed = user.ConvSpeed(user.GetWantedSpeed(), sUnit);
    lblLesson[4]->setText(sUnit + QStringLiteral("."));
    FillSpeeds(iStep);
    SelectText(Combo1, QString::number(iSpeed));
}

#include "app/ScreenParts.h"

#include "app/cTheApp.h"
#include "platform/DisplayScale.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace screen {

namespace {
QLabel *makeBandPadded(const QString &name, const QString &text, const QRect &geometry, int pointSize,
                       int padding, QWidget *parent)
{
    QLabel *label = makeLabel(name, text, geometry, parent);
    label->setStyleSheet(QStringLiteral("background-color: %1; color: white; padding-right: %2px;")
                             .arg(kHeadingColour.name())
                             .arg(padding));
    setFontOf(label, pointSize, true);
    return label;
}
} // namespace

QWidget *makePanel(const QString &name, QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(QRect(QPoint(0, 0), kSize));
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel *makeBand(const QString &name, const QString &text, const QRect &geometry, int pointSize,
                 QWidget *parent)
{
    return makeBandPadded(name, text, geometry, pointSize, 12, parent);
}

QLabel *makeHeading(const QString &name, const QString &text, QWidget *parent)
{
    return makeBandPadded(name, text, QRect(0, 0, kSize.width(), 44), kHeadingPointSize, 16, parent);
}

QLabel *makeLabel(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(kCaptionAlignment);
    return label;
}

QLabel *makeText(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    QLabel *label = makeLabel(name, text, geometry, parent);
    label->setWordWrap(true);
    label->setAlignment(kTextAlignment);
    return label;
}

QPushButton *makeIconButton(const QString &name, artwork::ButtonIcon icon, const QRect &geometry,
                            QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setIcon(artwork::icon(icon));
    button->setIconSize(kIconSize);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QPushButton *makeActionRow(const QString &buttonName, artwork::ButtonIcon icon, QLabel *&caption,
                           const QString &captionName, const QString &text, int left, int right, int top,
                           QWidget *parent)
{
    QPushButton *button =
        makeIconButton(buttonName, icon, QRect(right - kButtonWidth, top, kButtonWidth, kRowHeight), parent);
    caption = makeLabel(captionName, text,
                        QRect(left, top, right - kButtonWidth - kCaptionGap - left, kRowHeight), parent);
    return button;
}

QWidget *makeMessagePanel(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    panel->setStyleSheet(QStringLiteral("#%1 { background-color: %2; border: 1px solid %3; }")
                             .arg(name, kMessageColour.name(), kMessageBorder.name()));
    return panel;
}

QPushButton *makeOkButton(const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("موافق"), parent);
    button->setObjectName(QStringLiteral("cmdOK"));
    button->setGeometry(geometry);
    return button;
}

void setFontOf(QWidget *widget, int pointSize, bool bold)
{
    QFont font = widget->font();
    if (pointSize > 0)
        font.setPointSize(pointSize);
    if (bold)
        font.setBold(true);
    widget->setFont(font);
}

void addScaleShortcuts(QWidget *window)
{
    // Plus is Shift+= on most keyboards, and the keypad has its own.
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers keypad = Qt::ControlModifier | Qt::KeypadModifier;
    struct Key
    {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        int direction;
    };
    const Key keys[] = {
        {ctrl, Qt::Key_Plus, +1},  {ctrl, Qt::Key_Equal, +1},   {keypad, Qt::Key_Plus, +1},
        {ctrl, Qt::Key_Minus, -1}, {keypad, Qt::Key_Minus, -1}, {ctrl, Qt::Key_0, 0},
        {keypad, Qt::Key_0, 0},
    };
    for (const Key &key : keys) {
        auto *shortcut = new QShortcut(QKeySequence(QKeyCombination(key.modifiers, key.key)), window);
        const int step = key.direction;
        QObject::connect(shortcut, &QShortcut::activated, window, [step] {
            theApp().SetDisplayScale(step == 0 ? platform::kScaleFit
                                               : platform::nextScaleStep(platform::appliedScale(), step));
        });
    }
}

QString PercentText(qint64 value)
{
    return QLatin1Char(' ') + QString::number(value) + QStringLiteral(" %");
}

} // namespace screen

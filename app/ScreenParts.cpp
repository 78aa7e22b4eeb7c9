#include "app/ScreenParts.h"

#include "app/cTheApp.h"
#include "platform/DisplayScale.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

namespace screen {

namespace {
std::function<void(const QString &)> &announcer()
{
    static std::function<void(const QString &)> fn;
    return fn;
}

QLabel *makeBandPadded(const QString &name, const QString &text, const QRect &geometry, int pointSize,
                       int padding, QWidget *parent)
{
    QLabel *label = makeLabel(name, text, geometry, parent);
    setColours(label, Qt::white, kHeadingColour);
    label->setContentsMargins(0, 0, padding, 0);
    setFontOf(label, pointSize, true);
    return label;
}

// A widget that fills its place and draws a one-pixel border (with rounded corners when asked) under
// what it shows. Painted here rather than by a style sheet: one style sheet brings the style-sheet
// machinery into the process and into the painting of every widget under it.
template <class Base> class Boxed : public Base
{
public:
    Boxed(const QColor &fill, const QColor &border, double radius, QWidget *parent)
        : Base(parent), m_fill(fill), m_border(border), m_radius(radius)
    {
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        {
            QPainter painter(this);
            if (m_radius > 0) {
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setPen(m_border);
                painter.setBrush(m_fill);
                painter.drawRoundedRect(QRectF(this->rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
            } else {
                painter.fillRect(this->rect(), m_fill);
                painter.setPen(m_border);
                painter.drawRect(this->rect().adjusted(0, 0, -1, -1));
            }
        }
        Base::paintEvent(event);
    }

private:
    QColor m_fill;
    QColor m_border;
    double m_radius;
};
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
    if (parent->accessibleName().isEmpty())
        parent->setAccessibleName(text.trimmed());
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
    // A picture button: a screen reader names it by its caption.
    button->setAccessibleName(text.trimmed());
    return button;
}

QWidget *makeMessagePanel(const QString &name, const QRect &geometry, QWidget *parent)
{
    return makeBox(name, geometry, kMessageColour, kMessageBorder, 0, parent);
}

QWidget *makeBox(const QString &name, const QRect &geometry, const QColor &fill, const QColor &border,
                 double radius, QWidget *parent)
{
    auto *box = new Boxed<QWidget>(fill, border, radius, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QLabel *makeBoxedLabel(const QString &name, const QString &text, const QRect &geometry, const QColor &fill,
                       const QColor &border, QWidget *parent)
{
    auto *label = new Boxed<QLabel>(fill, border, 0, parent);
    label->setObjectName(name);
    label->setText(text);
    label->setGeometry(geometry);
    label->setAlignment(kCaptionAlignment);
    label->setContentsMargins(1, 1, 1, 1);
    return label;
}

void setColours(QWidget *widget, const QColor &text, const QColor &background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
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

void Announce(const QString &text)
{
    if (announcer() && !text.trimmed().isEmpty())
        announcer()(text.trimmed());
}

void SetAnnouncer(std::function<void(const QString &)> fn)
{
    announcer() = std::move(fn);
}

} // namespace screen

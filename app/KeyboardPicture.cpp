#include "app/KeyboardPicture.h"

#include "app/KeyTables.h"
#include "platform/Accessibility.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// The picture's right edge: the wide keys at the end of each row stretch to it.
constexpr int kRightEdge = 466;

QColor fingerColour(int finger)
{
    // Mirror-matched pastel tints: the same finger of each hand shares a hue.
    static const QColor kColours[8] = {
        QColor(0xF4, 0xC7, 0xD0), QColor(0xFB, 0xE3, 0xB0), QColor(0xCD, 0xE8, 0xC1),
        QColor(0xBF, 0xDB, 0xF2), QColor(0xBF, 0xDB, 0xF2), QColor(0xCD, 0xE8, 0xC1),
        QColor(0xFB, 0xE3, 0xB0), QColor(0xF4, 0xC7, 0xD0),
    };
    if (finger == 8)
        return QColor(0xE3, 0xDA, 0xF0);
    if (finger < 0 || finger > 7)
        return QColor(0xEE, 0xEE, 0xEA);
    return kColours[finger];
}

// The next key stands out in a deep shade of its finger's colour.
QColor strongColour(int finger)
{
    return fingerColour(finger).darker(150);
}

void drawKey(QPainter &p, const QRectF &rect, const QColor &fill)
{
    const QRectF r = rect.adjusted(1.5, 1.5, -0.5, -0.5);
    p.setPen(QPen(QColor(0x8A, 0x8F, 0x98), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(r, 4, 4);
    // A lighter top face gives the key some depth.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRoundedRect(r.adjusted(3, 2, -3, -8), 3, 3);
}

QRectF outline(const QRect &box)
{
    return QRectF(box.left(), box.top(), box.width(), box.height());
}

// A key as a screen reader names it: its US label, with the letter the picture prints on it when
// that differs (the Arabic one); the space bar by its name.
QString keyName(int position, const KeyboardDrawing &drawing)
{
    static const QString kLetterRows = QStringLiteral("QWERTYUIOP[]ASDFGHJKL;'ZXCVBNM,./`");
    static const QString kDigits = QStringLiteral("1234567890-=");
    if (position == keygrid::kSpaceBar)
        return QStringLiteral("المسافة");
    QString name;
    if (position >= 0 && position < kLetterRows.size())
        name = kLetterRows.at(position);
    else if (position > keygrid::kDigitRow && position <= keygrid::kDigitRow + kDigits.size())
        name = kDigits.at(position - keygrid::kDigitRow - 1);
    const QRect box = keygrid::keyBox(position);
    for (const KeyboardDrawing::Label &label : drawing.labels) {
        const QString printed = label.text.trimmed();
        if (box.contains(label.at) && !printed.isEmpty() && printed.compare(name, Qt::CaseInsensitive) != 0) {
            name += QStringLiteral(" (") + printed + QLatin1Char(')');
            break;
        }
    }
    return name;
}

QString keyAndFinger(int position, const KeyboardDrawing &drawing)
{
    return keyName(position, drawing) + QStringLiteral("، ") +
           keygrid::FingerName(keygrid::fingerOf(position));
}

// The grid position whose outline a box follows; kNoKey for a box around no single key.
int positionOfBox(const QRect &rect)
{
    for (int position = keygrid::kSpaceBar; position <= keygrid::kDigitRow + 12; ++position) {
        if ((position <= keygrid::kKeyLeftOfOne || position > keygrid::kDigitRow) &&
            keygrid::keyBox(position) == rect)
            return position;
    }
    return keygrid::kNoKey;
}

class AccessibleKeyboardPicture : public QAccessibleWidget
{
public:
    explicit AccessibleKeyboardPicture(KeyboardPicture *picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name) {
            const QString marked = static_cast<KeyboardPicture *>(widget())->MarkedKeys();
            const QString name = own.isEmpty() ? QStringLiteral("لوحة المفاتيح") : own;
            return marked.isEmpty() ? name : name + QStringLiteral("، ") + marked;
        }
        if (t == QAccessible::Description && own.isEmpty() &&
            static_cast<KeyboardPicture *>(widget())->FingerColours())
            return QStringLiteral("لون كل مفتاح لون الإصبع الذي يكتبه");
        return own;
    }
};

} // namespace

const QColor KeyboardPicture::kFocusFrame(0xC0, 0x39, 0x2B);
class KeyboardPicture::ScreenReaderNews
{
public:
    explicit ScreenReaderNews(KeyboardPicture *picture)
        : m_picture(picture), m_listening(platform::screenReaderListens())
    {
        if (m_listening)
            m_before = picture->MarkedKeys();
    }
    ~ScreenReaderNews()
    {
        if (m_listening && m_picture->MarkedKeys() != m_before) {
            QAccessibleEvent changed(m_picture, QAccessible::NameChanged);
            platform::tellScreenReader(changed);
        }
    }

private:
    KeyboardPicture *m_picture;
    bool m_listening;
    QString m_before;
};

QAccessibleInterface *KeyboardPicture::MakeAccessible(QObject *object)
{
    auto *picture = qobject_cast<KeyboardPicture *>(object);
    return picture ? new AccessibleKeyboardPicture(picture) : nullptr;
}

QString KeyboardPicture::MarkedKeys() const
{
    if (m_nextKey != keygrid::kNoKey) {
        QString text = QStringLiteral("المفتاح التالي ") + keyAndFinger(m_nextKey, m_drawing);
        if (m_nextShift)
            text += QStringLiteral("، مع Shift");
        return text;
    }
    QStringList keys;
    for (const KeyboardDrawing::Box &box : m_drawing.boxes) {
        const int position = positionOfBox(box.rect);
        if (position != keygrid::kNoKey)
            keys.append(keyAndFinger(position, m_drawing));
    }
    if (keys.isEmpty())
        return QString();
    return QStringLiteral("المفاتيح المعلمة: ") + keys.join(QStringLiteral("؛ "));
}

KeyboardPicture::KeyboardPicture(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setLayoutDirection(Qt::LeftToRight); // a keyboard is never mirrored
    QFont labelFont = font();
    labelFont.setPointSize(10);
    labelFont.setBold(true);
    setFont(labelFont);
}

QSize KeyboardPicture::sizeHint() const
{
    return QSize(kWidth, kHeight);
}

void KeyboardPicture::Cls()
{
    const ScreenReaderNews news(this);
    m_drawing = {};
    update();
}

void KeyboardPicture::Print(QPoint at, const QString &text)
{
    const ScreenReaderNews news(this);
    m_drawing.labels.append({text, at});
    update();
}

void KeyboardPicture::DrawBox(const QRect &rect, const QColor &color)
{
    const ScreenReaderNews news(this);
    m_drawing.boxes.append({rect, color});
    update();
}

void KeyboardPicture::SetPicture(const KeyboardDrawing &drawing)
{
    const ScreenReaderNews news(this);
    m_drawing = drawing;
    update();
}

void KeyboardPicture::setFingerColours(bool on)
{
    if (on == m_fingerColours)
        return;
    m_fingerColours = on;
    update();
    if (platform::screenReaderListens()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        platform::tellScreenReader(changed);
    }
}

void KeyboardPicture::setKeyFills(const QHash<int, QColor> &fills)
{
    m_keyFills = fills;
    update();
}

void KeyboardPicture::setNextKey(int position, bool shift)
{
    if (position == m_nextKey && shift == m_nextShift)
        return;
    const ScreenReaderNews news(this);
    m_nextKey = position;
    m_nextShift = shift;
    update();
}

void KeyboardPicture::clearNextKey()
{
    setNextKey(keygrid::kNoKey, false);
}

void KeyboardPicture::setKeyMarks(const QHash<int, KeyMark> &marks)
{
    m_keyMarks = marks;
    update();
}

void KeyboardPicture::setFocusKey(int position)
{
    m_focusKey = position;
    update();
}

QColor KeyboardPicture::MarkColour(const KeyMark &mark)
{
    switch (mark.state) {
    case KeyMark::State::Waiting:
        return QColor(0xC9, 0xCC, 0xD2);
    case KeyMark::State::Learned:
        return QColor(0x8F, 0xD1, 0x8A);
    case KeyMark::State::Training:
        break;
    }
    // From red (0) through orange and yellow, short of the learned keys' green; pale enough for
    // the letter to stay readable.
    const double share = std::clamp(mark.dShare, 0.0, 1.0);
    return QColor::fromHsvF(float(share * 75.0 / 360.0), 0.45f, 0.98f);
}

void KeyboardPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xD9, 0xDC, 0xE1));
    // Drawn at its own coordinates, scaled to the room it has: a smaller picture stays whole.
    const double scale = qMin(width() / double(kWidth), height() / double(kHeight));
    if (scale > 0 && std::abs(scale - 1.0) > 1e-6) {
        p.translate((width() - kWidth * scale) / 2, (height() - kHeight * scale) / 2);
        p.scale(scale, scale);
    }

    const QColor plain(0xF2, 0xF2, 0xEE);
    const int nextFinger = keygrid::fingerOf(m_nextKey);
    auto keyFill = [&](int position) {
        if (position == m_nextKey)
            return strongColour(nextFinger);
        QColor fill = m_keyFills.value(position, m_fingerColours ? fingerColour(keygrid::fingerOf(position)) : plain);
        if (const auto mark = m_keyMarks.constFind(position); mark != m_keyMarks.cend())
            fill = MarkColour(*mark);
        // While a key is marked, the other fingers' keys step back, so its finger's keys stand out.
        if (m_nextKey != keygrid::kNoKey && keygrid::fingerOf(position) != nextFinger)
            fill = QColor::fromHsv(fill.hsvHue(), fill.hsvSaturation() / 3, fill.value());
        return fill;
    };

    // Digit row: the key left of 1, the digits, - and =, then Backspace.
    drawKey(p, outline(keygrid::keyBox(keygrid::kKeyLeftOfOne)), keyFill(keygrid::kKeyLeftOfOne));
    for (int i = 1; i <= 12; ++i)
        drawKey(p, outline(keygrid::digitRowBox(i)), keyFill(keygrid::kDigitRow + i));
    const QRect lastDigit = keygrid::digitRowBox(12);
    drawKey(p, QRectF(lastDigit.right() + 1, 3, kRightEdge - lastDigit.right(), 30), plain);

    // Letter rows, with the wide keys that frame them.
    for (int position = 0; position < 33; ++position)
        drawKey(p, outline(keygrid::keyBox(position)), keyFill(position));
    const QRect q = keygrid::keyBox(0), a = keygrid::keyBox(12), z = keygrid::keyBox(23);
    const QRect rightBracket = keygrid::keyBox(11), quote = keygrid::keyBox(22), slash = keygrid::keyBox(32);
    drawKey(p, QRectF(4, q.top(), q.left() - 4, q.height()), plain); // Tab
    drawKey(p, QRectF(4, a.top(), a.left() - 4, a.height()), plain); // Caps Lock
    // The Shift key of the other hand, when the next letter needs it.
    const bool shiftLeft = m_nextShift && !keygrid::isLeftHand(nextFinger);
    const bool shiftRight = m_nextShift && keygrid::isLeftHand(nextFinger);
    const QColor shiftFill = strongColour(shiftLeft ? 0 : 7); // a little finger presses Shift
    drawKey(p, QRectF(4, z.top(), z.left() - 4, z.height()), shiftLeft ? shiftFill : plain); // Shift
    drawKey(p, QRectF(rightBracket.right() + 1, q.top(), kRightEdge - rightBracket.right(), q.height()),
            plain);
    drawKey(p, QRectF(quote.right() + 1, a.top(), kRightEdge - quote.right(), a.height()), plain); // Enter
    drawKey(p, QRectF(slash.right() + 1, z.top(), kRightEdge - slash.right(), z.height()),
            shiftRight ? shiftFill : plain); // Shift

    // Bottom row around the space bar, which both thumbs share.
    const QRect space = keygrid::keyBox(keygrid::kSpaceBar);
    drawKey(p, QRectF(4, space.top(), 40, space.height()), plain);
    drawKey(p, QRectF(45, space.top(), 40, space.height()), plain);
    drawKey(p, QRectF(86, space.top(), space.left() - 86, space.height()), plain);
    drawKey(p, outline(space), keyFill(keygrid::kSpaceBar));
    drawKey(p, QRectF(space.right() + 1, space.top(), 40, space.height()), plain);
    drawKey(p, QRectF(space.right() + 42, space.top(), kRightEdge - space.right() - 41, space.height()),
            plain);

    // Home-row bumps on F and J.
    p.setPen(QPen(QColor(0x55, 0x5A, 0x66), 1.5));
    for (int position : {15, 18}) {
        const QRect key = keygrid::keyBox(position);
        p.drawLine(QPointF(key.center().x() - 3, key.bottom() - 4),
                   QPointF(key.center().x() + 5, key.bottom() - 4));
    }

    // Labels are printed with their top left at the given point, like text printed on a picture.
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    for (const KeyboardDrawing::Label &label : m_drawing.labels)
        p.drawText(QPointF(label.at.x(), label.at.y() + metrics.ascent()), label.text);

    // Keys in training carry a bar of the way covered; keys not taken in yet are veiled, letter and
    // all, so the set being trained stands out.
    for (auto it = m_keyMarks.cbegin(); it != m_keyMarks.cend(); ++it) {
        const QRectF key = outline(keygrid::keyBox(it.key()));
        if (it->state == KeyMark::State::Waiting) {
            p.fillRect(key.adjusted(2, 2, -1, -1), QColor(0xD9, 0xDC, 0xE1, 150));
            continue;
        }
        const QRectF track(key.left() + 5, key.bottom() - 6, key.width() - 10, 3);
        p.fillRect(track, QColor(0x8A, 0x8F, 0x98, 110));
        const double share = it->state == KeyMark::State::Learned ? 1.0 : std::clamp(it->dShare, 0.0, 1.0);
        p.fillRect(QRectF(track.topLeft(), QSizeF(track.width() * share, track.height())),
                   MarkColour(*it).darker(220));
    }

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    for (const KeyboardDrawing::Box &box : m_drawing.boxes) {
        p.setPen(QPen(box.color, 2));
        p.drawRect(box.rect);
    }
    if (m_focusKey != keygrid::kNoKey) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kFocusFrame, 3));
        p.drawRoundedRect(QRectF(keygrid::keyBox(m_focusKey)).adjusted(0, 0, 1, 1), 4, 4);
    }
    if (m_nextKey != keygrid::kNoKey) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x1f, 0x3a, 0x5f), 3));
        p.drawRoundedRect(QRectF(keygrid::keyBox(m_nextKey)).adjusted(0.5, 0.5, 0.5, 0.5), 4, 4);
    }
}

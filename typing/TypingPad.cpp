#include "typing/TypingPad.h"

#include "typing/cTypingNews.h"

#include "app/cTheApp.h"
#include "platform/Accessibility.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/CodePage1256.h"
#include "platform/KeyboardLayout.h"
#include "users/cUser.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>

#include <cstdlib>
#include <utility>

namespace {

// The pad draws inside a one-pixel frame; its coordinates start inside the frame.
constexpr int kFrame = 1;
constexpr double kWantedTop = 20;
constexpr double kLineGap = 5; // between the wanted line and the typed line
constexpr double kTickTop = 8;
constexpr double kTickBottom = 14;

// The pad's sizes: small and large (View/Size), and the least a low pad may shrink the large one to.
constexpr int kSmallPointSize = 9;
constexpr int kLargePointSize = 20;
// Arabic letters stand smaller on their em than Latin ones: the same learner's size is drawn larger.
constexpr int kArabicSmallPointSize = 12;
constexpr int kArabicLargePointSize = 24;
constexpr int kLeastPointSize = 6;
constexpr double kInkRoom = 2; // left clear between the lowest ink and the frame

// Letters that reach deepest below the line (and highest above it), with the cursor's "_".
const QString &inkSample(bool arabic)
{
    static const QString arabicLetters = QStringLiteral("جحخعغنوزرىيقسشصضمهةؤئءأإآلاكطظ_gjpqy");
    static const QString latinLetters = QStringLiteral("gjpqy_,;Q|()[]{}");
    return arabic ? arabicLetters : latinLetters;
}

// Where the lowest ink of the typed line (or the cursor under it) lies, from the pad's inner top.
double inkBottom(const QFont &font, bool arabic)
{
    const QFontMetricsF metrics(font);
    const double writtenBaseline = kWantedTop + metrics.height() + kLineGap + metrics.ascent();
    return writtenBaseline + metrics.tightBoundingRect(inkSample(arabic)).bottom();
}

// Arabic is drawn in a face made for it, each letter in a column as wide as the letter; a column
// is never narrower than this (of the face's pixel size), so a wrong letter typed in the column of
// a narrow one still has room.
constexpr double kArabicLeastColumn = 0.42;
// Left clear at the pad's sides when a long line narrows its columns to fit.
constexpr double kSideRoom = 4;

// A read-only text of two lines, the wanted one and the typed one; it follows the pad as it is.
class AccessibleTypingPad : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit AccessibleTypingPad(TypingPad *pad) : QAccessibleWidget(pad, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (!own.isEmpty())
            return own;
        switch (t) {
        case QAccessible::Name:
            return QStringLiteral("منطقة الكتابة");
        case QAccessible::Description:
            return QStringLiteral("السطر الأول ما تكتبه، والسطر الثاني ما كتبته");
        case QAccessible::Value:
            return pad()->AccessibleText();
        default:
            return own;
        }
    }

    // Nothing here can be selected.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}

    int cursorPosition() const override { return pad()->AccessibleCaret(); }
    void setCursorPosition(int) override {}

    QString text(int startOffset, int endOffset) const override
    {
        const QString all = pad()->AccessibleText();
        if (endOffset < 0 || endOffset > all.size())
            endOffset = int(all.size());
        startOffset = qBound(0, startOffset, endOffset);
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(pad()->AccessibleText().size()); }

    // A letter of either line stands in the column of the wanted letter at its place.
    QRect characterRect(int offset) const override
    {
        const qsizetype wantedLength = pad()->TrimmedWanted().size();
        const bool typed = offset > wantedLength;
        const qsizetype index = typed ? offset - wantedLength - 1 : offset;
        if (offset < 0 || offset >= characterCount() || index == wantedLength)
            return QRect();
        QRectF cell = pad()->WantedCell(index);
        if (typed)
            cell.moveTop(pad()->CursorPosition().y());
        cell.translate(kFrame, kFrame);
        return QRect(pad()->mapToGlobal(cell.topLeft().toPoint()), cell.size().toSize());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        for (int offset = 0; offset < characterCount(); ++offset) {
            if (characterRect(offset).contains(point))
                return offset;
        }
        return -1;
    }

    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return QString();
    }

private:
    TypingPad *pad() const { return static_cast<TypingPad *>(widget()); }
};

} // namespace

QAccessibleInterface *TypingPad::MakeAccessible(QObject *object)
{
    auto *pad = qobject_cast<TypingPad *>(object);
    return pad ? new AccessibleTypingPad(pad) : nullptr;
}

QString TypingPad::AccessibleText() const
{
    return TrimmedWanted() + QLatin1Char('\n') + sWrittenText;
}

int TypingPad::AccessibleCaret() const
{
    return int(TrimmedWanted().size() + 1 + sWrittenText.size());
}

void TypingPad::TellScreenReader()
{
    const QString before = std::exchange(m_toldText, AccessibleText());
    const QString &after = m_toldText;
    if (after.startsWith(before) && after.size() > before.size()) {
        QAccessibleTextInsertEvent inserted(this, int(before.size()), after.mid(before.size()));
        platform::tellScreenReader(inserted);
    } else if (before.startsWith(after) && before.size() > after.size()) {
        QAccessibleTextRemoveEvent removed(this, int(after.size()), before.mid(after.size()));
        platform::tellScreenReader(removed);
    } else if (after != before) {
        QAccessibleTextUpdateEvent updated(this, 0, before, after);
        platform::tellScreenReader(updated);
    }
    if (after.size() != before.size()) {
        QAccessibleTextCursorEvent moved(this, AccessibleCaret());
        platform::tellScreenReader(moved);
    }
}

TypingPad::TypingPad(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(FaceFor(false, kSmallPointSize));
    lBackColor = kLightBackground;
    const Colours colours = ColoursFor(lBackColor);
    lTextColor = colours.text;
    lErrorColor = colours.error;
    if (bLoggedIn)
        GetSettings();
}

TypingPad::~TypingPad() = default;

QSize TypingPad::sizeHint() const
{
    return QSize(560, 100);
}

void TypingPad::GetSettings()
{
    cUser &user = theUser();
    bShowErrors = user.GetSettings(QStringLiteral("View"), QStringLiteral("Errors")).toBool();
    bBackAllowed = user.GetSettings(QStringLiteral("General"), QStringLiteral("Back")).toBool();
    if (user.GetSettings(QStringLiteral("General"), QStringLiteral("Lang")) == QStringLiteral("Ar")) {
        bArabic = true;
        platform::loadKeyboardLayout(QString::fromLatin1(platform::kArabicLayout));
    } else {
        bArabic = false;
        platform::loadKeyboardLayout(QString::fromLatin1(platform::kEnglishLayout));
    }
    setLayoutDirection(bArabic ? Qt::RightToLeft : Qt::LeftToRight);
    setFont(FaceFor(bArabic, font().pointSize()));

    const bool big =
        user.GetSettings(QStringLiteral("View"), QStringLiteral("Size")) == QStringLiteral("Big");
    if (bArabic)
        m_chosenPointSize = big ? kArabicLargePointSize : kArabicSmallPointSize;
    else
        m_chosenPointSize = big ? kLargePointSize : kSmallPointSize;
    FitFont();

    lBackColor = user.GetSettings(QStringLiteral("View"), QStringLiteral("BKColor")).toInt();
    const Colours colours = ColoursFor(lBackColor);
    lTextColor = colours.text;
    lErrorColor = colours.error;
    update();
}

void TypingPad::FitFont()
{
    QFont padFont = font();
    // Not laid out by its host yet: fitted at the first PrintScreen after it is.
    if (!testAttribute(Qt::WA_Resized)) {
        m_fittedHeight = -1;
        padFont.setPointSize(m_chosenPointSize);
        setFont(padFont);
        return;
    }
    m_fittedHeight = height();
    const double inner = height() - 2 * kFrame;
    int size = m_chosenPointSize;
    for (; size > kLeastPointSize; --size) {
        padFont.setPointSize(size);
        if (inkBottom(padFont, bArabic) <= inner - kInkRoom)
            break;
    }
    padFont.setPointSize(size);
    if (padFont != font())
        setFont(padFont);
}

void TypingPad::Start()
{
    GetSettings();
    BeginLine();
    setLayoutDirection(bArabic ? Qt::RightToLeft : Qt::LeftToRight);
    PrintScreen();
    emit typingNews().LineStarted(this);
}

QFont TypingPad::FaceFor(bool arabic, int pointSize) const
{
    // Arabic in a face with a real Arabic design, Latin letters in it from DejaVu Sans; English in
    // DejaVu Sans Mono, whose letters have the columns' width already.
    QFont face;
    if (arabic) {
        face.setFamilies({QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("DejaVu Sans")});
    } else {
        face.setFamily(QStringLiteral("DejaVu Sans Mono"));
        face.setStyleHint(QFont::Monospace);
    }
    face.setPointSize(pointSize);
    return face;
}

double TypingPad::LeastColumn() const
{
    if (bArabic)
        return kArabicLeastColumn * QFontInfo(font()).pixelSize();
    return QFontMetricsF(font()).horizontalAdvance(QLatin1Char('m'));
}

QRectF TypingPad::WantedCell(qsizetype index) const
{
    const double H = QFontMetricsF(font()).height();
    return m_wantedLine.CellRect(index, H).translated(m_wantedAt);
}

void TypingPad::PrintScreen()
{
    // A host may lay the pad out anew after its settings were read (the large test layout).
    if (height() != m_fittedHeight)
        FitFont();
    const QString wanted = TrimmedWanted();
    // The wanted line stays as it is while the learner types it.
    const double widest = width() - 2 * kFrame - 2 * kSideRoom;
    if (!m_wantedLine.Holds(wanted, bArabic, font(), widest)) {
        m_wantedLine.SetFace(font(), LeastColumn(), widest);
        m_wantedLine.SetText(wanted, bArabic);
    }
    m_writtenLine.SetFace(font(), LeastColumn(), 0);
    m_writtenLine.SetText(sWrittenText, bArabic, m_wantedLine);

    const double S = width() - 2 * kFrame;
    const double W = m_wantedLine.Width();
    const double H = QFontMetricsF(font()).height();
    const double X0 = LineLeft(S, W);
    m_wantedAt = QPointF(X0, kWantedTop);
    m_writtenAt = QPointF(X0, H + kWantedTop + kLineGap);

    // The cursor stands in the column of the next letter.
    m_cursorShown = bActive;
    const int typed = qMin<int>(std::abs(iNumofLetter - 1), int(sWrittenText.size()));
    const QRectF next = m_wantedLine.CellRect(typed, H);
    const double cursorWidth = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('_'));
    m_cursorAt = QPointF(X0 + next.center().x() - cursorWidth / 2, m_writtenAt.y());

    MarkErrors();
    update();
    // Only while a screen reader listens, so that without one a key costs what it always did.
    if (platform::screenReaderListens())
        TellScreenReader();
}

QString TypingPad::NextLetters() const
{
    const qsizetype typed = qMax(0, iNumofLetter - 1);
    return TrimmedWanted().mid(typed, 2);
}

void TypingPad::MarkErrors()
{
    m_ticks.clear();
    m_wrong.clear();
    if (iNumofLetter == 1)
        return;
    m_wrong = CountErrors();
    const double W = m_wantedLine.Width();
    const double X0 = m_wantedAt.x();
    for (qsizetype i : m_wrong) {
        const QRectF cell = m_wantedLine.CellRect(i, 1);
        // From the line's reading start to the letter's own starting edge.
        const double L = bArabic ? W - cell.right() : cell.left();
        m_ticks.append(TickX(bArabic, X0, W, L));
    }
}

void TypingPad::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const Colours colours = ColoursFor(lBackColor);
    painter.fillRect(rect(), colours.back);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.translate(kFrame, kFrame);
    painter.setClipRect(QRect(0, 0, width() - 2 * kFrame, height() - 2 * kFrame));

    const QFontMetricsF metrics(font());
    const QList<qsizetype> none;
    if (bShowErrors) {
        // Each wrong letter's column, over both lines, in a pale wash of the error colour.
        QColor wash = lErrorColor;
        wash.setAlpha(48);
        const double height = m_writtenAt.y() + metrics.height() - kWantedTop + 2;
        for (qsizetype i : m_wrong) {
            if (i >= m_wantedLine.Text().size() && i >= sWrittenText.size())
                continue;
            const QRectF cell = m_wantedLine.CellRect(i, height).translated(m_wantedAt.x(), kWantedTop - 1);
            painter.fillRect(cell.adjusted(0.5, 0, -0.5, 0), wash);
        }
    }
    m_wantedLine.Draw(painter, m_wantedAt.x(), m_wantedAt.y(), lTextColor, none, lTextColor);
    m_writtenLine.Draw(painter, m_writtenAt.x(), m_writtenAt.y(), lTextColor, bShowErrors ? m_wrong : none,
                       lErrorColor);
    if (m_cursorShown) {
        painter.setPen(lTextColor);
        painter.setFont(font());
        painter.drawText(QPointF(m_cursorAt.x(), m_cursorAt.y() + metrics.ascent()), QStringLiteral("_"));
    }
    if (bShowErrors) {
        // A tick above each wrong letter, thick enough to see from arm's length.
        const double thickness = qMax(2.0, std::round(metrics.height() / 7));
        for (double x : m_ticks)
            painter.fillRect(
                QRectF(std::round(x - thickness / 2), kTickTop - 2, thickness, kTickBottom - kTickTop + 4),
                lErrorColor);
    }
}

void TypingPad::UserControl_KeyPress(qint16 KeyAscii)
{
    const qsizetype typedBefore = sWrittenText.size();
    const KeyVerdict verdict = JudgeKey(KeyAscii, platform::secondsSinceMidnight());
    if (verdict.bBeep)
        platform::beep();
    if (!verdict.bJudged)
        return;
    NoteKeyTime(typedBefore, qint64(platform::monotonicSeconds() * 1000));
    PrintScreen();
    emit typingNews().KeyJudged(this, KeyAscii == kBackspace ? cTypingNews::Key::Back : LastKey());
    if (LineComplete()) {
        CalcResult(platform::secondsSinceMidnight());
        ++m_linesFinished;
        emit typingNews().LineFinished(this);
        emit FinishSession();
    }
}

cTypingNews::Key TypingPad::LastKey() const
{
    const QString wanted = TrimmedWanted();
    const qsizetype at = sWrittenText.size() - 1;
    return at >= 0 && at < wanted.size() && sWrittenText.at(at) == wanted.at(at) ? cTypingNews::Key::Right
                                                                                 : cTypingNews::Key::Wrong;
}

void TypingPad::keyPressEvent(QKeyEvent *event)
{
    // An inactive pad takes nothing: the key goes on to the window (the OK button of a message).
    if (!bActive) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        UserControl_KeyPress(kBackspace);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        UserControl_KeyPress(kEnter);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        UserControl_KeyPress(kTab);
        return;
    case Qt::Key_Escape:
        // Beeps like Enter, then goes on to the window, which ends the run or closes the test.
        UserControl_KeyPress(kEscape);
        event->ignore();
        return;
    case Qt::Key_Delete:
        event->ignore();
        return;
    default:
        break;
    }
    // Presses with Ctrl, Alt or Meta are commands, never letters, whatever text the desktop gives them.
    const QString text = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)
                             ? QString()
                             : platform::typedText(*event);
    if (text.isEmpty()) {
        event->ignore();
        return;
    }
    // One key may type two letters (lam and alef); once the line is complete, the rest of the key
    // belongs to no line, least of all to the next one the host has just started.
    const quint32 linesBefore = m_linesFinished;
    for (QChar c : text) {
        if (m_linesFinished != linesBefore)
            break;
        const QString one(c);
        // Control characters are no letters to type; a letter without a code in the page has no key
        // code to judge.
        if (c.category() == QChar::Other_Control || !platform::fitsCodePage1256(one))
            continue;
        const QByteArray code = platform::toCodePage1256(one);
        if (code.size() == 1)
            UserControl_KeyPress(qint16(quint8(code.at(0))));
    }
}

bool TypingPad::focusNextPrevChild(bool)
{
    return false;
}

TypingPad::Colours TypingPad::ColoursFor(qint32 lBackColor)
{
    const QColor back(lBackColor & 0xFF, (lBackColor >> 8) & 0xFF, (lBackColor >> 16) & 0xFF);
    if (lBackColor == 0)
        return {back, QColor(255, 255, 255), QColor(255, 255, 0)};
    return {back, QColor(0, 0, 0), QColor(128, 0, 0)};
}

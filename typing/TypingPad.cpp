#include "typing/TypingPad.h"

#include "app/cTheApp.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/CodePage1256.h"
#include "platform/KeyboardLayout.h"
#include "users/cUser.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>

#include <cstdlib>

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

// Distance from the reading start of a laid-out line to the starting edge of letter `index`: the
// layout knows where shaped Arabic letters stand, which prefix widths do not.
double leadingEdge(const QTextLine &line, qsizetype index, bool arabic)
{
    int at = int(index);
    int after = int(index + 1);
    const double a = line.cursorToX(&at);
    const double b = line.cursorToX(&after);
    return arabic ? qMax(a, b) : qMin(a, b);
}

} // namespace

TypingPad::TypingPad(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont padFont(QStringLiteral("DejaVu Sans Mono"));
    padFont.setStyleHint(QFont::Monospace);
    padFont.setPointSize(kSmallPointSize);
    setFont(padFont);
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

    m_chosenPointSize =
        user.GetSettings(QStringLiteral("View"), QStringLiteral("Size")) == QStringLiteral("Big")
            ? kLargePointSize
            : kSmallPointSize;
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
}

void TypingPad::LayOutLine(QTextLayout &layout, const QString &text, bool arabic)
{
    QTextOption option;
    option.setTextDirection(arabic ? Qt::RightToLeft : Qt::LeftToRight);
    // Positions measured from the layout's left end in both directions; typed blanks take room.
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setText(text);
    layout.setFont(font());
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout.endLayout();
}

void TypingPad::PrintScreen()
{
    // A host may lay the pad out anew after its settings were read (the large test layout).
    if (height() != m_fittedHeight)
        FitFont();
    const QString wanted = TrimmedWanted();
    if (wanted != m_laidWanted || bArabic != m_laidArabic || font().pointSize() != m_laidPointSize ||
        m_wantedLayout.lineCount() == 0) {
        LayOutLine(m_wantedLayout, wanted, bArabic);
        m_laidWanted = wanted;
        m_laidArabic = bArabic;
        m_laidPointSize = font().pointSize();
    }
    LayOutLine(m_writtenLayout, sWrittenText, bArabic);

    const QTextLine wantedLine = m_wantedLayout.lineAt(0);
    const QTextLine writtenLine = m_writtenLayout.lineAt(0);
    const double S = width() - 2 * kFrame;
    const double W = wantedLine.horizontalAdvance();
    const double H = QFontMetricsF(font()).height();
    const double X0 = LineLeft(S, W);

    // Both lines start at the same edge: the left one, or in Arabic the right one. Each layout runs
    // from 0 to its advance whatever its direction.
    m_wantedAt = QPointF(X0, kWantedTop);
    const double writtenLeft = bArabic ? X0 + W - writtenLine.horizontalAdvance() : X0;
    m_writtenAt = QPointF(writtenLeft, H + kWantedTop + kLineGap);

    m_cursorShown = bActive;
    int typed = qMin<int>(std::abs(iNumofLetter - 1), int(sWrittenText.size()));
    const double cursorEdge = writtenLine.cursorToX(&typed);
    // The next letter follows the last one in its run's direction: leftwards after Arabic, rightwards
    // after Latin text, even on an Arabic line (the settings preview's sample is Latin).
    bool leftwards = bArabic;
    if (typed > 0) {
        int lastLetter = typed - 1;
        leftwards = writtenLine.cursorToX(&lastLetter) > cursorEdge;
    }
    const double cursorWidth = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('_'));
    const double cursorX = m_writtenAt.x() + cursorEdge;
    m_cursorAt = QPointF(leftwards ? cursorX - cursorWidth : cursorX, m_writtenAt.y());

    MarkErrors();
    update();
}

void TypingPad::MarkErrors()
{
    m_ticks.clear();
    if (iNumofLetter == 1)
        return;
    const QList<qsizetype> wrong = CountErrors();
    const QTextLine wantedLine = m_wantedLayout.lineAt(0);
    const double W = wantedLine.horizontalAdvance();
    const double X0 = LineLeft(width() - 2 * kFrame, W);
    for (qsizetype i : wrong) {
        const double edge = m_wantedAt.x() + leadingEdge(wantedLine, i, bArabic);
        const double L = bArabic ? X0 + W - edge : edge - X0;
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

    painter.setPen(lTextColor);
    painter.setFont(font());
    m_wantedLayout.draw(&painter, m_wantedAt);
    m_writtenLayout.draw(&painter, m_writtenAt);
    if (m_cursorShown) {
        const QFontMetricsF metrics(font());
        painter.drawText(QPointF(m_cursorAt.x(), m_cursorAt.y() + metrics.ascent()), QStringLiteral("_"));
    }
    if (bShowErrors) {
        painter.setPen(lErrorColor);
        for (double x : m_ticks)
            painter.drawLine(QPointF(x, kTickTop), QPointF(x, kTickBottom));
    }
}

void TypingPad::UserControl_KeyPress(qint16 KeyAscii)
{
    const KeyVerdict verdict = JudgeKey(KeyAscii, platform::secondsSinceMidnight());
    if (verdict.bBeep)
        platform::beep();
    if (!verdict.bJudged)
        return;
    PrintScreen();
    if (LineComplete()) {
        CalcResult(platform::secondsSinceMidnight());
        ++m_linesFinished;
        emit FinishSession();
    }
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

#include "typing/NextKeyPanel.h"

#include "app/KeyStrokes.h"
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/ScreenParts.h"
#include "app/cTheApp.h"
#include "typing/TypingPad.h"
#include "typing/cTypingNews.h"
#include "users/cHistory.h"
#include "users/cUser.h"

#include <QLabel>

namespace {
constexpr int kFingerHeight = 22;
constexpr int kSideRoom = 90; // for the finger's name beside the picture
} // namespace

NextKeyPanel::NextKeyPanel(QWidget *parent) : QWidget(parent)
{
    picKeyboard = new KeyboardPicture(this);
    picKeyboard->setObjectName(QStringLiteral("picKeyboard"));
    lblFinger = screen::makeLabel(QStringLiteral("lblFinger"), QString(), QRect(), this);
    lblFinger->setAlignment(Qt::AlignCenter);
    screen::setFontOf(lblFinger, 0, true);
}

bool NextKeyPanel::WantedFor(const HistoryRecord &source)
{
    if (source.source == HistoryRecord::Source::Lesson && source.bLesson >= 1 && source.bLesson <= 3)
        return true;
    return theUser().GetPreference(QLatin1String(kKeyboardPreference), false).toBool();
}

void NextKeyPanel::Follow(TypingPad *pad)
{
    m_pad = pad;
    picKeyboard->Cls();
    theApp().ShowLetters(picKeyboard);
    // The pads' news, of the followed pad only: a line set, a key judged.
    if (!m_listening) {
        m_listening = true;
        connect(&typingNews(), &cTypingNews::LineStarted, this, [this](TypingPad *from) {
            if (from == m_pad)
                ShowNext();
        });
        connect(&typingNews(), &cTypingNews::KeyJudged, this, [this](TypingPad *from, cTypingNews::Key) {
            if (from == m_pad)
                ShowNext();
        });
    }
    ShowNext();
}

void NextKeyPanel::ShowNext()
{
    const QString next = m_pad && m_pad->bActive ? m_pad->NextLetters() : QString();
    const keygrid::KeyStroke stroke = keygrid::strokeFor(next, m_pad && m_pad->bArabic);
    picKeyboard->setNextKey(stroke.position, stroke.shift);
    lblFinger->setText(keygrid::FingerName(keygrid::fingerOf(stroke.position)));
}

void NextKeyPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The finger's name beside the picture (on the reading side) where the panel is wide, under it
    // where it is not.
    const int pictureWidth = height() * KeyboardPicture::kWidth / KeyboardPicture::kHeight;
    if (width() - pictureWidth >= kSideRoom) {
        const int left = (width() - kSideRoom - pictureWidth) / 2;
        picKeyboard->setGeometry(left, 0, pictureWidth, height());
        lblFinger->setGeometry(left + pictureWidth, 0, width() - left - pictureWidth, height());
        lblFinger->setWordWrap(true);
    } else {
        picKeyboard->setGeometry(0, 0, width(), qMax(0, height() - kFingerHeight));
        lblFinger->setGeometry(0, height() - kFingerHeight, width(), kFingerHeight);
    }
}

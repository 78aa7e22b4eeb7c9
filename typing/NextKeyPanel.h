#pragma once

#include <QPointer>
#include <QWidget>

class KeyboardPicture;
class QLabel;
class TypingPad;
struct HistoryRecord;

// The keyboard beside a practice or a test: the key of the next letter marked, with the finger
// that types it named under the picture. It follows one typing pad at a time.
class NextKeyPanel : public QWidget
{
    Q_OBJECT
public:
    explicit NextKeyPanel(QWidget *parent = nullptr);

    // Whether a run from `source` shows the keyboard: always in lessons 1 to 3, elsewhere when the
    // learner asked for it (the preference kKeyboardPreference).
    static bool WantedFor(const HistoryRecord &source);
    static constexpr const char *kKeyboardPreference = "View/Keyboard";

    // Labels the keys in the training language and marks `pad`'s next letter from now on.
    void Follow(TypingPad *pad);

    KeyboardPicture *picKeyboard = nullptr;
    QLabel *lblFinger = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShowNext();

    QPointer<TypingPad> m_pad;
    bool m_listening = false;
};

#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class MessageIcon
{
    None,
    Information,
    Exclamation,
    Question,
    Critical
};
enum class MessageButtons
{
    Ok,
    YesNo
};

// What an input box shows of what is typed: the text, or a dot for each letter (a password).
enum class InputEcho
{
    Normal,
    Password
};

// Button codes returned by messageBox, as the desktop's message box reports them.
enum MessageAnswer
{
    AnswerOk = 1,
    AnswerCancel = 2,
    AnswerYes = 6,
    AnswerNo = 7
};

struct DialogRequest
{
    enum Kind
    {
        Message,
        Input,
        SaveFile // `text` is the suggested path
    } kind = Message;
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    InputEcho echo = InputEcho::Normal; // input boxes
};

struct DialogAnswer
{
    int button = AnswerOk;
    QString text; // input boxes: what was typed; a file box: the path chosen; empty when cancelled
};

// A message box, right-aligned and read right to left. Questions (Yes/No) default to No.
int messageBox(const QString &text, const QString &title, MessageIcon icon,
               MessageButtons buttons = MessageButtons::Ok, QWidget *parent = nullptr);

// An input box; returns what was typed, or "" when it was cancelled.
QString inputBox(const QString &prompt, const QString &title, InputEcho echo = InputEcho::Normal,
                 QWidget *parent = nullptr);

// The box that asks where to save a file, starting at `suggestedPath` (a folder and a name), showing
// files that match `filter` ("CSV (*.csv)"); returns the path chosen, or "" when it was cancelled.
QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter,
                     QWidget *parent = nullptr);

// Told of every box as it comes up, shown or answered by a test (the spoken mode reads it out); an
// empty function stops telling.
void setDialogListener(std::function<void(const DialogRequest &)> listener);

// Tests answer every box here instead of showing it; an empty function restores real boxes.
void setDialogAnswererForTesting(std::function<DialogAnswer(const DialogRequest &)> answerer);

} // namespace platform

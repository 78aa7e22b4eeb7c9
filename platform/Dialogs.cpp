#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <optional>

namespace platform {

namespace {
std::function<DialogAnswer(const DialogRequest &)> &answerer()
{
    static std::function<DialogAnswer(const DialogRequest &)> fn;
    return fn;
}

std::function<void(const DialogRequest &)> &listener()
{
    static std::function<void(const DialogRequest &)> fn;
    return fn;
}

// Tells the listener, then returns the test's answer if a test answers.
std::optional<DialogAnswer> announced(const DialogRequest &request)
{
    if (listener())
        listener()(request);
    if (answerer())
        return answerer()(request);
    return std::nullopt;
}

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Buttons carry their caption alone, centred with room on both sides, as the desktop's boxes do:
// beside the style's icons a caption such as "إلغاء الأمر" ran into the button's border.
void giveButtonsRoom(QWidget *box)
{
    constexpr int kLeastWidth = 88;
    constexpr int kMargin = 24; // each side of the caption
    for (QPushButton *button : box->findChildren<QPushButton *>()) {
        button->setIcon(QIcon());
        const int caption = button->fontMetrics().horizontalAdvance(button->text());
        button->setMinimumWidth(qMax(kLeastWidth, caption + 2 * kMargin));
    }
}
} // namespace

int messageBox(const QString &text, const QString &title, MessageIcon icon, MessageButtons buttons,
               QWidget *parent)
{
    if (const auto answer = announced({DialogRequest::Message, title, text, icon, buttons}))
        return answer->button;

    QMessageBox box(toQtIcon(icon), title, text, QMessageBox::NoButton, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    // Captions of our own: Qt's Arabic ones carry mnemonic marks that crowd the buttons.
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("نعم"));
        box.button(QMessageBox::No)->setText(QStringLiteral("لا"));
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("موافق"));
        box.setDefaultButton(QMessageBox::Ok);
    }
    giveButtonsRoom(&box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    default:
        return AnswerOk;
    }
}

QString inputBox(const QString &prompt, const QString &title, InputEcho echo, QWidget *parent)
{
    if (const auto answer =
            announced({DialogRequest::Input, title, prompt, MessageIcon::None, MessageButtons::Ok, echo}))
        return answer->text;

    QInputDialog dialog(parent);
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(echo == InputEcho::Password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText(QStringLiteral("موافق"));
    dialog.setCancelButtonText(QStringLiteral("إلغاء الأمر"));
    giveButtonsRoom(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

void setDialogListener(std::function<void(const DialogRequest &)> fn)
{
    listener() = std::move(fn);
}

QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter,
                     QWidget *parent)
{
    if (const auto answer = announced({DialogRequest::SaveFile, title, suggestedPath}))
        return answer->text;

    // Qt's own box rather than the desktop's, so it reads right to left like the tutor.
    QFileDialog dialog(parent, title, suggestedPath, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(suggestedPath);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("حفظ"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("إلغاء الأمر"));
    giveButtonsRoom(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void setDialogAnswererForTesting(std::function<DialogAnswer(const DialogRequest &)> fn)
{
    answerer() = std::move(fn);
}

} // namespace platform

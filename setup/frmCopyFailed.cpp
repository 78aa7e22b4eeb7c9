#include "setup/frmCopyFailed.h"

#include "setup/PageParts.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

frmCopyFailed::frmCopyFailed(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("خطأ في النسخ"));
    setLayoutDirection(Qt::RightToLeft);
    picIcon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this).pixmap(iconSize));
    lblMessage = new QLabel(QStringLiteral("تعذر نسخ الملفات التالية، لم تكتمل عملية التركيب:"), this);
    lblMessage->setWordWrap(true);
    txtFiles = new QPlainTextEdit(this);
    txtFiles->setReadOnly(true);
    txtFiles->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Every line reads right to left, reasons and indented paths alike; a line holding only an
    // isolated path would otherwise be taken for a left-to-right one.
    QTextOption lines = txtFiles->document()->defaultTextOption();
    lines.setTextDirection(Qt::RightToLeft);
    lines.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    txtFiles->document()->setDefaultTextOption(lines);
    cmdOK = new QPushButton(QStringLiteral("موافق"), this);
    cmdOK->setDefault(true);

    auto *message = new QHBoxLayout;
    message->addWidget(picIcon, 0, Qt::AlignTop);
    message->addSpacing(pageparts::kGap);
    message->addWidget(lblMessage, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(txtFiles, 1);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmCopyFailed::cmdOK_Click);
}

void frmCopyFailed::ShowFailures(const QList<cCopyList::FailedCopy> &failures)
{
    QStringList reasons;
    QList<QStringList> targets;
    for (const cCopyList::FailedCopy &failure : failures) {
        qsizetype reason = reasons.indexOf(failure.sReason);
        if (reason < 0) {
            reason = reasons.size();
            reasons.append(failure.sReason);
            targets.append(QStringList());
        }
        targets[reason].append(failure.sTarget);
    }
    QStringList lines;
    for (qsizetype reason = 0; reason < reasons.size(); ++reason) {
        lines.append(reasons.at(reason) + QLatin1Char(':'));
        for (const QString &target : targets.at(reason))
            lines.append(QStringLiteral("    ") + pageparts::LeftToRight(target));
    }
    txtFiles->setPlainText(lines.join(QLatin1Char('\n')));

    // As tall as the list wants, up to most of the screen; beyond that the list scrolls.
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const int listHeight = int(lines.size() + 1) * txtFiles->fontMetrics().lineSpacing() +
                           2 * txtFiles->frameWidth() + txtFiles->horizontalScrollBar()->sizeHint().height();
    txtFiles->setMinimumHeight(qMin(listHeight, area.height() / 2));
    setMaximumSize(area.size() * 9 / 10);
    resize(qMin(pageparts::kPageSize.width(), maximumWidth()), sizeHint().height());
}

void frmCopyFailed::cmdOK_Click()
{
    accept();
}

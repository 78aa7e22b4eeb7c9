#include "typing/cPractice.h"

#include "users/cUser.h"

void cPractice::SetNumOfSessions(qint16 N)
{
    m_texts = QList<QString>(qMax<qint16>(N, 0));
    iNumOfSessions = N;
}

void cPractice::AddText(qint16 iTextNum, const QString &sText)
{
    if (iTextNum < 1 || iTextNum > m_texts.size())
        return;
    // The big font fits 20 characters on the pad.
    const bool small =
        theUser().GetSettings(QStringLiteral("View"), QStringLiteral("Size")) == QStringLiteral("Small");
    m_texts[iTextNum - 1] = small ? sText : sText.left(20);
}

QString cPractice::GetText(qint16 iTextNum) const
{
    return m_texts.value(iTextNum - 1);
}

void cPractice::SetNumOfMessages(qint16 N)
{
    m_messages = QList<QString>(qMax<qint16>(N, 0));
}

void cPractice::AddMessage(qint16 iMessageNum, const QString &sMessage)
{
    if (iMessageNum >= 1 && iMessageNum <= m_messages.size())
        m_messages[iMessageNum - 1] = sMessage;
}

QString cPractice::GetMessage(qint16 iMessageNum) const
{
    return m_messages.value(iMessageNum - 1);
}

namespace {
std::function<void(const cPractice &)> &practiceRunner()
{
    static std::function<void(const cPractice &)> runner;
    return runner;
}
} // namespace

void cPractice::SetRunner(std::function<void(const cPractice &)> runner)
{
    practiceRunner() = std::move(runner);
}

void cPractice::StartPractic()
{
    if (practiceRunner())
        practiceRunner()(*this);
}

#pragma once

#include <QList>
#include <QString>

// The description of one practice run: its title, the letters it concentrates on, its lines and the
// messages shown between groups of lines. Lessons and drills fill one and call StartPractic; the run
// itself takes place on the practice panel of the window hosting the typing engine.
class cPractice
{
public:
    QString sTitle;
    QString sLetters;
    qint16 iShowMessagePer = 0;
    bool bShowMessageBox = false;
    qint16 iNumOfSessions = 0;

    void SetNumOfSessions(qint16 N);
    void AddText(qint16 iTextNum, const QString &sText);
    QString GetText(qint16 iTextNum) const;
    void SetNumOfMessages(qint16 N);
    void AddMessage(qint16 iMessageNum, const QString &sMessage);
    QString GetMessage(qint16 iMessageNum) const;
    qint16 NumOfMessages() const { return qint16(m_messages.size()); }

    // Hands this run to the host's practice panel and returns as soon as it is up.
    // The panel keeps the object alive while it runs.
    void StartPractic();

private:
    QList<QString> m_texts;
    QList<QString> m_messages;
};

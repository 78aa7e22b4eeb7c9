#pragma once

#include "users/cHistory.h"

#include <QList>
#include <QString>

#include <functional>

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
    // Where the run comes from: each finished line goes to the learner's history under it.
    HistoryRecord History;

    void SetNumOfSessions(qint16 N);
    void AddText(qint16 iTextNum, const QString &sText);
    QString GetText(qint16 iTextNum) const;
    void SetNumOfMessages(qint16 N);
    void AddMessage(qint16 iMessageNum, const QString &sMessage);
    QString GetMessage(qint16 iMessageNum) const;
    qint16 NumOfMessages() const { return qint16(m_messages.size()); }

    // Hands this run to the practice runner and returns as soon as it is up; the runner keeps its own
    // copy while it runs.
    void StartPractic();
    // The runner is the main window's practice panel, installed at start-up; a test may install its
    // own. With none, StartPractic does nothing.
    static void SetRunner(std::function<void(const cPractice &)> runner);

private:
    QList<QString> m_texts;
    QList<QString> m_messages;
};

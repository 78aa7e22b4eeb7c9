#pragma once
// STAND-IN (not to land): the contract's interface, until helper B's version is on main.
#include <QString>
#include <QStringList>

class cAdaptiveText
{
public:
    explicit cAdaptiveText(bool arabic) : m_arabic(arabic) {}
    bool bDiacritics = false;
    QString MakeLine(const QString &allowed, const QString &focus, const QStringList &recent,
                     int iLength = 48) const;

private:
    bool m_arabic;
};

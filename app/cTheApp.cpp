#include "app/cTheApp.h"

#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"

cTheApp &theApp()
{
    static cTheApp app;
    return app;
}

QString cTheApp::GetPath() const
{
    return platform::programFolder();
}

int cTheApp::ErrorMessage(qint16 iErrorNum, const QString &)
{
    const QString heading = LoadResString(resid::kErrorTitle) + QString::number(iErrorNum);
    const QString text = heading + QStringLiteral("\r\r") + LoadResString(iErrorNum);
    return platform::messageBox(text, heading, platform::MessageIcon::Exclamation);
}

void cTheApp::SetScreenArea(QWidget *area)
{
    m_screenArea = area;
}

void cTheApp::ShowScreen(QWidget *picPictureBox)
{
    if (!picPictureBox || !m_screenArea)
        return;
    QWidget *owner = picPictureBox->window();
    if (owner != m_screenArea->window())
        WindowRegistry::AdoptPanel(owner, picPictureBox);
    picPictureBox->setParent(m_screenArea);
    picPictureBox->move(0, 0);
    picPictureBox->show();
    picPictureBox->raise();
    picPictureBox->setFocus();
}

void cTheApp::ShowLetters(KeyboardPicture *picKeyboard)
{
    ShowLetters(picKeyboard, IsArabic());
}

void cTheApp::ShowLetters(KeyboardPicture *picKeyboard, bool arabic)
{
    if (!picKeyboard)
        return;
    for (const keygrid::KeyLabel &label : keygrid::labels(arabic))
        picKeyboard->Print(label.at, label.text);
}

void cTheApp::SelectLetter(KeyboardPicture *picKeyboard, const QVariant &vLetter)
{
    SelectLetter(picKeyboard, vLetter, IsArabic());
}

void cTheApp::SelectLetter(KeyboardPicture *picKeyboard, const QVariant &vLetter, bool arabic)
{
    if (!picKeyboard)
        return;
    // Colour 1 of the 16-colour palette: dark blue.
    picKeyboard->DrawBox(keygrid::keyBox(keygrid::positionOf(vLetter, arabic)), QColor(0, 0, 0x80));
}

void cTheApp::Sleep(double iNumofSeconds)
{
    // A monotonic clock, so a wait that runs across midnight still ends.
    const double until = platform::monotonicSeconds() + iNumofSeconds;
    while (platform::monotonicSeconds() <= until) {
    }
}

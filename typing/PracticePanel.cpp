#include "typing/PracticePanel.h"

PracticePanel::PracticePanel(QWidget *parent) : QWidget(parent)
{
}

void PracticePanel::StartPractice()
{
}

void PracticePanel::EndPractice()
{
    hide();
    CurrentPractice.reset();
}

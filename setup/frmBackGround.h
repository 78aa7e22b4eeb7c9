#pragma once

#include <QWidget>

// The window behind the wizard's pages.
class frmBackGround : public QWidget
{
    Q_OBJECT
public:
    frmBackGround();
    void Form_Load();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: the maker's banner, the credits roll fading through the black area, the
// product name, the maker's notices and "System Info..". The roll's numbers are CreditsRoll's
// and finding the tool is LaunchSystemInfo's; the window places, paints and wires.

#include "about/creditsroll.h"
#include "platform/linuxregistry.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace margino {

class CreditsView;

class FrmAbout : public QDialog {
    Q_OBJECT

public:
    // tools: where "System Info.." looks for the system-information program.
    explicit FrmAbout(QWidget *parent = nullptr,
                      SystemInfoTools tools = SystemInfoTools::fromEnvironment());

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void Timer1_Timer();
    void cmd_Ok_Click();
    void cmd_SystemInfo_Click();

private:
    void buildFrame();
    void Form_Load();

    SystemInfoTools tools_;
    std::array<QString, 21> Credits;
    CreditsRoll roll_;
    TickSchedule schedule_;
    QElapsedTimer clock_;
    QTimer Timer1;

    QLabel *Picture1;
    QFrame *Shape1;
    QLabel *lblCredits0;
    CreditsView *rollView_;
    QGroupBox *Frame1;
    QLabel *Label1, *Label3, *Label4;
    QPushButton *cmd_SystemInfo, *cmd_Ok;
};

} // namespace margino

// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmabout.h"

#include "ui/artwork.h"
#include "ui/desktopsysteminfo.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace margino {

namespace {

// The contributors as the roll shows them; slots 10 to 20 are never shown.
const char *const CreditTexts[] = {"",
                                   "",
                                   "Vellutra",
                                   "Analista..Gufo",
                                   "Ottavia Marchesin",
                                   "Programmazione..Ramarro",
                                   "Duilio Ferracane",
                                   "Grafica..Pennino",
                                   "Noemi Castellaz",
                                   ""};

void setColor(QWidget *widget, QPalette::ColorRole role, const QColor &color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &place) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

} // namespace

FrmAbout::FrmAbout(QWidget *parent, SystemInfoTools tools)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      tools_(std::move(tools)) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("About Vellutra"));
    setFont(layoutFont(QStringLiteral("MS Sans Serif"), 8.25));
    setFixedSize(281, 313);
    setColor(this, QPalette::Window, QColor(192, 192, 192));

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(56, 0, 217, 161);
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    setColor(Shape1, QPalette::WindowText, Qt::black);

    QLabel *line = lblCredits[0] =
        addLabel(this, "lblCredits0", QStringLiteral("Label1"), QRect(88, 48, 153, 20));
    line->setFont(layoutFont(QStringLiteral("MS Sans Serif"), 12, true));
    line->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setColor(line, QPalette::WindowText, Qt::white);

    Picture1 = addLabel(this, "Picture1", QString(), QRect(0, 0, 57, 161));
    Picture1->setPixmap(aboutBanner());
    Picture1->setAutoFillBackground(true);
    setColor(Picture1, QPalette::Window, QApplication::palette().color(QPalette::Button));
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAccessibleName(QStringLiteral("Vellutra"));

    buildFrame();

    Timer1.setSingleShot(true);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &FrmAbout::Timer1_Timer);

    setTabOrder(Picture1, cmd_SystemInfo);
    setTabOrder(cmd_SystemInfo, cmd_Ok);
    Picture1->setFocus();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    Form_Load();
}

void FrmAbout::buildFrame() {
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(0, 160, 281, 153);
    // The panel keeps the desktop's button face when the window turns black.
    Frame1->setAutoFillBackground(true);
    setColor(Frame1, QPalette::Window, QApplication::palette().color(QPalette::Button));

    Label1 = addLabel(Frame1, "Label1", QStringLiteral("Margino"), QRect(32, 8, 209, 25));
    Label1->setFont(layoutFont(QStringLiteral("Times New Roman"), 14.25, true));
    // The licence and the version, on the two lines between the name and the notices.
    Label3 = addLabel(
        Frame1, "Label3",
        QStringLiteral("Versione " MARGINO_VERSION "\nSoftware libero: GNU GPL 3 o successiva"),
        QRect(32, 38, 241, 32));
    Label4 = addLabel(Frame1, "Label4",
                      QStringLiteral("Novità e aggiornamenti sul sito\nwww.vellutra.example"),
                      QRect(32, 72, 193, 33));

    cmd_SystemInfo = new QPushButton(QStringLiteral("System Info.."), Frame1);
    cmd_SystemInfo->setObjectName(QStringLiteral("cmd_SystemInfo"));
    cmd_SystemInfo->setGeometry(136, 112, 73, 25);
    connect(cmd_SystemInfo, &QPushButton::clicked, this, &FrmAbout::cmd_SystemInfo_Click);
    cmd_Ok = new QPushButton(QStringLiteral("OK"), Frame1);
    cmd_Ok->setObjectName(QStringLiteral("cmd_Ok"));
    cmd_Ok->setGeometry(216, 112, 49, 25);
    connect(cmd_Ok, &QPushButton::clicked, this, &FrmAbout::cmd_Ok_Click);
    // Neither is the default button: Enter presses only the button that has the focus.
    cmd_SystemInfo->setAutoDefault(false);
    cmd_Ok->setAutoDefault(false);
}

void FrmAbout::Form_Load() {
    for (std::size_t i = 0; i < Credits.size(); ++i)
        Credits[i] = i < std::size(CreditTexts) ? QString::fromUtf8(CreditTexts[i]) : QString();
    setColor(this, QPalette::Window, Qt::black);

    // Every line takes the size line 0 has now, before any text is set.
    roll_.load(Shape1->geometry(), lblCredits[0]->size());
    for (std::size_t i = 1; i < lblCredits.size(); ++i) {
        QLabel *first = lblCredits[0];
        QLabel *line = lblCredits[i] = new QLabel(first->text(), this);
        line->setObjectName(QStringLiteral("lblCredits%1").arg(i));
        line->hide();
        line->setFont(first->font());
        line->setAlignment(first->alignment());
        line->setPalette(first->palette());
        line->stackUnder(Picture1); // the banner and the panel stay in front
        line->show();
    }
    showRoll();
    for (std::size_t i = 0; i < lblCredits.size(); ++i)
        lblCredits[i]->setText(Credits[i]);

    clock_.start();
    schedule_.start(0);
    Timer1.start(schedule_.next(0));
}

void FrmAbout::Timer1_Timer() {
    roll_.tick();
    showRoll();
    const qint64 nowUs = clock_.nsecsElapsed() / 1000;
    Timer1.start(schedule_.next(nowUs));
}

void FrmAbout::showRoll() {
    for (std::size_t i = 0; i < lblCredits.size(); ++i) {
        const RollLine &line = roll_.lines()[i];
        // A text may run past its line's box, as our fonts are wider than the ones the
        // layout was drawn with: each label spans the credits area, centred on its box.
        QRect label = line.box;
        label.setWidth(Shape1->width());
        label.moveLeft(line.box.left() - (Shape1->width() - line.box.width()) / 2);
        lblCredits[i]->setGeometry(label);
        if (!line.color)
            continue;
        const QColor color(line.color->red, line.color->green, line.color->blue);
        if (lblCredits[i]->palette().color(QPalette::WindowText) != color)
            setColor(lblCredits[i], QPalette::WindowText, color);
    }
}

void FrmAbout::cmd_Ok_Click() {
    close();
}

void FrmAbout::cmd_SystemInfo_Click() {
    DesktopSystemInfo desktop(this, tools_);
    LaunchSystemInfo(desktop);
}

void FrmAbout::keyPressEvent(QKeyEvent *event) {
    // No cancel button: Escape leaves the window open. No default button: Enter presses the
    // focused button and nothing else.
    if (event->key() == Qt::Key_Escape)
        return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmAbout::hideEvent(QHideEvent *event) {
    Timer1.stop();
    QDialog::hideEvent(event);
}

} // namespace margino

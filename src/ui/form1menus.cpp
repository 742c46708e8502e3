// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menus and the windows they open: settings, About, help, the trade plan
// and the journal. What each window does is its own.
#include "form1.h"

#include "journal/journallocation.h"
#include "ui/errorreport.h"
#include "ui/frmabout.h"
#include "ui/frmparametriiniziali.h"
#include "ui/helpviewer.h"
#include "ui/inputnumerico.h"
#include "ui/journalerrors.h"
#include "ui/journaltrade.h"
#include "ui/journalwindow.h"
#include "ui/savetradedialog.h"
#include "ui/tradeplanwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace margino {

// The three commands keep their places; "Strumenti" comes after them. Each opens with
// Alt and its own letter; I, S, R and P stay free for the window's check box and Strumenti's
// entries.
void Form1::buildMenus() {
    const auto command = [this](QAction *&action, const char *name, const QString &text) {
        action = menuBar()->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
    };
    command(mnu_Settaggio, "mnu_Settaggio", QStringLiteral("Se&ttaggio"));
    connect(mnu_Settaggio, &QAction::triggered, this, &Form1::mnu_Settaggio_Click);
    command(mnu_About, "mnu_About", QStringLiteral("&About"));
    connect(mnu_About, &QAction::triggered, this, &Form1::mnu_About_Click);
    command(mnu_Help, "mnu_Help", QStringLiteral("&Help"));
    mnu_Help->setShortcut(QKeySequence::HelpContents);
    connect(mnu_Help, &QAction::triggered, this, &Form1::mnu_Help_Click);

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Strumenti"));
    tools->setObjectName(QStringLiteral("toolsMenu"));
    const auto tool = [this, tools](QAction *&action, const char *name, const QString &text,
                                    const QKeySequence &keys, void (Form1::*slot)()) {
        action = tools->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    tool(planTradeAction, "planTradeAction", QStringLiteral("&Pianifica operazione…"),
         QKeySequence(Qt::CTRL | Qt::Key_P), &Form1::planTrade);
    tool(copyAllAction, "copyAllAction", QStringLiteral("&Copia tutti i risultati"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &Form1::copyAllResults);
    tool(clearAction, "clearAction", QStringLiteral("&Azzera"), QKeySequence(Qt::Key_Escape),
         &Form1::clearFields);
    tools->addSeparator();
    tool(saveTradeAction, "saveTradeAction", QStringLiteral("Sal&va operazione"),
         QKeySequence(Qt::CTRL | Qt::Key_S), &Form1::saveTrade);
    tool(journalAction, "journalAction", QStringLiteral("&Registro operazioni…"),
         QKeySequence(Qt::CTRL | Qt::Key_R), &Form1::openJournal);
}

// Modal like the other windows, made at its first use and kept, with what was typed in it; its
// "Usa" buttons type into the fields, which recalculate as if typed.
void Form1::planTrade() {
    if (!planWindow) {
        planWindow = std::make_unique<TradePlanWindow>(dbParametri, this);
        connect(planWindow.get(), &TradePlanWindow::useQuantity, in_Qta, &InputNumerico::setValore);
        connect(planWindow.get(), &TradePlanWindow::useSalePrice, in_VndPzo,
                &InputNumerico::setValore);
    }
    planWindow->start(results->shown());
    planWindow->exec();
}

// The trade in hand goes to the journal with a note; blank or refused inputs are not saved.
void Form1::saveTrade() {
    const TradeTexts texts = results->shown();
    if (const std::optional<QString> why = whyNotSavable(texts)) {
        QMessageBox::information(this, QStringLiteral("Salva operazione"),
                                 QStringLiteral("Nessuna operazione salvata: %1").arg(*why));
        return;
    }
    Trade trade = tradeFromTexts(texts, locale(), QDateTime::currentDateTime());
    SaveTradeDialog dialog(
        allResults(texts, locale()).section(u'\n', 0, 2),
        [this, trade](const QString &note) mutable {
            trade.note = note;
            return saveToJournal(this, journalFile(), trade, journal_);
        },
        this);
    if (dialog.exec() == QDialog::Accepted)
        emit tradeSaved();
}

// One window at a time, beside this one: a trade opened from it fills these fields.
void Form1::openJournal() {
    if (!journalWindow_) {
        // A window of its own, not kept above this one; it closes with this window.
        journalWindow_ = new JournalWindow(journalFile(),
                                           [this](const Trade &trade) { return openTrade(trade); });
        journalWindow_->setAttribute(Qt::WA_QuitOnClose, false);
        // Ctrl+S saves the trade in hand from the journal window too.
        journalWindow_->addAction(saveTradeAction);
        connect(this, &Form1::tradeSaved, journalWindow_, &JournalWindow::refresh);
    }
    journalWindow_->show();
    journalWindow_->raise();
    journalWindow_->activateWindow();
}

QString Form1::journalFile() const {
    return journalFile_.isEmpty() ? journalFilePath(QCoreApplication::applicationDirPath())
                                  : journalFile_;
}

TradeTexts Form1::openTrade(const Trade &trade) {
    in_Qta->setValore(fieldText(trade.quantity, locale()));
    in_AcqPzo->setValore(fieldText(trade.purchasePrice, locale()));
    in_VndPzo->setValore(fieldText(trade.salePrice, locale()));
    // Fields that already held these texts raised no change: the figures follow today's
    // settings all the same.
    in_Qta_Change();
    return results->shown();
}

// Modal, so no recalculation can interleave; its close saves and then recomputes every result
// with the new settings.
void Form1::mnu_Settaggio_Click() {
    frmParametriIniziali settings(
        dbParametri, [this] { in_Qta_Change(); }, this);
    settings.exec();
}

void Form1::mnu_About_Click() {
    // A new window each time, so every showing starts the roll afresh.
    FrmAbout about(this);
    about.exec();
}

void Form1::mnu_Help_Click() {
    // A bare name: the help engine looks for the file by its own rules.
    WinHelp(this, QString::fromLatin1(HelpFile), HELP_CONTENTS, 0);
}

} // namespace margino

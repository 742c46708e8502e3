// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: three input fields, two amount labels, six result panels, the menu bar
// and "Esci". It lays out and wires controls; settings live in the database it is given.

#include "calc/tradecalculator.h"
#include "store/sessionstate.h"
#include "ui/resultsdisplay.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace margino {

class AmountLabel;
class Database;
class InputNumerico;
class JournalFile;
class JournalWindow;
struct Trade;
class PicturePanel;
class TradePlanWindow;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    // session: what is kept between starts; without one, the window keeps nothing.
    explicit Form1(Database &db, QWidget *parent = nullptr);
    Form1(Database &db, SessionState &session, QWidget *parent = nullptr);

    ~Form1() override;

    // Recomputes every result with the settings as they are now in the database.
    void in_Qta_Change();

    static constexpr char HelpFile[] = "Margino.hlp";

    // The journal of trades; opened at the first save or when its window opens, never before.
    void setJournalFile(const QString &fileName) { journalFile_ = fileName; }
    QString journalFile() const;
    // Types a saved trade's three fields and returns the figures recomputed from them.
    TradeTexts openTrade(const Trade &trade);

    // Whether the trade in hand pays the transaction tax: the check box under the fields.
    // Setting it from code recomputes and signals as a click does.
    bool transactionTaxApplies() const;
    void setTransactionTaxApplies(bool applies);

signals:
    void transactionTaxToggled(bool applies);
    void tradeSaved();

public slots:
    void saveTrade();
    void openJournal();

private slots:
    void in_AcqPzo_Change();
    void in_VndPzo_Change();
    void cmd_Ok_Click();
    void mnu_Settaggio_Click();
    void mnu_About_Click();
    void mnu_Help_Click();
    void copyAllResults();
    void planTrade();
    void transactionTax_Toggled(bool applies);
    void clearFields();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    using Side = std::optional<RuntimeError> (TradeCalculator::*)(TradeTexts &, const QLocale &);
    void recalculate(Side side);

    void Form_Load();
    void buildFrames(QWidget *client);
    void buildInputs();
    void buildMenus();
    void buildFigures();
    void buildTaxSwitch(QWidget *client);
    // The switch's text names the rate the settings hold.
    void showTaxRate(std::optional<double> ratePercent);
    void restoreTrade();
    void restoreWindowPosition();
    bool restoreClearedFields();

    Form1(Database &db, SessionState *session, QWidget *parent);

    std::unique_ptr<SessionState> ownSession_;
    SessionState &session_;
    std::optional<SessionState::Trade> cleared_; // the fields as Azzera found them

    Database &dbParametri;

    QGroupBox *Frame8, *Frame6, *Frame9;
    // The panels and amount boxes, by figure row (pic_PdP, lab_AcqImp, ...).
    ResultsDisplay::Widgets figures_{};
    QLabel *Label44, *Label45, *Label2;
    InputNumerico *in_Qta, *in_AcqPzo, *in_VndPzo;
    QLabel *Picture1;
    QPushButton *cmd_Ok;
    QCheckBox *transactionTax_;
    std::optional<std::pair<std::optional<double>, QLocale>> shownTaxRate_;
    QAction *mnu_Settaggio, *mnu_About, *mnu_Help;
    QAction *copyAllAction, *planTradeAction, *clearAction;
    QLabel *hintLine;
    QAction *saveTradeAction, *journalAction;
    QString journalFile_;
    QPointer<JournalWindow> journalWindow_;
    std::unique_ptr<JournalFile> journal_; // opened at the first save, kept for the next

    TradeCalculator calculator{dbParametri};
    FailureLatch failures;
    std::unique_ptr<ResultsDisplay> results;
    std::unique_ptr<TradePlanWindow> planWindow; // made at its first use
};

} // namespace margino

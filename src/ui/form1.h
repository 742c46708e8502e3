// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: three input fields, two amount labels, six result panels, the menu bar
// and "Esci". It lays out and wires controls; settings live in the database it is given.

#include "calc/tradecalculator.h"
#include "lcd/mclcd.h"
#include "ui/resultsdisplay.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
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

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(Database &db, QWidget *parent = nullptr);

    ~Form1() override;

    // Recomputes every result with the settings as they are now in the database.
    void in_Qta_Change();

    static constexpr char HelpFile[] = "Margino.hlp";

    // The journal of trades; opened at the first save or when its window opens, never before.
    void setJournalFile(const QString &fileName) { journalFile_ = fileName; }
    QString journalFile() const;
    // Types a saved trade's three fields and returns the figures recomputed from them.
    TradeTexts openTrade(const Trade &trade);

signals:
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
    void sizePosition();

private:
    using Side = std::optional<RuntimeError> (TradeCalculator::*)(TradeTexts &, const QLocale &);
    void recalculate(Side side);

    void Form_Load();
    void buildFrames(QWidget *client);
    void buildInputs();
    void buildMenus();
    PicturePanel *addPanel(QGroupBox *frame, const char *name, int top);

    Database &dbParametri;

    QGroupBox *Frame8, *Frame6, *Frame9;
    PicturePanel *pic_PdP, *pic_SLP, *pic_SLMM, *pic_GP, *pic_PercentualeGP, *pic_Commissioni;
    mcLCD lcdPdP, lcdSLMM, lcdSLP, lcdCommissioni, lcdGP, lcdPercentualeGP;
    QLabel *Label1, *Label32, *Label31, *Label29, *Label30, *Label26;
    QLabel *Label44, *Label45, *Label46, *Label2, *Label34;
    AmountLabel *lab_AcqImp, *lab_VndImp;
    InputNumerico *in_Qta, *in_AcqPzo, *in_VndPzo;
    QLabel *Picture1;
    QPushButton *cmd_Ok;
    QAction *mnu_Settaggio, *mnu_About, *mnu_Help;
    QAction *copyAllAction, *sizePositionAction;
    QAction *saveTradeAction, *journalAction;
    QString journalFile_;
    QPointer<JournalWindow> journalWindow_;
    std::unique_ptr<JournalFile> journal_; // opened at the first save, kept for the next

    TradeCalculator calculator{dbParametri};
    FailureLatch failures;
    std::unique_ptr<ResultsDisplay> results;
};

} // namespace margino

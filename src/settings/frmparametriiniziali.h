#pragma once
// The settings window: five fields filled from the database when it opens, written back in
// one transaction whenever it closes; the recalculation after a save is its caller's.

#include "store/database.h"

#include <QDialog>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace margino {

class InputNumerico;
struct ParameterTexts;

class frmParametriIniziali : public QDialog {
    Q_OBJECT

public:
    // recalculate runs after every successful save, once the window has closed.
    frmParametriIniziali(Database &db, std::function<void()> recalculate,
                         QWidget *parent = nullptr);

    // Every way of closing ends here, and every close saves first; a close that cannot save
    // leaves the window open unless the user chooses to close without saving.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void Command2_Click();

private:
    enum class Unload { Saved, Discarded, Stay };

    void buildFields();
    void Form_Load();
    Unload Form_Unload();
    bool fieldsAreNumbers();
    ParameterTexts fieldTexts() const;

    Database &dbParametri;
    std::function<void()> recalculate_;
    std::optional<DbError> loadError_;

    QLabel *Label4, *Label14, *Label1, *Label15, *Label9, *Label5, *Label12;
    QLabel *Label6, *Label10, *Label7, *Label11;
    QPushButton *Command2;
    QGroupBox *Frame1, *Frame2;
    InputNumerico *in_CommissioniPerc, *in_CommMinime, *in_CapitalGain, *in_SLMM, *in_SLP;
};

} // namespace margino

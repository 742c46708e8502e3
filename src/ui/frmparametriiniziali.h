// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings window: a field per settings row, filled from the database when it opens,
// written back in one transaction when it closes with a field changed; the recalculation is its
// caller's. What each field may hold is its row's rule.

#include "store/database.h"
#include "store/parameters.h"

#include <QDialog>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace margino {

class InputNumerico;

class frmParametriIniziali : public QDialog {
    Q_OBJECT

public:
    // recalculate runs once the window has closed, however it closed, saved or not, so that
    // values another program saved meanwhile show at once.
    frmParametriIniziali(Database &db, std::function<void()> recalculate,
                         QWidget *parent = nullptr);

    // Every way of closing ends here. A close with a field changed saves first, asking before it
    // overwrites values another program saved since the window opened; a close that cannot save
    // leaves the window open unless the user chooses to close without saving.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void Command2_Click();

private:
    enum class Unload { Recalculate, Discard, Stay };

    void buildFields();
    void buildTariffFields();
    InputNumerico *addField(Setting setting, QWidget *parent, const char *name);
    void Form_Load();
    Unload Form_Unload();
    bool fieldsAreUsable();
    InputNumerico *field(Setting setting) const { return fields_[setting]; }
    ParameterTexts fieldTexts() const;

    Database &dbParametri;
    std::function<void()> recalculate_;
    std::optional<DbError> loadError_;
    // The values as the window showed them when it opened.
    ParameterTexts shown_;
    BySetting<InputNumerico *> fields_;

    QLabel *Label4, *Label14, *Label1, *Label15, *Label9, *Label5, *Label12;
    QLabel *Label6, *Label10, *Label7, *Label11;
    QLabel *hintLine;
    QPushButton *Command2;
    QGroupBox *Frame1, *Frame2, *tariffFrame_;
    InputNumerico *in_CommissioniPerc, *in_CommMinime, *in_CapitalGain, *in_SLMM, *in_SLP;
};

} // namespace margino

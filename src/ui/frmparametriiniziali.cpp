// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmparametriiniziali.h"

#include "core/numbertext.h"
#include "store/settingssave.h"
#include "ui/errorreport.h"
#include "ui/inputnumerico.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace margino {

namespace {

constexpr int HintTwips = 420; // two lines of the window's font

// Both questions the window asks at closing offer: go on (saving), close without saving, or
// go back to the window, which is also what Escape does.
using Answer = SaveAnswer;

Answer ask(QWidget *parent, QMessageBox::Icon icon, const QString &text, const QString &advice,
           const QString &save, const QString &close, bool saveByDefault) {
    QMessageBox box(icon, parent->windowTitle(), text, QMessageBox::NoButton, parent);
    box.setInformativeText(advice);
    QPushButton *saving = box.addButton(save, QMessageBox::AcceptRole);
    QPushButton *closing = box.addButton(close, QMessageBox::DestructiveRole);
    QPushButton *back = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.setDefaultButton(saveByDefault ? saving : back);
    box.setEscapeButton(back);
    box.exec();
    return box.clickedButton() == saving    ? Answer::Save
           : box.clickedButton() == closing ? Answer::CloseWithoutSaving
                                            : Answer::BackToWindow;
}

// The engine refused the save and nothing was written: the user decides what comes next.
Answer askAfterRefusal(QWidget *parent, const DbError &error) {
    QString text = QStringLiteral("Le impostazioni non sono state salvate: nel file non è "
                                  "cambiato nulla.\n\nErrore %1: %2")
                       .arg(QString::number(error.number()), error.description());
    if (!error.summary().isEmpty())
        text.prepend(error.summary() + QStringLiteral("\n\n"));
    return ask(parent, QMessageBox::Critical, text,
               QStringLiteral("Riprova dopo averne rimosso la causa, oppure chiudi senza salvare. "
                              "Annulla torna alle impostazioni."),
               QStringLiteral("Riprova"), QStringLiteral("Chiudi senza salvare"), true);
}

// Another program saved since the window opened: writing now would lose its values unasked.
Answer askAfterOtherSave(QWidget *parent, const QStringList &changes) {
    return ask(parent, QMessageBox::Warning,
               QStringLiteral("Da quando questa finestra si è aperta, un altro programma ha "
                              "salvato impostazioni diverse:\n\n") +
                   changes.join(u'\n'),
               QStringLiteral("Sovrascrivi salva i valori di questa finestra, Tieni gli altri "
                              "chiude senza salvare. Annulla torna alle impostazioni."),
               QStringLiteral("Sovrascrivi"), QStringLiteral("Tieni gli altri"), false);
}

void styleUnit(QLabel *unit) {
    // Unit labels: bold, in a single-line box beside their field.
    unit->setFont(sansSerif(8.25, true));
    unit->setFrameStyle(QFrame::Box | QFrame::Plain);
}

} // namespace

frmParametriIniziali::frmParametriIniziali(Database &db, std::function<void()> recalculate,
                                           QWidget *parent)
    : QDialog(parent), dbParametri(db), recalculate_(std::move(recalculate)) {
    setObjectName(QStringLiteral("frmParametriIniziali"));
    setWindowTitle(QStringLiteral("Parametri iniziali"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // Wider and taller than the five fields need: the tariff's group sits below them, and
    // below it two lines hold a field's hint, clear of every control.
    setFixedSize(twipsToPixels(4020), twipsToPixels(5415 + HintTwips));
    setFont(sansSerif(8.25));

    Label4 =
        addTwipsLabel(this, "Label4", QStringLiteral("Parametri iniziali"), 120, 120, 2175, 375);
    Label4->setFont(sansSerif(12, true));

    Command2 = new QPushButton(QStringLiteral("Esci"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    placeTwips(Command2, 2280, 120, 855, 375);
    connect(Command2, &QPushButton::clicked, this, &frmParametriIniziali::Command2_Click);
    // Neither default nor cancel button: Enter, in a field or on "Esci", closes nothing.
    Command2->setAutoDefault(false);

    buildFields();
    buildTariffFields();
    hintLine = addTwipsLabel(this, "hintLine", QString(), 120, 5340, 3780, HintTwips);
    hintLine->setWordWrap(true);
    for (InputNumerico *input : findChildren<InputNumerico *>())
        input->setHintLabel(hintLine);

    // The commission rate comes last of the five although it is the top field; the tariff's
    // fields follow it, top to bottom.
    QWidget *const tabOrder[] = {in_CommMinime,
                                 in_CapitalGain,
                                 in_SLMM,
                                 in_SLP,
                                 Command2,
                                 in_CommissioniPerc,
                                 field(Setting::Maximum),
                                 field(Setting::MaximumPercent),
                                 field(Setting::Fixed),
                                 field(Setting::PerShare),
                                 field(Setting::TransactionTax)};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    in_CommMinime->setFocus();

    Form_Load();
}

void frmParametriIniziali::buildFields() {
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    placeTwips(Frame1, 120, 600, 3015, 2535);
    Frame2 = new QGroupBox(Frame1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    placeTwips(Frame2, 120, 1320, 2775, 1095);

    // One row a setting: its title, field and unit, each on the row's line; the titles and
    // units are the settings rows' own, the rate's unit per thousand of the order ("‰").
    struct Field {
        InputNumerico *&field;
        QLabel *&title, *&unit;
        Setting setting;
        const char *name, *titleName, *unitName;
        QGroupBox *frame;
        int top, titleWidth, left, width, unitLeft;
    };
    // The second title is 1695 wide, not 1455: the substitute font needs 101 pixels.
    const Field fields[] = {
        {in_CommissioniPerc, Label14, Label1, Setting::Commissioni, "in_CommissioniPerc", "Label14",
         "Label1", Frame1, 240, 1215, 1920, 615, 2520},
        {in_CommMinime, Label15, Label9, Setting::CommissioniMin, "in_CommMinime", "Label15",
         "Label9", Frame1, 600, 1695, 1920, 615, 2520},
        {in_CapitalGain, Label5, Label12, Setting::CapitalGain, "in_CapitalGain", "Label5",
         "Label12", Frame1, 960, 1215, 1920, 615, 2520},
        {in_SLMM, Label6, Label10, Setting::SLMM, "in_SLMM", "Label6", "Label10", Frame2, 240, 1695,
         1440, 975, 2400},
        {in_SLP, Label7, Label11, Setting::SLP, "in_SLP", "Label7", "Label11", Frame2, 600, 1095,
         1800, 615, 2400},
    };
    for (const Field &f : fields) {
        const SettingRow &row = settingRow(f.setting);
        f.title = addTwipsLabel(f.frame, f.titleName, QString::fromUtf8(row.label), 120, f.top,
                                f.titleWidth, 255);
        f.field = addField(f.setting, f.frame, f.name);
        placeTwips(f.field, f.left, f.top, f.width, 255);
        f.title->setBuddy(f.field);
        f.unit = addTwipsLabel(f.frame, f.unitName, QString::fromUtf8(row.unit), f.unitLeft, f.top,
                               255, 255);
        styleUnit(f.unit);
    }
}

// Below the five: one row per setting of the tariff's table, label, field and unit.
void frmParametriIniziali::buildTariffFields() {
    tariffFrame_ = new QGroupBox(QStringLiteral("Tariffa"), this);
    tariffFrame_->setObjectName(QStringLiteral("tariffFrame"));
    placeTwips(tariffFrame_, 120, 3240, 3780, 2055);
    int top = 300;
    for (const SettingRow &row : SettingRows) {
        if (qstrcmp(row.table, TariffTable) != 0)
            continue;
        const QByteArray name = QByteArray("in_") + row.column;
        InputNumerico *input = addField(row.setting, tariffFrame_, name.constData());
        placeTwips(input, 2400, top, 855, 255);
        QLabel *title =
            addTwipsLabel(tariffFrame_, "", QString::fromUtf8(row.label), 120, top, 2235, 255);
        title->setBuddy(input);
        styleUnit(
            addTwipsLabel(tariffFrame_, "", QString::fromUtf8(row.unit), 3360, top, 255, 255));
        top += 330;
    }
}

// A field for a settings row: its digits, its accessible name, and its row's rule on the text.
InputNumerico *frmParametriIniziali::addField(Setting setting, QWidget *parent, const char *name) {
    const SettingRow &row = settingRow(setting);
    auto *input = new InputNumerico(parent);
    input->setObjectName(QString::fromLatin1(name));
    input->setNumerointeri(row.integerDigits);
    input->setAccessibleName(QString::fromUtf8(row.label).simplified());
    input->setTextCheck([setting, input](const QString &text) {
        return settingTextProblem(setting, text, input->locale());
    });
    fields_[setting] = input;
    return input;
}

void frmParametriIniziali::Form_Load() {
    try {
        shown_ = readParameters(dbParametri, locale());
        for (const SettingRow &row : SettingRows)
            field(row.setting)->setValore(shown_[row.setting]);
    } catch (const DbError &error) {
        loadError_ = error;
    }
}

void frmParametriIniziali::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (loadError_) {
        // Empty fields must not be saved over what could not be read: report and close.
        QTimer::singleShot(0, this, [this] {
            showErrorReport(this, *loadError_,
                            QStringLiteral("Le impostazioni non si possono leggere: la "
                                           "finestra si chiude senza salvare."));
            done(Rejected);
        });
    }
}

void frmParametriIniziali::Command2_Click() {
    close();
}

void frmParametriIniziali::done(int result) {
    const Unload unload = Form_Unload();
    if (unload == Unload::Stay)
        return;
    QDialog::done(result);
    if (unload == Unload::Recalculate && recalculate_)
        recalculate_();
}

frmParametriIniziali::Unload frmParametriIniziali::Form_Unload() {
    if (loadError_)
        return Unload::Discard;
    // Nothing typed, nothing to judge: the save writes nothing then.
    if (fieldTexts() != shown_ && !fieldsAreUsable())
        return Unload::Stay;
    const SaveEnd end = saveSettings(dbParametri, shown_, fieldTexts(), locale(),
                                     [this](const SaveQuestion &question) {
                                         return question.kind == SaveQuestion::OtherSave
                                                    ? askAfterOtherSave(this, question.changes)
                                                    : askAfterRefusal(this, *question.error);
                                     });
    switch (end) {
    case SaveEnd::Recalculate:
        return Unload::Recalculate;
    case SaveEnd::Discard:
        return Unload::Discard;
    case SaveEnd::Stay:
        activateWindow();
        return Unload::Stay;
    }
    return Unload::Stay;
}

// Refuses what start-up would refuse: the rows' own rule, on the value each field holds.
bool frmParametriIniziali::fieldsAreUsable() {
    // Top to bottom, as the user reads the window; the first wrong field is named.
    for (const SettingRow &row : SettingRows) {
        InputNumerico *input = field(row.setting);
        const std::optional<double> value = textToNumber(input->Valore(), input->locale());
        const QString problem =
            value ? settingProblem(row.setting, *value, input->locale()) : QString();
        if (value && problem.isEmpty())
            continue;
        const QString name = input->accessibleName();
        QMessageBox::warning(
            this, windowTitle(),
            input->Valore().isEmpty()
                ? QStringLiteral("Il campo «%1» è vuoto: scrivi un valore prima di chiudere la "
                                 "finestra.")
                      .arg(name)
            : !value ? QStringLiteral("Il campo «%1» non contiene un numero: correggilo prima di "
                                      "chiudere la finestra.")
                           .arg(name)
                     : QStringLiteral("Il campo «%1» non è utilizzabile: %2. Correggilo prima di "
                                      "chiudere la finestra.")
                           .arg(name, problem));
        // The box has taken the activation; give it back so the focus really lands.
        activateWindow();
        input->setFocus();
        input->selectAll();
        return false;
    }
    return true;
}

ParameterTexts frmParametriIniziali::fieldTexts() const {
    ParameterTexts texts;
    for (const SettingRow &row : SettingRows)
        texts[row.setting] = field(row.setting)->Valore();
    return texts;
}

} // namespace margino

// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmparametriiniziali.h"

#include "core/numbertext.h"
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
enum class Answer { Save, CloseWithoutSaving, BackToWindow };

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

} // namespace

frmParametriIniziali::frmParametriIniziali(Database &db, std::function<void()> recalculate,
                                           QWidget *parent)
    : QDialog(parent), dbParametri(db), recalculate_(std::move(recalculate)) {
    setObjectName(QStringLiteral("frmParametriIniziali"));
    setWindowTitle(QStringLiteral("Parametri iniziali"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // Two lines below the frame hold a field's hint, clear of every control.
    setFixedSize(twipsToPixels(3420), twipsToPixels(3285 + HintTwips));
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
    hintLine = addTwipsLabel(this, "hintLine", QString(), 120, 3180, 3180, HintTwips);
    hintLine->setWordWrap(true);
    for (InputNumerico *field :
         {in_CommissioniPerc, in_CommMinime, in_CapitalGain, in_SLMM, in_SLP})
        field->setHintLabel(hintLine);

    // The commission rate comes last although it is the top field.
    setTabOrder(in_CommMinime, in_CapitalGain);
    setTabOrder(in_CapitalGain, in_SLMM);
    setTabOrder(in_SLMM, in_SLP);
    setTabOrder(in_SLP, Command2);
    setTabOrder(Command2, in_CommissioniPerc);
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

    const QString euro = QStringLiteral("\u20AC");
    Label14 = addTwipsLabel(Frame1, "Label14", QStringLiteral("Commissioni"), 120, 240, 1215, 255);
    // 1695 wide, not 1455: the substitute font needs 101 pixels; the field starts further on.
    Label15 =
        addTwipsLabel(Frame1, "Label15", QStringLiteral("Commissioni Minime"), 120, 600, 1695, 255);
    Label5 = addTwipsLabel(Frame1, "Label5", QStringLiteral("Capital Gain"), 120, 960, 1215, 255);
    Label6 = addTwipsLabel(Frame2, "Label6", QStringLiteral("M.M. stop loss"), 120, 240, 1695, 255);
    Label7 = addTwipsLabel(Frame2, "Label7", QStringLiteral("%  stop loss"), 120, 600, 1095, 255);

    struct Field {
        InputNumerico *&field;
        const char *name;
        QGroupBox *frame;
        int left, top, width, intDigits;
        QLabel *title;
    };
    const Field fields[] = {
        {in_CommissioniPerc, "in_CommissioniPerc", Frame1, 1920, 240, 615, 10, Label14},
        {in_CommMinime, "in_CommMinime", Frame1, 1920, 600, 615, 10, Label15},
        {in_CapitalGain, "in_CapitalGain", Frame1, 1920, 960, 615, 2, Label5},
        {in_SLMM, "in_SLMM", Frame2, 1440, 240, 975, 5, Label6},
        {in_SLP, "in_SLP", Frame2, 1800, 600, 615, 2, Label7},
    };
    for (const Field &f : fields) {
        f.field = new InputNumerico(f.frame);
        f.field->setObjectName(QString::fromLatin1(f.name));
        placeTwips(f.field, f.left, f.top, f.width, 255);
        f.field->setNumerointeri(f.intDigits);
        f.field->setAccessibleName(f.title->text().simplified());
        f.title->setBuddy(f.field);
    }

    // Unit labels: bold, in a single-line box beside their field.
    Label1 = addTwipsLabel(Frame1, "Label1", QStringLiteral("%"), 2520, 240, 255, 255);
    Label9 = addTwipsLabel(Frame1, "Label9", euro, 2520, 600, 255, 255);
    Label12 = addTwipsLabel(Frame1, "Label12", QStringLiteral("%"), 2520, 960, 255, 255);
    Label10 = addTwipsLabel(Frame2, "Label10", euro, 2400, 240, 255, 255);
    Label11 = addTwipsLabel(Frame2, "Label11", QStringLiteral("%"), 2400, 600, 255, 255);
    for (QLabel *unit : {Label1, Label9, Label12, Label10, Label11}) {
        unit->setFont(sansSerif(8.25, true));
        unit->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
}

void frmParametriIniziali::Form_Load() {
    try {
        shown_ = readParameters(dbParametri, locale());
        in_CapitalGain->setValore(shown_.capitalGain);
        in_SLMM->setValore(shown_.slmm);
        in_SLP->setValore(shown_.slp);
        in_CommMinime->setValore(shown_.commissioniMin);
        in_CommissioniPerc->setValore(shown_.commissioni);
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
    // Nothing typed, nothing written: writing what the window showed back would undo a save
    // another program made meanwhile.
    if (fieldTexts() == shown_)
        return Unload::Recalculate;
    if (!fieldsAreNumbers())
        return Unload::Stay;
    ParameterTexts expected = shown_;
    for (;;) {
        try {
            const std::optional<ParameterTexts> found =
                writeParameters(dbParametri, fieldTexts(), expected, locale());
            if (!found)
                return Unload::Recalculate;
            // Asked with no transaction open, so the other program is never kept waiting.
            switch (askAfterOtherSave(this, changedElsewhere(expected, *found))) {
            case Answer::Save:
                expected = *found;
                continue;
            case Answer::CloseWithoutSaving:
                return Unload::Recalculate;
            case Answer::BackToWindow:
                activateWindow();
                return Unload::Stay;
            }
        } catch (const DbError &error) {
            switch (askAfterRefusal(this, error)) {
            case Answer::Save:
                continue;
            case Answer::CloseWithoutSaving:
                return Unload::Discard;
            case Answer::BackToWindow:
                activateWindow();
                return Unload::Stay;
            }
        }
    }
}

QStringList frmParametriIniziali::changedElsewhere(const ParameterTexts &before,
                                                   const ParameterTexts &found) const {
    const std::pair<InputNumerico *, QString ParameterTexts::*> fields[] = {
        {in_CommissioniPerc, &ParameterTexts::commissioni},
        {in_CommMinime, &ParameterTexts::commissioniMin},
        {in_CapitalGain, &ParameterTexts::capitalGain},
        {in_SLMM, &ParameterTexts::slmm},
        {in_SLP, &ParameterTexts::slp}};
    QStringList lines;
    for (const auto &[field, value] : fields) {
        if (found.*value != before.*value)
            lines << QStringLiteral("%1: %2 nel file, %3 qui")
                         .arg(field->accessibleName(), found.*value, field->Valore());
    }
    return lines;
}

bool frmParametriIniziali::fieldsAreNumbers() {
    // Top to bottom, as the user reads the window; the first wrong field is named.
    for (InputNumerico *field :
         {in_CommissioniPerc, in_CommMinime, in_CapitalGain, in_SLMM, in_SLP}) {
        if (isNumeric(field->Valore(), field->locale()))
            continue;
        const QString name = field->accessibleName();
        QMessageBox::warning(
            this, windowTitle(),
            field->Valore().isEmpty()
                ? QStringLiteral("Il campo «%1» è vuoto: scrivi un valore prima di chiudere la "
                                 "finestra.")
                      .arg(name)
                : QStringLiteral("Il campo «%1» non contiene un numero: correggilo prima di "
                                 "chiudere la finestra.")
                      .arg(name));
        // The box has taken the activation; give it back so the focus really lands.
        activateWindow();
        field->setFocus();
        field->selectAll();
        return false;
    }
    return true;
}

ParameterTexts frmParametriIniziali::fieldTexts() const {
    return {in_CapitalGain->Valore(), in_SLMM->Valore(), in_SLP->Valore(), in_CommMinime->Valore(),
            in_CommissioniPerc->Valore()};
}

} // namespace margino

// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "ui/amountlabel.h"
#include "ui/artwork.h"
#include "ui/errorreport.h"
#include "ui/inputnumerico.h"
#include "ui/journalwindow.h"
#include "ui/picturepanel.h"
#include "ui/tradeplanwindow.h"
#include "ui/twips.h"

#include "core/numbertext.h"
#include "store/database.h"
#include "store/parameters.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QStatusBar>

#include <algorithm>
#include <vector>

namespace margino {

Form1::Form1(Database &db, QWidget *parent) : Form1(db, nullptr, parent) {}

Form1::Form1(Database &db, SessionState &session, QWidget *parent) : Form1(db, &session, parent) {}

Form1::Form1(Database &db, SessionState *session, QWidget *parent)
    : QMainWindow(parent), ownSession_(session ? nullptr : std::make_unique<SessionState>()),
      session_(session ? *session : *ownSession_), dbParametri(db) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Margino"));
    setWindowIcon(windowIcon32());
    setFont(sansSerif(8.25));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // Nothing moves when the window grows; it never shrinks over its controls.
    client->setMinimumSize(twipsToPixels(3960), twipsToPixels(5460));
    setCentralWidget(client);
    buildFrames(client);
    buildInputs();
    buildFigures();

    Picture1 = new QLabel(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    placeTwips(Picture1, 2760, 2880, 1095, 1695);
    Picture1->setPixmap(calculatorPicture());
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setAccessibleName(QStringLiteral("Calcolatrice"));

    cmd_Ok = new QPushButton(QStringLiteral("Esci"), client);
    cmd_Ok->setObjectName(QStringLiteral("cmd_Ok"));
    placeTwips(cmd_Ok, 2760, 4680, 1095, 375);
    // Enter on the focused button ends the program, as Space does.
    cmd_Ok->setAutoDefault(true);
    connect(cmd_Ok, &QPushButton::clicked, this, &Form1::cmd_Ok_Click);
    buildMenus();
    buildTaxSwitch(client);

    Form_Load();

    // "Esci" holds the focus when the window opens; Tab then reaches every figure and field, the
    // figures at the places their rows give.
    std::vector<std::pair<int, QWidget *>> tabOrder = {
        {0, cmd_Ok}, {7, in_VndPzo}, {8, in_AcqPzo}, {9, in_Qta}, {12, transactionTax_}};
    for (const FigureRow &row : FigureRows)
        tabOrder.emplace_back(row.tab, figures_[std::size_t(row.figure)]);
    std::sort(tabOrder.begin(), tabOrder.end());
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    cmd_Ok->setFocus();

    // The kept trade goes in before the fields are heard: one run below computes it.
    restoreTrade();
    connect(in_Qta, &InputNumerico::Change, this, &Form1::in_Qta_Change);
    connect(in_AcqPzo, &InputNumerico::Change, this, &Form1::in_AcqPzo_Change);
    connect(in_VndPzo, &InputNumerico::Change, this, &Form1::in_VndPzo_Change);

    // Hints about how a field's text was read stay here, clear of every control, until
    // that text changes.
    hintLine = new QLabel(this);
    hintLine->setObjectName(QStringLiteral("hintLine"));
    statusBar()->addWidget(hintLine, 1);
    statusBar()->setSizeGripEnabled(false);
    for (InputNumerico *field : {in_Qta, in_AcqPzo, in_VndPzo})
        field->setHintLabel(hintLine);

    resize(client->minimumSize() +
           QSize(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height()));
    // The tax switch as the user left it, unheard too: the one run below computes with it.
    {
        const QSignalBlocker quiet(transactionTax_);
        setTransactionTaxApplies(session_.transactionTax());
    }
    connect(this, &Form1::transactionTaxToggled, this,
            [this](bool applies) { session_.setTransactionTax(applies); });
    // One run at start reads the settings, so the copied block names them before any input;
    // another program's change to them is shown at once, not at the next key.
    in_Qta_Change();
    dbParametri.notifyChanges([this] { in_Qta_Change(); });
    restoreWindowPosition();
    // Keys for the whole program (Ctrl+Q, from any window) and for this window's own.
    qApp->installEventFilter(this);
}

void Form1::buildFrames(QWidget *client) {
    Frame8 = new QGroupBox(client);
    Frame8->setObjectName(QStringLiteral("Frame8"));
    placeTwips(Frame8, 0, 0, 3855, 1455);
    Frame6 = new QGroupBox(client);
    Frame6->setObjectName(QStringLiteral("Frame6"));
    placeTwips(Frame6, 0, 1320, 3855, 1455);
    Frame9 = new QGroupBox(client);
    Frame9->setObjectName(QStringLiteral("Frame9"));
    placeTwips(Frame9, 0, 2760, 2655, 2175);
}

void Form1::buildInputs() {
    Frame9->setFont(sansSerif(8.25, true));
    const QFont fieldFont = sansSerif(8.25);
    // A line edit lays out its empty text in the application's font before it takes its own.
    // With the fields' font standing in while they are built, the first frame loads only the
    // faces it shows: a face not shown costs about a twentieth of the start.
    const QFont applicationFont = QGuiApplication::font();
    QGuiApplication::setFont(fieldFont);
    const auto restore = qScopeGuard([&] { QGuiApplication::setFont(applicationFont); });
    Label44 = addTwipsLabel(Frame9, "Label44", QStringLiteral("Quantita'"), 120, 240, 735, 255);
    Label45 =
        addTwipsLabel(Frame9, "Label45", QStringLiteral("Prezzo acquisto"), 120, 840, 1215, 255);
    Label2 = addTwipsLabel(Frame9, "Label2", QStringLiteral("Prezzo vedita"), 120, 1440, 1095, 255);

    struct Field {
        InputNumerico *&field;
        const char *name;
        int top, intDigits, decDigits;
        const char *tip;
        QLabel *title;
    };
    const Field fields[] = {
        {in_Qta, "in_Qta", 480, 9, 0, "Qiuantita' acquistata", Label44},
        {in_AcqPzo, "in_AcqPzo", 1080, 5, 4, "Prezzo di acquisto", Label45},
        {in_VndPzo, "in_VndPzo", 1680, 5, 4, "Prezzo di vendita", Label2},
    };
    for (const Field &f : fields) {
        f.field = new InputNumerico(Frame9);
        f.field->setObjectName(QString::fromLatin1(f.name));
        placeTwips(f.field, 120, f.top, 1095, 315);
        f.field->setFont(fieldFont);
        f.field->setNumerointeri(f.intDigits);
        f.field->setNumerodecimali(f.decDigits);
        f.field->setToolTip(QString::fromLatin1(f.tip));
        f.field->setAccessibleName(f.title->text());
        f.title->setBuddy(f.field);
    }
}

// One widget per figure row, in its group box at its place, with its title.
void Form1::buildFigures() {
    for (const FigureRow &row : FigureRows) {
        auto *frame = centralWidget()->findChild<QGroupBox *>(QString::fromLatin1(row.place.frame));
        QFrame *figure = nullptr;
        if (row.shown == FigureShown::Panel) {
            auto *panel = new PicturePanel(frame);
            // A 2-pixel sunken border leaves the 21-pixel-high drawing area the LCD cells are
            // cut for.
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setLineWidth(2);
            figure = panel;
        } else {
            figure = new AmountLabel(sansSerif(9.75, true), frame);
        }
        figure->setObjectName(QString::fromLatin1(row.widget));
        placeTwips(figure, row.place.left, row.place.top, row.place.width, row.place.height);
        figures_[std::size_t(row.figure)] = figure;
        const FigureTitle &title = row.title;
        QLabel *label = addTwipsLabel(frame, title.name, QString::fromUtf8(title.text), title.left,
                                      title.top, title.width, 255);
        if (title.centred)
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
}

// Under the fields and "Esci", across the window. Off in a new settings file's first run.
void Form1::buildTaxSwitch(QWidget *client) {
    transactionTax_ = new QCheckBox(client);
    transactionTax_->setObjectName(QStringLiteral("transactionTax"));
    placeTwips(transactionTax_, 120, 5100, 3735, 300);
    connect(transactionTax_, &QCheckBox::toggled, this, &Form1::transactionTax_Toggled);
    std::optional<double> rate;
    try {
        const ReadTransaction read(dbParametri);
        rate = readTariff(dbParametri).transactionTax;
    } catch (const RuntimeError &) {
        // The first recalculation reads it again and reports what is wrong.
    }
    showTaxRate(rate);
}

void Form1::showTaxRate(std::optional<double> ratePercent) {
    // Every key passes here: the label is rebuilt only when the rate or the locale changed.
    const std::pair shown{ratePercent, locale()};
    if (shownTaxRate_ == shown)
        return;
    shownTaxRate_ = shown;
    const QString name = QStringLiteral("Imposta sulle transazioni");
    const QString text =
        ratePercent ? QStringLiteral("%1 (%2 %)").arg(name, numberToText(*ratePercent, locale()))
                    : name;
    transactionTax_->setText(u'&' + text);
    transactionTax_->setAccessibleName(text);
}

bool Form1::transactionTaxApplies() const {
    return transactionTax_->isChecked();
}

void Form1::setTransactionTaxApplies(bool applies) {
    transactionTax_->setChecked(applies);
}

void Form1::transactionTax_Toggled(bool applies) {
    in_AcqPzo_Change();
    emit transactionTaxToggled(applies);
}

// Binds each panel's LCD and blanks it, so every panel starts as a row of unlit cells. Errors
// reach the caller: a window that cannot draw its panels is never shown.
void Form1::Form_Load() {
    results = std::make_unique<ResultsDisplay>(figures_, copyAllAction);
}

Form1::~Form1() {
    dbParametri.notifyChanges({}); // the file may outlive this window
    delete journalWindow_;
}

void Form1::in_Qta_Change() {
    in_AcqPzo_Change();
}

void Form1::in_AcqPzo_Change() {
    recalculate(&TradeCalculator::purchaseSide);
}

void Form1::in_VndPzo_Change() {
    recalculate(&TradeCalculator::saleSide);
}

// The results are a function of the three fields and the settings: the texts go in, the
// filled texts come out. A failure blanks its side and is reported once, not at every key.
void Form1::recalculate(Side side) {
    TradeTexts texts = results->shown();
    texts.quantity = in_Qta->Valore();
    texts.price = in_AcqPzo->Valore();
    texts.sale = in_VndPzo->Valore();
    texts.transactionTax = transactionTax_->isChecked();
    const std::optional<RuntimeError> failure = (calculator.*side)(texts, locale());
    results->show(texts, locale());
    if (const std::optional<double> rate = texts.figures.settings[Setting::TransactionTax])
        showTaxRate(rate);
    if (const std::optional<RuntimeError> report = failures.admit(failure))
        showErrorReport(this, *report);
}

void Form1::copyAllResults() {
    QGuiApplication::clipboard()->setText(allResults(results->shown(), locale()));
}

void Form1::cmd_Ok_Click() {
    close();
}

} // namespace margino

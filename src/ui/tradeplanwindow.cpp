// SPDX-License-Identifier: GPL-3.0-or-later
#include "tradeplanwindow.h"

#include "calc/gaincurve.h"
#include "calc/planexplanations.h"
#include "calc/tradecalculator.h"
#include "core/numbertext.h"
#include "store/database.h"
#include "store/parameters.h"
#include "store/statements.h"
#include "ui/figureactions.h"
#include "ui/gainchart.h"
#include "ui/inputnumerico.h"
#include "ui/planfigure.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace margino {

namespace {

// The tariff and the taxes, read afresh as the main window reads them at each key; the
// transaction tax as the main window's switch says.
Costs readCosts(Database &db, bool taxApplies) {
    const ReadTransaction read(db);
    const SystemValues system = readSystem(db, statements::SelectSystemForCalc);
    return costsFrom(system, readTariff(db), readSettaggi(db).capitalGain, taxApplies);
}

} // namespace

TradePlanWindow::TradePlanWindow(Database &db, QWidget *parent) : QDialog(parent), db_(db) {
    setObjectName(QStringLiteral("TradePlanWindow"));
    setWindowTitle(QStringLiteral("Pianifica operazione"));
    auto *inputs = new QFormLayout;
    price_ = addField(QStringLiteral("Prezzo di &acquisto"), "price", 5, 4);
    stop_ = addField(QStringLiteral("Prezzo di &stop"), "stop", 5, 4);
    budget_ = addField(QStringLiteral("Perdita &massima"), "budget", 7, 2);
    capital_ = addField(QStringLiteral("&Capitale"), "capital", 9, 2);
    capital_->setPlaceholderText(QStringLiteral("facoltativo"));
    target_ = addField(QStringLiteral("&Obiettivo"), "target", 9, 4);
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("kind"));
    kind_->addItems({QStringLiteral("Prezzo di vendita"), QStringLiteral("Guadagno netto in euro"),
                     QStringLiteral("Guadagno netto in %")});
    kind_->setCurrentIndex(int(TargetKind::GainEuro));
    kind_->setAccessibleName(QStringLiteral("Tipo di obiettivo"));
    afterTax_ = new QCheckBox(QStringLiteral("Dopo le &imposte"), this);
    afterTax_->setObjectName(QStringLiteral("afterTax"));
    current_ = new QCheckBox(QStringLiteral("Usa la quantità attua&le"), this);
    current_->setObjectName(QStringLiteral("current"));
    for (InputNumerico *field : {price_, stop_, budget_, capital_, target_}) {
        auto *title = new QLabel(field->property("label").toString(), this);
        title->setBuddy(field);
        inputs->addRow(title, field);
    }
    auto *kindTitle = new QLabel(QStringLiteral("&Tipo di obiettivo"), this);
    kindTitle->setBuddy(kind_);
    inputs->addRow(kindTitle, kind_);
    inputs->addRow(afterTax_);
    inputs->addRow(current_);

    auto *copyAll = new QAction(QStringLiteral("Copia tutte le risposte"), this);
    connect(copyAll, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(allAnswers(plan_, locale())); });
    auto *answers = new QGridLayout;
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("−999.999.999,99 €")) + 12;
    const QSize figureSize(width, fontMetrics().height() + 8);
    for (int i = 0; i < AnswerCount; ++i) {
        figures_[i] = new PlanFigure(
            figureSize, false, copyAll,
            [this, i] { return answerExplanation(Answer(i), plan_, costs_, locale()); }, this);
        figures_[i]->setObjectName(QStringLiteral("answer%1").arg(i));
        figures_[i]->actions()->setSpoken(
            [this, i] { return spokenAnswer(Answer(i), plan_, locale()); });
        answers->addWidget(new QLabel(answerLabel(Answer(i)), this), i, 0);
        answers->addWidget(figures_[i], i, 1);
    }
    message_ = new PlanFigure(
        QSize(figureSize.width() * 2, fontMetrics().height() * 3 + 4), true, copyAll,
        [] { return QString(); }, this);
    message_->setObjectName(QStringLiteral("message"));
    answers->addWidget(message_, AnswerCount, 0, 1, 2);

    QString problem;
    chart_ = makeGainChart(this, problem);
    QWidget *chartArea =
        chart_ ? chart_->widget()
               : new QLabel(QStringLiteral("Il grafico non è disponibile: %1").arg(problem), this);
    chartArea->setMinimumSize(440, 300);
    points_ = new QTableWidget(0, 4, this);
    points_->setObjectName(QStringLiteral("points"));
    points_->setAccessibleName(QStringLiteral("Punti del grafico"));
    points_->setHorizontalHeaderLabels({QStringLiteral("Punto"), QStringLiteral("Prezzo"),
                                        QStringLiteral("Guadagno netto"),
                                        QStringLiteral("Dopo le imposte")});
    points_->verticalHeader()->hide();
    points_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    points_->setWordWrap(false);
    points_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    points_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    points_->setFixedHeight((fontMetrics().height() + 6) * 8 + 4); // the header and 7 rows

    auto *buttons = new QDialogButtonBox(this);
    useQuantity_ =
        buttons->addButton(QStringLiteral("Usa la &quantità"), QDialogButtonBox::ActionRole);
    useTarget_ = buttons->addButton(QStringLiteral("Usa il prezzo o&biettivo"),
                                    QDialogButtonBox::ActionRole);
    useBoth_ =
        buttons->addButton(QStringLiteral("Usa &entrambi e chiudi"), QDialogButtonBox::AcceptRole);
    useBoth_->setDefault(true);
    buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    useQuantity_->setObjectName(QStringLiteral("useQuantity"));
    useTarget_->setObjectName(QStringLiteral("useTarget"));
    useBoth_->setObjectName(QStringLiteral("useBoth"));
    const auto quantity = [this] {
        if (plan_.quantity > 0 && !plan_.ownQuantity)
            emit useQuantity(QString::number(plan_.quantity));
    };
    const auto target = [this] {
        if (plan_.hasTarget)
            emit useSalePrice(numberToText(plan_.target, locale()));
    };
    connect(useQuantity_, &QPushButton::clicked, this, quantity);
    connect(useTarget_, &QPushButton::clicked, this, target);
    connect(buttons, &QDialogButtonBox::accepted, this, [this, quantity, target] {
        quantity();
        target();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *left = new QVBoxLayout;
    left->addLayout(inputs);
    left->addLayout(answers);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(chartArea, 1);
    right->addWidget(points_);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(buttons);

    chartPause_ = new QTimer(this);
    chartPause_->setObjectName(QStringLiteral("chartPause"));
    chartPause_->setSingleShot(true);
    chartPause_->setInterval(300);
    connect(chartPause_, &QTimer::timeout, this, &TradePlanWindow::showCurve);
    for (InputNumerico *field : {price_, stop_, budget_, capital_, target_})
        connect(field, &QLineEdit::editingFinished, this, [this] {
            if (chartPause_->isActive()) {
                chartPause_->stop();
                showCurve();
            }
        });
    connect(price_, &InputNumerico::Change, this, &TradePlanWindow::priceChanged);
    connect(stop_, &InputNumerico::Change, this, [this] {
        stopTyped_ = stopTyped_ || !settingStop_;
        recompute();
    });
    for (InputNumerico *field : {budget_, capital_, target_})
        connect(field, &InputNumerico::Change, this, &TradePlanWindow::recompute);
    // A choice is no typing: the chart follows at once.
    const auto chosen = [this] {
        recompute();
        chartPause_->stop();
        showCurve();
    };
    connect(kind_, &QComboBox::currentIndexChanged, this, chosen);
    connect(afterTax_, &QCheckBox::toggled, this, chosen);
    connect(current_, &QCheckBox::toggled, this, chosen);
}

InputNumerico *TradePlanWindow::addField(const QString &label, const char *name, int intDigits,
                                         int decDigits) {
    auto *field = new InputNumerico(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setNumerointeri(intDigits);
    field->setNumerodecimali(decDigits);
    field->setAccessibleName(QString(label).remove(u'&'));
    field->setProperty("label", label);
    // As narrow as the main window's fields: a wider one costs more to repaint at each key.
    field->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("999999999,9999")) + 12);
    return field;
}

void TradePlanWindow::start(const TradeTexts &trade) {
    const QLocale l = locale();
    QString budget;
    try {
        const ReadTransaction read(db_);
        const SettaggiValues settaggi = readSettaggi(db_);
        slp_ = settaggi.slp;
        budget = numberToText(settaggi.slmm, l);
    } catch (const RuntimeError &) {
        // Left empty: the user types them, and the costs' read says what is wrong.
    }
    const std::optional<double> quantity = textToNumber(trade.quantity, l);
    mainQuantity_ =
        quantity && *quantity >= 1 ? std::optional<qint64>(qint64(*quantity)) : std::nullopt;
    current_->setEnabled(mainQuantity_.has_value());
    current_->setText(mainQuantity_
                          ? QStringLiteral("Usa la quantità attua&le (%1)").arg(*mainQuantity_)
                          : QStringLiteral("Usa la quantità attua&le"));
    if (!mainQuantity_)
        current_->setChecked(false);
    mainSale_ = textToNumber(trade.sale, l);
    taxApplies_ = trade.transactionTax;
    stopTyped_ = false;
    const QSignalBlocker quiet(budget_);
    budget_->setValore(budget);
    const double price = textToNumber(trade.price, l).value_or(0);
    price_->setValore(price > 0 ? trade.price : QString()); // sets the stop and recomputes
    chartPause_->stop();
    showCurve();
    price_->setFocus();
}

// The stop follows the price until the user types one.
void TradePlanWindow::priceChanged() {
    if (!stopTyped_) {
        settingStop_ = true;
        stop_->setValore(percentStop(price_->Valore(), slp_, locale()));
        settingStop_ = false;
    }
    recompute();
}

void TradePlanWindow::recompute() {
    const QLocale l = locale();
    PlanInputs in{price_->Valore(),       stop_->Valore(),
                  budget_->Valore(),      capital_->Valore(),
                  target_->Valore(),      TargetKind(kind_->currentIndex()),
                  afterTax_->isChecked(), current_->isChecked() ? mainQuantity_ : std::nullopt};
    try {
        costs_ = readCosts(db_, taxApplies_);
        plan_ = planTrade(in, costs_, l);
    } catch (const RuntimeError &error) {
        plan_ = {};
        plan_.refusal = QStringLiteral("I costi non si possono leggere: %1 (errore %2)")
                            .arg(error.summary().isEmpty() ? error.description() : error.summary())
                            .arg(error.number());
    }
    // Explanations are built when a tooltip or a screen reader asks; a key pays only for the
    // answers whose text it changes.
    for (int i = 0; i < AnswerCount; ++i) {
        if (figures_[i]->setText(answerText(Answer(i), plan_, l)))
            figures_[i]->actions()->spokenChanged();
        figures_[i]->actions()->explanationChanged();
    }
    message_->setText(plan_.refusal);
    useQuantity_->setEnabled(plan_.quantity > 0 && !plan_.ownQuantity);
    useTarget_->setEnabled(plan_.hasTarget);
    useBoth_->setEnabled(useQuantity_->isEnabled() || plan_.hasTarget);
    // The chart and its table cost ten keys' worth: they follow once typing pauses or the
    // field is left, not at every key.
    chartPause_->start();
}

void TradePlanWindow::showCurve() {
    const QLocale l = locale();
    const GainCurve curve = gainCurve(plan_, costs_, mainSale_);
    const Costs costs = costs_;
    const qint64 quantity = plan_.quantity;
    const double price = plan_.price;
    if (chart_)
        chart_->setCurve(curve, [costs, quantity, price, l](double sale) {
            return QStringLiteral("A %1: guadagno netto %2, dopo le imposte %3")
                .arg(numberToText(roundTo(sale, 4), l),
                     moneyText(gainAt(costs, quantity, price, sale, false), l),
                     moneyText(gainAt(costs, quantity, price, sale, true), l));
        });
    points_->setRowCount(int(curve.marks.size()));
    for (int row = 0; row < curve.marks.size(); ++row) {
        const CurveMark &m = curve.marks[row];
        const QString cells[] = {markName(m.kind), numberToText(roundTo(m.price, 4), l),
                                 moneyText(m.gain, l), moneyText(m.afterTax, l)};
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem *item = points_->item(row, column);
            if (!item)
                points_->setItem(row, column, item = new QTableWidgetItem);
            if (item->text() != cells[column])
                item->setText(cells[column]);
        }
    }
}

} // namespace margino

// SPDX-License-Identifier: GPL-3.0-or-later
#include "sessionstate.h"

#include "core/numbertext.h"
#include "store/settingslocation.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace margino {

namespace {

const QString QuantityKey = QStringLiteral("trade/quantity");
const QString PriceKey = QStringLiteral("trade/price");
const QString SaleKey = QStringLiteral("trade/sale");
const QString PositionKey = QStringLiteral("window/position");
const QString TaxKey = QStringLiteral("costs/transactionTax");

// A field text in the neutral form and back; the fields hold ASCII digits and one separator.
QString neutral(QString text, const QLocale &locale) {
    return text.replace(decimalSeparator(locale), u'.');
}
QString local(QString text, const QLocale &locale) {
    return text.replace(u'.', decimalSeparator(locale));
}

} // namespace

SessionState::SessionState(const QString &file) : file_(file) {
    if (file_.isEmpty())
        return;
    settings_ = std::make_unique<QSettings>(file_, QSettings::IniFormat);
    trade_ = {settings_->value(QuantityKey).toString(), settings_->value(PriceKey).toString(),
              settings_->value(SaleKey).toString()};
    const QVariant position = settings_->value(PositionKey);
    if (position.typeId() == QMetaType::QPoint) // a hand-edited text is no position
        position_ = position.toPoint();
    // Anything but a plain "true" leaves the switch off.
    transactionTax_ = settings_->value(TaxKey).toString() == QLatin1String("true");
}

SessionState::~SessionState() {
    save();
}

QString SessionState::fileFor(const QString &programFolder, const QString &settingsFile) {
    const QString settingsFolder = QFileInfo(settingsFile).absolutePath();
    if (QDir(settingsFolder) == QDir(programFolder))
        return QDir(programFolder).filePath(QStringLiteral("Margino.ini"));
    return userSettingsFolder() + QStringLiteral("/Margino.conf");
}

SessionState::Trade SessionState::trade(const QLocale &locale) const {
    return {local(trade_.quantity, locale), local(trade_.price, locale),
            local(trade_.sale, locale)};
}

void SessionState::setTrade(const Trade &trade, const QLocale &locale) {
    trade_ = {neutral(trade.quantity, locale), neutral(trade.price, locale),
              neutral(trade.sale, locale)};
    if (!settings_)
        return;
    settings_->setValue(QuantityKey, trade_.quantity);
    settings_->setValue(PriceKey, trade_.price);
    settings_->setValue(SaleKey, trade_.sale);
}

void SessionState::setWindowPosition(QPoint position) {
    position_ = position;
    if (settings_)
        settings_->setValue(PositionKey, position);
}

void SessionState::setTransactionTax(bool on) {
    transactionTax_ = on;
    if (settings_)
        settings_->setValue(TaxKey, on);
}

bool SessionState::save() {
    if (!settings_)
        return true;
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace margino

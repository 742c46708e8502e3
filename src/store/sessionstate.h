// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps what the user left between starts: the last trade's three field texts, the main
// window's position and the transaction-tax switch. Whether a kept text fits a field is the
// field's to judge; where the window may stand, the window's.

#include <QLocale>
#include <QPoint>
#include <QString>
#include <memory>
#include <optional>

class QSettings;

namespace margino {

class SessionState {
public:
    // The three field texts as the user's locale writes them.
    struct Trade {
        QString quantity, price, sale;
        bool operator==(const Trade &) const = default;
    };

    // file: the INI file the state lives in; empty keeps it for this run only.
    explicit SessionState(const QString &file = {});
    ~SessionState(); // writes what was set
    SessionState(const SessionState &) = delete;
    SessionState &operator=(const SessionState &) = delete;

    // Beside the program when the settings file is there (a portable folder keeps its own),
    // else in the user's configuration folder, $XDG_CONFIG_HOME/Margino.
    static QString fileFor(const QString &programFolder, const QString &settingsFile);
    QString file() const { return file_; }

    // Texts are kept with "." as the decimal separator, so a change of locale between starts
    // reads them as the same numbers.
    Trade trade(const QLocale &locale) const;
    void setTrade(const Trade &trade, const QLocale &locale);

    // The window frame's top-left corner; nothing before the first close.
    std::optional<QPoint> windowPosition() const { return position_; }
    void setWindowPosition(QPoint position);

    // Off until the user turns it on.
    bool transactionTax() const { return transactionTax_; }
    void setTransactionTax(bool on);

    // Writes the file now; false when it cannot be written (the state then lasts this run).
    bool save();

private:
    QString file_;
    std::unique_ptr<QSettings> settings_;
    Trade trade_; // with "." as the separator
    std::optional<QPoint> position_;
    bool transactionTax_ = false;
};

} // namespace margino

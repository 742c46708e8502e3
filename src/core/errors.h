// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every error number the program reports, and the failure that carries one: a number, its
// description and an Italian summary. Who catches it, and whether the program goes on, is up to
// callers.

#include <QString>
#include <stdexcept>

namespace margino {

// The program's own numbers follow those of the desktop database and run-time engines users of
// such programs know from their messages. The SQLite engine's result codes (1 error, 5 busy,
// 8 read-only, 14 cannot open, 26 not a database, ...) pass through as they are.
namespace err {
inline constexpr int Overflow = 6;           // a result or a coordinate out of range
inline constexpr int TypeMismatch = 13;      // a text or value that is not a number
inline constexpr int FileNotFound = 53;      // no settings file anywhere
inline constexpr int PathFileAccess = 75;    // the user's copy of the settings cannot be made
inline constexpr int ObjectNotSet = 91;      // an LCD drawn on before it is bound to a box
inline constexpr int InvalidUseOfNull = 94;  // a setting that holds no value
inline constexpr int InvalidValue = 380;     // a setting that is negative
inline constexpr int NoCurrentRecord = 3021; // a settings table without a row
inline constexpr int ItemNotFound = 3265;    // a settings table without the field
} // namespace err

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString &description, const QString &summary = {})
        : std::runtime_error(description.toStdString()), number_(number), description_(description),
          summary_(summary) {}
    int number() const { return number_; }
    QString description() const { return description_; }
    // What went wrong as one plain Italian sentence, where the cause is a common one; empty
    // otherwise. Reports lead with it and keep the number and description as the detail.
    QString summary() const { return summary_; }

private:
    int number_;
    QString description_;
    QString summary_;
};

// The Italian sentence for a cause the system names by its error number (errno), where it is a
// common one the user can act on (a full disk, missing permissions); empty otherwise.
QString systemCause(int errnum);

[[noreturn]] inline void raiseOverflow() {
    throw RuntimeError(err::Overflow, QStringLiteral("Overflow"));
}

[[noreturn]] inline void raiseTypeMismatch() {
    throw RuntimeError(err::TypeMismatch, QStringLiteral("Tipo non corrispondente"));
}

} // namespace margino

#pragma once
// A failure that ends the current handler: an error number and its description, as the
// run-time error report shows them. Who catches it, and whether the program goes on, is up to
// callers.

#include <QString>
#include <stdexcept>

namespace margino {

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

inline constexpr int ErrOverflow = 6;

[[noreturn]] inline void raiseOverflow() {
    throw RuntimeError(ErrOverflow, QStringLiteral("Overflow"));
}

} // namespace margino

#pragma once
// The numeric input field: digits and one locale decimal separator, within its limits of
// integer and decimal digits. It only edits text; what the number means is its caller's.

#include <QLineEdit>

namespace margino {

// The texts a field with these limits may hold: empty, or digits with at most one separator,
// at most intDigits before it and decDigits after it (none when decDigits is 0).
bool fitsNumericField(QStringView text, int intDigits, int decDigits, QChar separator);

class InputNumerico : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString Valore READ Valore WRITE setValore NOTIFY Change)
    Q_PROPERTY(int numerointeri READ numerointeri WRITE setNumerointeri)
    Q_PROPERTY(int numerodecimali READ numerodecimali WRITE setNumerodecimali)

public:
    // Settings fields leave the decimal limit unset; four digits take any plausible rate.
    static constexpr int DefaultDecimals = 4;

    explicit InputNumerico(QWidget *parent = nullptr);

    QString Valore() const { return text(); }
    // Like typing, setting the value from code raises Change when the text differs. The limits
    // guard what the user types; a value set from code is shown as it is, so nothing stored
    // is hidden from the user.
    void setValore(const QString &value) { setText(value); }

    int numerointeri() const { return intDigits_; }
    void setNumerointeri(int digits) { intDigits_ = qMax(0, digits); }
    int numerodecimali() const { return decDigits_; }
    void setNumerodecimali(int digits) { decDigits_ = qMax(0, digits); }

    QChar decimalSeparator() const;

signals:
    // Raised at every change of the content, whoever made it.
    void Change();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int intDigits_ = 9;
    int decDigits_ = DefaultDecimals;
};

} // namespace margino

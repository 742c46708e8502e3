#include "inputnumerico.h"

#include "core/numbertext.h"

#include <QKeyEvent>
#include <QValidator>

namespace margino {

bool fitsNumericField(QStringView text, int intDigits, int decDigits, QChar separator) {
    int before = 0, after = 0;
    bool seenSeparator = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            ++(seenSeparator ? after : before);
        else if (c == separator && !seenSeparator && decDigits > 0)
            seenSeparator = true;
        else
            return false;
    }
    return before <= intDigits && after <= decDigits;
}

namespace {

// Every edit, typed, pasted or dropped, passes here whole: a text that does not fit is
// refused and the field keeps what it had.
class FieldValidator : public QValidator {
public:
    explicit FieldValidator(InputNumerico *field) : QValidator(field), field_(field) {}
    State validate(QString &input, int &) const override {
        return fitsNumericField(input, field_->numerointeri(), field_->numerodecimali(),
                                field_->decimalSeparator())
                   ? Acceptable
                   : Invalid;
    }

private:
    InputNumerico *field_;
};

} // namespace

InputNumerico::InputNumerico(QWidget *parent) : QLineEdit(parent) {
    setValidator(new FieldValidator(this));
    connect(this, &QLineEdit::textChanged, this, &InputNumerico::Change);
}

QChar InputNumerico::decimalSeparator() const {
    return margino::decimalSeparator(locale());
}

void InputNumerico::keyPressEvent(QKeyEvent *event) {
    // The comma, the point and the keypad's decimal key all type the locale's separator.
    const QString typed = event->text();
    const bool keypadDecimal = (event->modifiers() & Qt::KeypadModifier) &&
                               (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
    if (typed == u"," || typed == u"." || keypadDecimal) {
        QKeyEvent mapped(event->type(), event->key(), event->modifiers(),
                         QString(decimalSeparator()), event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&mapped);
        event->setAccepted(mapped.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace margino

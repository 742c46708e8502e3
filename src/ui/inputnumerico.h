// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numeric input field: digits and one locale decimal separator, within its limits of
// integer and decimal digits; it reads pastes as numbers and says why it refuses a key. Its
// rules are in core/fieldtext.h; what the number means is its caller's.

#include <QLineEdit>
#include <functional>

class QLabel;

namespace margino {

// A character typed without Ctrl, Alt or Meta: never an editing command, so the platform's key
// bindings, dear to ask at every key, are asked only about the other keys.
bool isPlainTyping(const QKeyEvent *event);

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
    // Like typing, setting the value from code raises Change when the text differs. A value
    // set from code is shown as it is, beyond the limits too, so nothing stored is hidden; the
    // user may delete from it, but no edit adds what the limits refuse.
    void setValore(const QString &value);

    int numerointeri() const { return intDigits_; }
    void setNumerointeri(int digits) { intDigits_ = qMax(0, digits); }
    int numerodecimali() const { return decDigits_; }
    void setNumerodecimali(int digits) { decDigits_ = qMax(0, digits); }

    QChar decimalSeparator() const;

    // A rule on the whole text, judged at every edit (deletions from a value set from code
    // too): the hint why the text may not stand, or empty. Settings fields take their row's.
    void setTextCheck(std::function<QString(const QString &)> check) {
        textCheck_ = std::move(check);
    }

    // True when the field's limits let it hold the text as typed.
    bool holds(const QString &text) const { return refusal(text).isEmpty(); }

    // Where hints show: a label the window keeps clear of other controls, holding the hint
    // until the field's text changes. Without one, a tooltip below the field shows it.
    void setHintLabel(QLabel *label);

signals:
    // Raised at every change of the content, whoever made it.
    void Change();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    friend class FieldValidator;
    bool accepts(const QString &text);
    QString refusal(QStringView text) const;
    void pasteNumber(const QString &text);
    void showHint(const QString &hint);
    bool typeMark(QKeyEvent *event, QChar typed);
    void typeSeparator(QKeyEvent *event);

    int intDigits_ = 9;
    int decDigits_ = DefaultDecimals;
    QString before_;         // the text as it was before the edit being judged
    QString refusal_;        // why the last edit was refused
    bool unchecked_ = false; // a value from code or from the undo history is shown as it is
    std::function<QString(const QString &)> textCheck_;
    // The text up to the separator a typed grouping key gave, while it may yet turn out to
    // have grouped thousands; and the text once a grouping key did group them. Each holds
    // while the text only grows from it.
    QString provisional_, grouped_;
    QLabel *hintLabel_ = nullptr;
    QString shownHint_; // this field's hint on the label
};

} // namespace margino

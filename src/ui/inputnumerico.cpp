// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputnumerico.h"

#include "core/fieldtext.h"
#include "core/numbertext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QToolTip>
#include <QValidator>

namespace margino {

// Every edit, typed, pasted or dropped, passes here whole: a text the field refuses is
// undone and the field keeps what it had.
class FieldValidator : public QValidator {
public:
    explicit FieldValidator(InputNumerico *field) : QValidator(field), field_(field) {}
    State validate(QString &input, int &) const override {
        return field_->accepts(input) ? Acceptable : Invalid;
    }

private:
    InputNumerico *field_;
};

InputNumerico::InputNumerico(QWidget *parent) : QLineEdit(parent) {
    setValidator(new FieldValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        before_ = text;
        emit Change();
    });
    connect(this, &QLineEdit::inputRejected, this, [this] { showHint(refusal_); });
    // Opaque: a key repaints the field alone, not the frame around it as well.
    setAutoFillBackground(true);
}

QChar InputNumerico::decimalSeparator() const {
    return margino::decimalSeparator(locale());
}

QString InputNumerico::refusal(QStringView text) const {
    return fieldRefusal(text, intDigits_, decDigits_, decimalSeparator());
}

bool InputNumerico::accepts(const QString &text) {
    // A refused edit leaves the validator's verdict on the text standing; refusing a value from
    // code or from the undo history would thus let the next edit through unjudged.
    if (unchecked_ || text == before_)
        return true;
    refusal_ = refusal(text);
    // From a text beyond the limits, set from code or kept when they narrowed, one may delete.
    if (!refusal_.isEmpty() && (refusal(before_).isEmpty() || !removesOnly(before_, text)))
        return false;
    // The whole text's own rule holds for every edit, deletions included.
    if (const QString hint = textCheck_ ? textCheck_(text) : QString(); !hint.isEmpty()) {
        refusal_ = hint;
        return false;
    }
    return true;
}

void InputNumerico::setValore(const QString &value) {
    const QScopedValueRollback fromCode(unchecked_, true);
    setText(value);
}

void InputNumerico::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        const QScopedValueRollback restoring(unchecked_, true);
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteNumber(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    const QChar separator = decimalSeparator(), grouping = groupingSeparator(locale());
    const bool keypadDecimal = (event->modifiers() & Qt::KeypadModifier) &&
                               (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
    // Before the separator the locale's grouping character groups: it is dropped, not read as
    // a decimal point, and the hint says so, since "12.5" typed in Italian becomes 125.
    const qsizetype at = hasSelectedText() ? selectionStart() : cursorPosition();
    if (!keypadDecimal && typed.size() == 1 && typed[0] == grouping &&
        !text().left(at).contains(separator)) {
        showHint(groupingHint(locale(), decDigits_ > 0));
        event->accept();
        return;
    }
    // Otherwise the comma, the point and the keypad's decimal key type the locale's separator.
    if (typed == u"," || typed == u"." || keypadDecimal) {
        QKeyEvent mapped(event->type(), event->key(), event->modifiers(), QString(separator),
                         event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&mapped);
        event->setAccepted(mapped.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InputNumerico::contextMenuEvent(QContextMenuEvent *event) {
    // The standard menu, its Paste read as a number and its Undo and Redo as restorations.
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto reroute = [&](QAction *action, const char *slot, void (QLineEdit::*member)(),
                             auto replacement) {
        if (disconnect(action, SIGNAL(triggered()), this, slot) ||
            disconnect(action, &QAction::triggered, this, member))
            connect(action, &QAction::triggered, this, replacement);
    };
    const auto restore = [this](void (QLineEdit::*step)()) {
        return [this, step] {
            const QScopedValueRollback restoring(unchecked_, true);
            (this->*step)();
        };
    };
    for (QAction *action : menu->actions()) {
        reroute(action, SLOT(paste()), &QLineEdit::paste,
                [this] { pasteNumber(QGuiApplication::clipboard()->text()); });
        reroute(action, SLOT(undo()), &QLineEdit::undo, restore(&QLineEdit::undo));
        reroute(action, SLOT(redo()), &QLineEdit::redo, restore(&QLineEdit::redo));
    }
    menu->popup(event->globalPos());
}

void InputNumerico::dropEvent(QDropEvent *event) {
    const QMimeData *data = event->mimeData();
    if (isReadOnly() || !data->hasText() || event->source() == this) {
        QLineEdit::dropEvent(event);
        return;
    }
    const std::optional<QString> number = cleanPastedNumber(data->text(), locale());
    if (!number) {
        showHint(notANumberHint(data->text(), locale()));
        event->ignore();
        return;
    }
    QMimeData cleaned;
    cleaned.setText(*number);
    QDropEvent drop(event->position(), event->possibleActions(), &cleaned, event->buttons(),
                    event->modifiers());
    drop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
}

void InputNumerico::mouseReleaseEvent(QMouseEvent *event) {
    // The middle button pastes the selection where the system keeps one.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteNumber(QGuiApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputNumerico::pasteNumber(const QString &text) {
    if (isReadOnly() || text.trimmed().isEmpty())
        return;
    if (const std::optional<QString> number = cleanPastedNumber(text, locale())) {
        insert(*number); // judged whole like any edit, and refused whole with its hint
        return;
    }
    showHint(notANumberHint(text, locale()));
}

void InputNumerico::showHint(const QString &hint) {
    if (!hint.isEmpty())
        QToolTip::showText(mapToGlobal(QPoint(0, height())), hint, this, {}, 4000);
}

} // namespace margino

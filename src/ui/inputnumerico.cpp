// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputnumerico.h"

#include "core/fieldtext.h"
#include "core/numbertext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
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
        if (!text.startsWith(provisional_))
            provisional_.clear();
        if (!text.startsWith(grouped_))
            grouped_.clear();
        // A hint says how a text was read: a new text makes it stale.
        if (hintLabel_ && !shownHint_.isEmpty() && hintLabel_->text() == shownHint_)
            hintLabel_->clear();
        shownHint_.clear();
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
    provisional_.clear();
    grouped_.clear();
    setText(value);
}

void InputNumerico::setHintLabel(QLabel *label) {
    hintLabel_ = label;
}

bool isPlainTyping(const QKeyEvent *event) {
    const QString typed = event->text();
    return typed.size() == 1 && typed[0].isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

void InputNumerico::keyPressEvent(QKeyEvent *event) {
    if (!isPlainTyping(event)) {
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
    }
    const QString typed = event->text();
    const bool keypadDecimal = (event->modifiers() & Qt::KeypadModifier) &&
                               (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
    if (keypadDecimal) {
        typeSeparator(event);
        return;
    }
    if (typed.size() == 1 && typeMark(event, typed[0]))
        return;
    // Digits of any script are the digits they are.
    if (typed.size() == 1 && typed[0].isDigit() && typed[0].unicode() > 0x7f) {
        QKeyEvent mapped(event->type(), event->key(), event->modifiers(),
                         QString(QChar(u'0' + typed[0].digitValue())), event->isAutoRepeat(),
                         event->count());
        QLineEdit::keyPressEvent(&mapped);
        event->setAccepted(mapped.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InputNumerico::typeSeparator(QKeyEvent *event) {
    QKeyEvent mapped(event->type(), event->key(), event->modifiers(), QString(decimalSeparator()),
                     event->isAutoRepeat(), event->count());
    QLineEdit::keyPressEvent(&mapped);
    event->setAccepted(mapped.isAccepted());
}

// A typed "," or "." as people mean it. Where the locale groups with one of them (the point in
// Italian, the comma in English), that key in a field with decimals types the separator, as
// "10.5" means 10,5, until three digits later the separator key ("1.234,5" is 1234,5) or the
// same key again ("1.234.") shows that it grouped thousands. In a field without decimals it
// only groups. The other of the two keys types the separator.
bool InputNumerico::typeMark(QKeyEvent *event, QChar typed) {
    const QChar separator = decimalSeparator(), grouping = groupingSeparator(locale());
    const bool groups = typed == grouping, pointOrComma = typed == u',' || typed == u'.';
    if (!groups && !pointOrComma && typed != separator)
        return false;
    const QString text = this->text();
    const qsizetype sep = text.indexOf(separator);
    const bool afterSeparator =
        sep >= 0 && (hasSelectedText() ? selectionStart() : cursorPosition()) > sep;
    if (groups && !pointOrComma && afterSeparator)
        return false; // a blank among the decimals is refused like any other sign
    event->accept();
    const bool atEnd = !hasSelectedText() && cursorPosition() == text.size();
    // Three digits typed after the separator a grouping key gave, whose first group could
    // open a grouped number (one to three digits, not a leading zero).
    const bool threeSince = atEnd && !provisional_.isEmpty() &&
                            text.size() == provisional_.size() + 3 && sep >= 1 && sep <= 3 &&
                            text[0] != u'0';
    if (threeSince) {
        // The earlier key grouped: its separator goes, in one edit with the key typed now.
        const QString digits = text.mid(sep + 1);
        setSelection(int(sep), int(text.size() - sep));
        insert(groups ? digits : digits + separator);
        if (this->text() != text) {
            if (groups)
                grouped_ = this->text();
            showHint(groupedHint(locale()));
        }
        return true;
    }
    const bool typesSeparator =
        !groups || afterSeparator ||
        (decDigits_ > 0 && pointOrComma && sep < 0 && !(atEnd && !grouped_.isEmpty()));
    if (!typesSeparator) {
        showHint(groupingHint(locale(), decDigits_ > 0));
        return true;
    }
    typeSeparator(event); // a second separator is refused with its hint
    if (groups && sep < 0 && this->text() != text)
        provisional_ = this->text().left(cursorPosition());
    return true;
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
    QString hint;
    const std::optional<QString> number = cleanPastedNumber(data->text(), locale(), &hint);
    if (!number) {
        showHint(hint);
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
    QString hint;
    if (const std::optional<QString> number = cleanPastedNumber(text, locale(), &hint)) {
        insert(*number); // judged whole like any edit, and refused whole with its hint
        return;
    }
    showHint(hint);
}

void InputNumerico::showHint(const QString &hint) {
    if (hint.isEmpty())
        return;
    if (!hintLabel_) {
        QToolTip::showText(mapToGlobal(QPoint(0, height())), hint, this, {}, 4000);
        return;
    }
    shownHint_ = accessibleName().isEmpty() ? hint : accessibleName() + QStringLiteral(": ") + hint;
    hintLabel_->setText(shownHint_);
}

} // namespace margino

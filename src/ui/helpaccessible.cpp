// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpaccessible.h"

#include "ui/readonlytextaccessible.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <memory>
#include <vector>

namespace margino {

namespace {

constexpr char DocumentProperty[] = "marginoHelpDocument";

// One block of the help: a heading (its level as the description), a paragraph, a list item
// or a table cell, with its text and its place on the screen.
class BlockAccessible : public QAccessibleInterface {
public:
    BlockAccessible(QTextBrowser *browser, const QTextBlock &block,
                    std::shared_ptr<const int> changes)
        : browser_(browser), text_(block.text().replace(QChar::LineSeparator, u' ').simplified()),
          position_(block.position()), changes_(std::move(changes)), seen_(*changes_) {
        const int level = block.blockFormat().headingLevel();
        role_ = level > 0                                      ? QAccessible::Heading
                : block.textList()                             ? QAccessible::ListItem
                : QTextCursor(block).currentTable() != nullptr ? QAccessible::Cell
                                                               : QAccessible::Paragraph;
        if (level > 0)
            description_ = QStringLiteral("Titolo di livello %1").arg(level);
    }

    // A block read from a text that has since changed is gone.
    bool isValid() const override { return browser_ && *changes_ == seen_; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override {
        return browser_ ? QAccessible::queryAccessibleInterface(browser_) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name || kind == QAccessible::Value)
            return text_;
        return kind == QAccessible::Description ? description_ : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QTextDocument *document = browser_->document();
        QRect area =
            document->documentLayout()->blockBoundingRect(document->findBlock(position_)).toRect();
        area.translate(-browser_->horizontalScrollBar()->value(),
                       -browser_->verticalScrollBar()->value());
        return QRect(browser_->viewport()->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }

private:
    QPointer<QTextBrowser> browser_;
    QString text_;
    int position_;
    std::shared_ptr<const int> changes_; // how often the text changed, counted by the document
    int seen_;
    QAccessible::Role role_;
    QString description_;
};

// The browser as a document: its blocks are its children, rebuilt when the text changes;
// its whole text reads through the text interface as before. The blocks go with the browser.
class DocumentAccessible : public ReadOnlyTextAccessible {
public:
    explicit DocumentAccessible(QTextBrowser *browser)
        : ReadOnlyTextAccessible(browser, QAccessible::Document), browser_(browser) {
        QObject::connect(browser, &QObject::destroyed, [ids = ids_] { clear(*ids); });
        QObject::connect(browser->document(), &QTextDocument::contentsChanged,
                         [changes = changes_] { ++*changes; });
    }

    QAccessible::State state() const override {
        QAccessible::State state = ReadOnlyTextAccessible::state();
        state.multiLine = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && browser_->accessibleName().isEmpty())
            return browser_->documentTitle();
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return int(blocks().size()); }
    QAccessibleInterface *child(int index) const override {
        const std::vector<QAccessible::Id> &ids = blocks();
        return index >= 0 && index < int(ids.size()) ? QAccessible::accessibleInterface(ids[index])
                                                     : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        const std::vector<QAccessible::Id> &ids = blocks();
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (QAccessible::accessibleInterface(ids[i]) == child)
                return int(i);
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return nullptr;
    }

    QString text(int start, int end) const override { return plain().mid(start, end - start); }
    int characterCount() const override { return int(plain().size()); }
    int cursorPosition() const override { return browser_->textCursor().position(); }
    void setCursorPosition(int position) override {
        QTextCursor cursor = browser_->textCursor();
        cursor.setPosition(position);
        browser_->setTextCursor(cursor);
    }
    void selection(int, int *start, int *end) const override {
        *start = browser_->textCursor().selectionStart();
        *end = browser_->textCursor().selectionEnd();
    }
    int selectionCount() const override { return browser_->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int start, int end) override {
        QTextCursor cursor = browser_->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        browser_->setTextCursor(cursor);
    }
    int offsetAtPoint(const QPoint &point) const override {
        return browser_->cursorForPosition(browser_->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int start, int) override {
        QTextCursor cursor(browser_->document());
        cursor.setPosition(start);
        browser_->setTextCursor(cursor);
        browser_->ensureCursorVisible();
    }

private:
    QString plain() const { return browser_->document()->toPlainText(); }
    // The blocks with text, built again whenever the document changed since.
    const std::vector<QAccessible::Id> &blocks() const {
        if (*changes_ == built_)
            return *ids_;
        clear(*ids_);
        built_ = *changes_;
        const QTextDocument *document = browser_->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            if (!block.text().trimmed().isEmpty())
                ids_->push_back(QAccessible::registerAccessibleInterface(
                    new BlockAccessible(browser_, block, changes_)));
        return *ids_;
    }
    static void clear(std::vector<QAccessible::Id> &ids) {
        for (const QAccessible::Id id : ids)
            QAccessible::deleteAccessibleInterface(id);
        ids.clear();
    }

    QTextBrowser *browser_;
    std::shared_ptr<std::vector<QAccessible::Id>> ids_ =
        std::make_shared<std::vector<QAccessible::Id>>();
    std::shared_ptr<int> changes_ = std::make_shared<int>(0);
    mutable int built_ = -1;
};

QAccessibleInterface *documentInterface(const QString &, QObject *object) {
    auto *browser = qobject_cast<QTextBrowser *>(object);
    if (browser && browser->property(DocumentProperty).toBool())
        return new DocumentAccessible(browser);
    return nullptr;
}

} // namespace

void announceAsDocument(QTextBrowser *browser) {
    static const bool installed = (QAccessible::installFactory(documentInterface), true);
    Q_UNUSED(installed);
    browser->setProperty(DocumentProperty, true);
}

} // namespace margino

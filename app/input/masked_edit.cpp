#include "masked_edit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QValidator>
#include <functional>
#include <memory>

#include "app/input/beep.h"

namespace strikon {

namespace {

std::u32string toU32(const QString& text) {
    return text.toStdU32String();
}

// A safety net behind the key routing: any edit that reaches QLineEdit's own editing code
// (a key binding not routed here, a drag moving text out of the field) is undone by Qt, because
// the only text this validator accepts is the model's.
class ModelGuard : public QValidator {
  public:
    ModelGuard(const MaskModel& model, QObject* parent) : QValidator(parent), model_(model) {}
    State validate(QString& input, int&) const override {
        return input == QString::fromStdString(model_.text()) ? Acceptable : Invalid;
    }

  private:
    const MaskModel& model_;
};

bool isTyping(const QKeyEvent* event) {
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

}  // namespace

MaskedEdit::MaskedEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new ModelGuard(model_, this));
}

void MaskedEdit::setMask(const QString& mask, const QString& text) {
    model_.setMask(mask.toStdString(), toU32(text));
    QLineEdit::setText(QString::fromStdString(model_.text()));
}

void MaskedEdit::setInputMask(const QString& mask) {
    setMask(mask, QLineEdit::text());
}

QString MaskedEdit::maskPattern() const {
    return QString::fromStdString(model_.pattern());
}

void MaskedEdit::setText(const QString& text) {
    model_.setText(toU32(text));
    QLineEdit::setText(QString::fromStdString(model_.text()));
}

void MaskedEdit::paste() {
    pasteAt(QApplication::clipboard()->text(), editStart(), editLength());
}

void MaskedEdit::cut() {
    if (!hasSelectedText()) {
        return;
    }
    QApplication::clipboard()->setText(selectedText());
    apply(model_.clear(editStart(), editLength()));
}

QMenu* MaskedEdit::createStandardContextMenu() {
    QMenu* menu = QLineEdit::createStandardContextMenu();
    // The standard actions call QLineEdit's own slots, which know nothing of the mask. They carry
    // no object names, so they are known by their captions, translated in QLineEdit's context
    // exactly as Qt translates them.
    for (QAction* action : menu->actions()) {
        const QString caption = action->text().section(QLatin1Char('\t'), 0, 0);
        auto is = [&caption](const char* source) {
            return caption == QCoreApplication::translate("QLineEdit", source);
        };
        if (is("&Undo")) {
            // Undo is Escape: back to the text the field had when the user entered it.
            action->setEnabled(QString::fromStdString(model_.snapshot()) != QLineEdit::text());
            reroute(action, [this] { undoTyping(); });
        } else if (is("&Redo")) {
            action->setEnabled(false);
        } else if (is("&Paste")) {
            reroute(action, [this] { paste(); });
        } else if (is("Cu&t")) {
            reroute(action, [this] { cut(); });
        } else if (is("Delete")) {
            reroute(action, [this] { apply(model_.clear(editStart(), editLength())); });
        }
    }
    return menu;
}

bool MaskedEdit::undoTyping() {
    if (!model_.restoreSnapshot()) {
        return false;
    }
    showModelText(cursorPosition());
    return true;
}

void MaskedEdit::reroute(QAction* action, const std::function<void()>& edit) {
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, edit);
}

void MaskedEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (undoTyping()) {
            event->accept();
        } else {
            event->ignore();  // nothing to undo: the key belongs to the window
        }
        return;
    }
    if (routeEditKey(event)) {
        event->accept();
        return;
    }
    if (isTyping(event)) {
        typeText(event->text());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// Routes the editing key bindings to the model; the rest (moving, selecting, copying) is
// QLineEdit's. Returns whether the key was taken.
bool MaskedEdit::routeEditKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        undoTyping();  // the same undo as Escape
        return true;
    }
    if (event->matches(QKeySequence::Redo)) {
        return true;  // one step of undo only, so nothing to redo
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        cut();
        return true;
    }
    if (event->matches(QKeySequence::DeleteStartOfWord)) {
        if (!hasSelectedText()) {
            cursorWordBackward(true);
        }
        apply(model_.clear(editStart(), editLength()));
        return true;
    }
    if (event->matches(QKeySequence::DeleteEndOfWord)) {
        if (!hasSelectedText()) {
            cursorWordForward(true);
        }
        apply(model_.clear(editStart(), editLength()));
        return true;
    }
    if (event->matches(QKeySequence::DeleteEndOfLine)) {
        const int start = editStart();
        apply(model_.clear(start, model_.size() - start));
        return true;
    }
    if (event->matches(QKeySequence::DeleteCompleteLine)) {
        apply(model_.clear(0, model_.size()));
        return true;
    }
    if (event->matches(QKeySequence::Delete)) {
        apply(model_.del(editStart(), editLength()));
        return true;
    }
    if (event->matches(QKeySequence::Backspace) || event->key() == Qt::Key_Backspace) {
        apply(model_.backspace(editStart(), editLength()));
        return true;
    }
    return false;
}

void MaskedEdit::focusInEvent(QFocusEvent* event) {
    // Coming back from a popup (the context menu) or another window is no new visit to the
    // field: Escape must still undo everything typed since the user entered it.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        model_.takeSnapshot();
    }
    QLineEdit::focusInEvent(event);
}

void MaskedEdit::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    menu->exec(event->globalPos());
}

void MaskedEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X11 selection; QLineEdit would insert it past the mask.
    QClipboard* clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        pasteAt(clipboard->text(QClipboard::Selection),
                cursorPositionAt(event->position().toPoint()), 0);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void MaskedEdit::dropEvent(QDropEvent* event) {
    // Ends QLineEdit's drop-cursor display, which its own dropEvent would have done.
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    // A drop is always a copy: text dragged out of a field is never removed from it.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setFocus(Qt::OtherFocusReason);
    pasteAt(event->mimeData()->text(), cursorPositionAt(event->position().toPoint()), 0);
}

void MaskedEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Only committed text counts; a composition in progress is not shown in a digit field.
    if (!event->commitString().isEmpty()) {
        typeText(event->commitString());
    }
    event->accept();
}

void MaskedEdit::typeText(const QString& text) {
    bool refused = false;
    int start = editStart();
    int length = editLength();
    for (const char32_t ch : toU32(text)) {
        const MaskEdit edit = model_.type(ch, start, length);
        refused = refused || edit.refused;
        start = edit.cursor;
        length = 0;
    }
    showModelText(start);
    if (refused) {
        beep();
    }
}

void MaskedEdit::pasteAt(const QString& text, int start, int length) {
    apply(model_.paste(toU32(text), start, length));
}

void MaskedEdit::apply(const MaskEdit& edit) {
    if (edit.refused) {
        beep();
        return;
    }
    showModelText(edit.cursor);
}

void MaskedEdit::showModelText(int cursor) {
    const QString text = QString::fromStdString(model_.text());
    if (text != QLineEdit::text()) {
        QLineEdit::setText(text);
        emit textEdited(text);
    }
    setCursorPosition(cursor);
}

int MaskedEdit::editStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int MaskedEdit::editLength() const {
    return hasSelectedText() ? selectionLength() : 0;
}

}  // namespace strikon

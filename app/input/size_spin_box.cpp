#include "size_spin_box.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/input/beep.h"

namespace strikon {

namespace {

constexpr int kEanUpcMinimum = 80;
constexpr int kEanUpcMaximum = 200;

// Keys that would change the number as text rather than step it.
bool editsText(const QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Delete) || event->matches(QKeySequence::Backspace) ||
        event->matches(QKeySequence::DeleteStartOfWord) ||
        event->matches(QKeySequence::DeleteEndOfWord) ||
        event->matches(QKeySequence::DeleteEndOfLine) ||
        event->matches(QKeySequence::DeleteCompleteLine) || event->key() == Qt::Key_Backspace ||
        event->key() == Qt::Key_Delete) {
        return true;
    }
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

}  // namespace

SizeSpinBox::SizeSpinBox(QWidget* parent) : QSpinBox(parent) {
    // A read-only editor still steps by buttons, keys and wheel, but takes no typing, paste,
    // cut or drop from any route (context menu included).
    lineEdit()->setReadOnly(true);
    configure(kEanUpcMinimum, kEanUpcMaximum);
}

void SizeSpinBox::configure(int minimum, int maximum, int step) {
    setRange(minimum, maximum);
    setSingleStep(step);
    setValue(kStartValue);
}

int SizeSpinBox::valueFromText(const QString& text) const {
    QString number = text;
    if (!prefix().isEmpty() && number.startsWith(prefix())) {
        number.remove(0, prefix().size());
    }
    if (!suffix().isEmpty() && number.endsWith(suffix())) {
        number.chop(suffix().size());
    }
    bool ok = false;
    const int value = locale().toInt(number.trimmed(), &ok);
    return ok ? value : minimum();
}

void SizeSpinBox::keyPressEvent(QKeyEvent* event) {
    if (editsText(event)) {
        beep();
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

}  // namespace strikon

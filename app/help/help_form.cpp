#include "help_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBrowser>
#include <algorithm>

#include "manual.h"
#include "ui_help_form.h"

namespace strikon {

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window), ui_(new Ui::HelpForm) {
    ui_->setupUi(this);
    // uic applies only the size of a top-level form; its place on the screen is set here.
    move(211, 118);
}

THelpForm::~THelpForm() = default;

QTextBrowser* THelpForm::RichEdit() const {
    return ui_->RichEdit;
}

void THelpForm::placeClearOf(const QRect& mainFrame, const QRect& keepClear) {
    if (isVisible()) {
        return;  // where the user left it
    }
    const QScreen* screen = QGuiApplication::screenAt(mainFrame.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect free = screen != nullptr ? screen->availableGeometry() : mainFrame;
    const QSize size = frameGeometry().size();
    QPoint at;
    if (mainFrame.right() + size.width() <= free.right()) {
        at = {mainFrame.right() + 1, std::max(mainFrame.top(), free.top())};
    } else if (mainFrame.left() - size.width() >= free.left()) {
        at = {mainFrame.left() - size.width(), std::max(mainFrame.top(), free.top())};
    } else {
        // Over the main window's lower part, a little indented, so that both title bars show.
        constexpr int kIndent = 40;
        const int right = std::max(free.left(), free.right() + 1 - size.width());
        at = {std::clamp(mainFrame.left() + kIndent, free.left(), right), keepClear.bottom() + 1};
    }
    move(at);
}

void THelpForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void THelpForm::ShowManual(const QString& lang) {
    if (loadManual(manualResource(lang), *ui_->RichEdit->document())) {
        ui_->RichEdit->moveCursor(QTextCursor::Start);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace strikon

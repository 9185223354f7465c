#include "help_form.h"

#include <QTextBrowser>

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

void THelpForm::ShowManual(const QString& lang) {
    if (loadManual(manualResource(lang), *ui_->RichEdit->document())) {
        ui_->RichEdit->moveCursor(QTextCursor::Start);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace strikon

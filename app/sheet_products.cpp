#include "app/sheet_products.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace strikon {

namespace {

// A longer list is no help to a reader; more words narrow it.
constexpr size_t kMostShown = 300;

}  // namespace

SheetProducts::SheetProducts(TemplateCatalogue catalogue,
                             std::function<QString(const LabelProduct&)> entry, QWidget* parent)
    : QWidget(parent), catalogue_(std::move(catalogue)), entry_(std::move(entry)) {
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("SheetSearch"));
    field_->setClearButtonEnabled(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("SheetProducts"));
    list_->setMaximumHeight(list_->fontMetrics().height() * 6);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(field_);
    box->addWidget(list_);
    field_->setEnabled(available());
    list_->setVisible(available());
    connect(field_, &QLineEdit::textChanged, this, &SheetProducts::search);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        if (chosenChanged) {
            chosenChanged();
        }
    });
    search();
}

void SheetProducts::setPlaceholder(const QString& text) {
    field_->setPlaceholderText(text);
}

const LabelProduct* SheetProducts::chosen() const {
    const int row = list_->currentRow();
    return row >= 0 && static_cast<size_t>(row) < shown_.size() ? shown_[static_cast<size_t>(row)]
                                                                : nullptr;
}

bool SheetProducts::choose(const QString& name) {
    const LabelProduct* product = productNamed(catalogue_, name);
    if (product == nullptr) {
        return false;
    }
    field_->setText(product->name());
    const auto at = std::find(shown_.begin(), shown_.end(), product);
    list_->setCurrentRow(at == shown_.end() ? -1 : static_cast<int>(at - shown_.begin()));
    return at != shown_.end();
}

void SheetProducts::search() {
    const QSignalBlocker block(list_);
    const LabelProduct* before = chosen();
    list_->clear();
    shown_.clear();
    // Nothing is listed until something is typed: 1,700 sheets are no list to read.
    if (!field_->text().trimmed().isEmpty()) {
        shown_ = findProducts(catalogue_, field_->text());
    }
    if (shown_.size() > kMostShown) {
        shown_.resize(kMostShown);
    }
    for (const LabelProduct* product : shown_) {
        list_->addItem(entry_(*product));
    }
    const auto kept = std::find(shown_.begin(), shown_.end(), before);
    // A product chosen before stays the dialog's sheet when another search hides it.
    list_->setCurrentRow(kept == shown_.end() ? -1 : static_cast<int>(kept - shown_.begin()));
}

}  // namespace strikon

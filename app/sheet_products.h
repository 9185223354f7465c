#pragma once
// Label stock by its maker's code in Print Sheet: a search field over brand and part ("l7160",
// "herma 46") and the products that match; choosing one hands its layout to the dialog. The
// words come from the dialog, in its language.

#include <QWidget>
#include <functional>
#include <vector>

#include "render/label_templates.h"

class QLineEdit;
class QListWidget;

namespace strikon {

class SheetProducts : public QWidget {
  public:
    // `entry` words one product for the list.
    SheetProducts(TemplateCatalogue catalogue, std::function<QString(const LabelProduct&)> entry,
                  QWidget* parent);

    void setPlaceholder(const QString& text);
    // Something to choose from: the templates are installed.
    bool available() const { return !catalogue_.products.empty(); }
    const TemplateCatalogue& catalogue() const { return catalogue_; }
    // The product chosen in the list; nullptr for none.
    const LabelProduct* chosen() const;
    // The product by its name ("Avery L7160"), as if picked from the list; false when unknown.
    bool choose(const QString& name);

    std::function<void()> chosenChanged;

  private:
    void search();

    TemplateCatalogue catalogue_;
    std::function<QString(const LabelProduct&)> entry_;
    QLineEdit* field_ = nullptr;
    QListWidget* list_ = nullptr;
    std::vector<const LabelProduct*> shown_;
};

}  // namespace strikon

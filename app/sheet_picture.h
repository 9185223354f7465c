#pragma once
// The layout of a label sheet drawn small: the paper, every label, the ones skipped shaded and
// the ones the first page fills marked, so that the user sees where the symbols will go.

#include <QWidget>

#include "render/sheet_layout.h"

namespace strikon {

class SheetPicture : public QWidget {
  public:
    explicit SheetPicture(QWidget* parent = nullptr);

    // filled: labels the first page receives after the skipped ones.
    void show(const SheetLayout& layout, int skipped, int filled, bool valid);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SheetLayout layout_;
    int skipped_ = 0;
    int filled_ = 0;
    bool valid_ = false;
};

}  // namespace strikon

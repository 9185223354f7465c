#pragma once
// A label that acts as a link: it reports a click of the left mouse button released over it.

#include <QLabel>

namespace strikon {

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace strikon

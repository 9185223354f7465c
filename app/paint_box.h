#pragma once
// The preview area. It keeps no picture of its own: every paint event hands a painter on this
// widget to the main window's repaint handler, which draws the whole preview anew.

#include <QWidget>
#include <functional>

class QPainter;

namespace strikon {

class PaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit PaintBox(QWidget* parent = nullptr);

    void setPaintHandler(std::function<void(QPainter&)> handler) {
        paintHandler_ = std::move(handler);
    }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<void(QPainter&)> paintHandler_;
};

}  // namespace strikon

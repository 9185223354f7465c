#pragma once
// A small bevelled panel that shows a colour and acts as a button: the line and background
// colours of the symbol are held by two of these.

#include <QColor>
#include <QFrame>

namespace strikon {

class ColorPanel : public QFrame {
    Q_OBJECT
  public:
    explicit ColorPanel(QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);

  signals:
    void clicked();
    // After every setColor, the same colour set again included.
    void colorChanged(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QColor color_ = Qt::black;
};

}  // namespace strikon

#pragma once
// The help window: a read-only rich-text view of the manual in the interface language. It is
// created once and only shown and hidden afterwards.

#include <QWidget>
#include <memory>

namespace Ui {
class HelpForm;
}
class QTextBrowser;

namespace strikon {

class THelpForm : public QWidget {
    Q_OBJECT
  public:
    explicit THelpForm(QWidget* parent = nullptr);
    ~THelpForm() override;

    // The Help command: loads the manual for `lang` ("RUS" or "ENG") afresh, replacing what the
    // view showed, and shows the window without modality, bringing it to the front if it is
    // already open. For any other code the view keeps its content.
    void ShowManual(const QString& lang);

    QTextBrowser* RichEdit() const;

    // Moves the window, when it is not open, to where it leaves the main window's menu and
    // toolbar (`keepClear`, in screen coordinates) in sight: beside the main window
    // (`mainFrame`) when the screen has room, else below the toolbar.
    void placeClearOf(const QRect& mainFrame, const QRect& keepClear);

  protected:
    // Escape closes the window, as it does a dialog.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<Ui::HelpForm> ui_;
};

}  // namespace strikon

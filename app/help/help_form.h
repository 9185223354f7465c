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

  private:
    std::unique_ptr<Ui::HelpForm> ui_;
};

}  // namespace strikon

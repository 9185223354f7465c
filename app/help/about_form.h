#pragma once
// The About window: the program's title and version, the maker line, and links to the maker's
// web site and mail address. Created once and shown modally over the main window.

#include <QDialog>
#include <memory>

namespace Ui {
class AboutForm;
}

namespace strikon {

class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutForm(QWidget* parent = nullptr);
    ~TAboutForm() override;

    // The About command: shows the window modally, centred over `mainWindow` (if given), and
    // returns the dialog's result when it is closed.
    int ShowModalOver(const QWidget* mainWindow);

    // Sets the caption, title and maker line for the current interface language; runs at
    // every show.
    void FormShow();
    // Open the web site and a mail message to the maker; the window stays open.
    void Label3Click();
    void Label4Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::unique_ptr<Ui::AboutForm> ui_;
};

}  // namespace strikon

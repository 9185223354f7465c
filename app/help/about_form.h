#pragma once
// The About window: the program's title and version, the maker line, and links to the maker's
// web site and mail address. Created once and shown modally over the main window.

#include <QDialog>
#include <QUrl>
#include <functional>
#include <memory>

namespace Ui {
class AboutForm;
}

namespace strikon {

struct AboutTexts;

class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutForm(QWidget* parent = nullptr);
    ~TAboutForm() override;

    // The About command: shows the window modally, centred over `mainWindow` (if given), and
    // returns the dialog's result when it is closed.
    int ShowModalOver(const QWidget* mainWindow);

    // The interface language, "RUS" or "ENG", that the window speaks from its next show on;
    // another code leaves its texts as they are. Its messages follow at once.
    void setLanguage(const QString& languageCode) { languageCode_ = languageCode; }

    // Sets the caption, title and maker line for the current interface language; runs at
    // every show.
    void FormShow();
    // Open the web site and a mail message to the maker; the window stays open. When nothing
    // can open the address, a message says so and shows the address to copy.
    void Label3Click();
    void Label4Click();

    // Test seams: what opens an address (the desktop's handler) and how the failure is shown
    // (a message box over this window).
    void setLinkOpener(std::function<bool(const QUrl&)> opener) { opener_ = std::move(opener); }
    void setFailureNotice(std::function<void(const QString&)> notice) {
        notice_ = std::move(notice);
    }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void openOrSay(const QUrl& url, const char* const AboutTexts::*failure);

    std::unique_ptr<Ui::AboutForm> ui_;
    QString languageCode_;
    std::function<bool(const QUrl&)> opener_;
    std::function<void(const QString&)> notice_;
};

}  // namespace strikon

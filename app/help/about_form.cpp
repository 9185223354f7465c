#include "about_form.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/current_lang.h"
#include "maker_links.h"
#include "platform/link_opener.h"
#include "ui_about_form.h"

namespace strikon {

namespace {

// The outer size of the window: its height is fixed, its width may be dragged in this range.
constexpr int kMinWidth = 195;
constexpr int kMaxWidth = 225;
constexpr int kHeight = 225;

// The window's texts; the maker's addresses are the same in both languages.
struct AboutTexts {
    Wording title{"О программе", "About"};
    Wording version{"Стрикон v. 1.1", "Strikon v. 1.1"};
    Wording maker{"Велмора, 2005 год", "Velmora, 2005"};
    Wording noBrowser{"Не найден браузер, чтобы открыть страницу. Её адрес: %1",
                      "No web browser could open the page. Its address: %1"};
    Wording noMailer{"Не найдена почтовая программа, чтобы написать письмо. Адрес: %1",
                     "No mail program could start a message. The address: %1"};
};
constexpr AboutTexts kTexts{};

// Character heights are given in pixels, which a .ui font cannot state (it has points only).
void setPixelSize(QLabel& label, int pixels) {
    QFont font = label.font();
    font.setPixelSize(pixels);
    label.setFont(font);
}

void styleAsLink(QLabel& label, bool underline) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label.setPalette(palette);
    QFont font = label.font();
    font.setUnderline(underline);
    label.setFont(font);
    label.setCursor(Qt::PointingHandCursor);
}

void setLabelText(QLabel& label, const QString& text) {
    label.setText(text);
    label.adjustSize();  // the labels grow with their text, as the links' hit area should
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui_(new Ui::AboutForm) {
    ui_->setupUi(this);
    setMinimumSize(kMinWidth, kHeight);
    setMaximumSize(kMaxWidth, kHeight);
    setPixelSize(*ui_->Label1, 16);
    setPixelSize(*ui_->Label2, 19);
    setPixelSize(*ui_->Label3, 11);
    setPixelSize(*ui_->Label4, 11);
    styleAsLink(*ui_->Label3, true);
    styleAsLink(*ui_->Label4, false);
    setLabelText(*ui_->Label3, QLatin1String(kMakerSite));
    setLabelText(*ui_->Label4, QLatin1String(kMakerEmail));
    connect(ui_->Label3, &ClickLabel::clicked, this, &TAboutForm::Label3Click);
    connect(ui_->Label4, &ClickLabel::clicked, this, &TAboutForm::Label4Click);
    connect(ui_->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutForm::~TAboutForm() = default;

int TAboutForm::ShowModalOver(const QWidget* mainWindow) {
    if (mainWindow != nullptr) {
        // Centre the client area: the frame of a window not yet shown is not known, and the
        // window manager adds it around the client area.
        QRect client = geometry();
        client.moveCenter(mainWindow->geometry().center());
        setGeometry(client);
    }
    return exec();
}

void TAboutForm::FormShow() {
    // An unknown code changes no text.
    if (CurrentLang != QLatin1String("RUS") && CurrentLang != QLatin1String("ENG")) {
        return;
    }
    const Language language = currentLanguage();
    setWindowTitle(kTexts.title.in(language));
    setLabelText(*ui_->Label1, kTexts.version.in(language));
    setLabelText(*ui_->Label2, kTexts.maker.in(language));
}

void TAboutForm::Label3Click() {
    openOrSay(makerHomePageUrl(), kTexts.noBrowser);
}

void TAboutForm::Label4Click() {
    openOrSay(makerMailUrl(), kTexts.noMailer);
}

void TAboutForm::openOrSay(const QUrl& url, const Wording& failure) {
    const bool opened = opener_ ? opener_(url) : openWithDesktop(url);
    if (opened) {
        return;
    }
    const QString address = url.scheme() == QLatin1String("mailto") ? QLatin1String(kMakerEmail)
                                                                    : QLatin1String(kMakerSite);
    const QString text = failure.in(currentLanguage()).arg(address);
    if (notice_) {
        notice_(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
    // The address is there to be copied into a browser or mail program by hand.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

void TAboutForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

}  // namespace strikon

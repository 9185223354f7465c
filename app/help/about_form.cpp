#include "about_form.h"

#include <QMessageBox>
#include <QPushButton>

#include "maker_links.h"
#include "platform/link_opener.h"
#include "ui_about_form.h"

namespace strikon {

// The window's texts in each language; the maker's addresses are the same in both.
struct AboutTexts {
    const char* languageCode;
    const char* title;
    const char* version;
    const char* maker;
    const char* noBrowser;  // %1: the site's address
    const char* noMailer;   // %1: the mail address
};

namespace {

// The outer size of the window: its height is fixed, its width may be dragged in this range.
constexpr int kMinWidth = 195;
constexpr int kMaxWidth = 225;
constexpr int kHeight = 225;

constexpr AboutTexts kTexts[] = {
    {"RUS", "О программе", "Стрикон v. 1.1", "Велмора, 2005 год",
     "Не найден браузер, чтобы открыть страницу. Её адрес: %1",
     "Не найдена почтовая программа, чтобы написать письмо. Адрес: %1"},
    {"ENG", "About", "Strikon v. 1.1", "Velmora, 2005",
     "No web browser could open the page. Its address: %1",
     "No mail program could start a message. The address: %1"},
};

// Nothing for a code of no language the window speaks.
const AboutTexts* textsFor(const QString& languageCode) {
    for (const AboutTexts& t : kTexts) {
        if (languageCode == QLatin1String(t.languageCode)) {
            return &t;
        }
    }
    return nullptr;
}

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
    const AboutTexts* texts = textsFor(languageCode_);
    if (texts == nullptr) {
        return;  // an unknown code changes no text
    }
    setWindowTitle(QString::fromUtf8(texts->title));
    setLabelText(*ui_->Label1, QString::fromUtf8(texts->version));
    setLabelText(*ui_->Label2, QString::fromUtf8(texts->maker));
}

void TAboutForm::Label3Click() {
    openOrSay(makerHomePageUrl(), &AboutTexts::noBrowser);
}

void TAboutForm::Label4Click() {
    openOrSay(makerMailUrl(), &AboutTexts::noMailer);
}

void TAboutForm::openOrSay(const QUrl& url, const char* const AboutTexts::*failure) {
    const bool opened = opener_ ? opener_(url) : openWithDesktop(url);
    if (opened) {
        return;
    }
    const QString address = url.scheme() == QLatin1String("mailto") ? QLatin1String(kMakerEmail)
                                                                    : QLatin1String(kMakerSite);
    const AboutTexts* texts = textsFor(languageCode_);
    const QString text = QString::fromUtf8((texts ? *texts : kTexts[1]).*failure).arg(address);
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

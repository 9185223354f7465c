#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/help/about_form.h"

namespace strikon {
namespace {

// Catches the addresses the About window opens instead of starting a browser or mail program.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    explicit UrlCatcher(QStringList schemes) : schemes_(std::move(schemes)) {
        for (const QString& scheme : schemes_) {
            QDesktopServices::setUrlHandler(scheme, this, "open");
        }
    }
    ~UrlCatcher() override {
        for (const QString& scheme : schemes_) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
    }
    QList<QUrl> urls;

  public slots:
    void open(const QUrl& url) { urls << url; }

  private:
    QStringList schemes_;
};

template <typename T>
T* child(const TAboutForm& form, const char* name) {
    T* widget = form.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString labelText(const TAboutForm& form, const char* name) {
    return child<QLabel>(form, name)->text();
}

void clickLabel(const TAboutForm& form, const char* name) {
    QLabel* label = child<QLabel>(form, name);
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
}

TEST(AboutForm, TextsFollowTheLanguageAtEveryShow) {
    TAboutForm form;
    for (const char* lang : {"ENG", "RUS", "RUS", "ENG"}) {
        form.setLanguage(lang);
        form.show();
        if (QLatin1String(lang) == "RUS") {
            EXPECT_EQ(form.windowTitle(), QString::fromUtf8("О программе"));
            EXPECT_EQ(labelText(form, "Label1"), QString::fromUtf8("Стрикон v. 1.1"));
            EXPECT_EQ(labelText(form, "Label2"), QString::fromUtf8("Велмора, 2005 год"));
        } else {
            EXPECT_EQ(form.windowTitle(), "About");
            EXPECT_EQ(labelText(form, "Label1"), "Strikon v. 1.1");
            EXPECT_EQ(labelText(form, "Label2"), "Velmora, 2005");
        }
        EXPECT_EQ(labelText(form, "Label3"), "www.velmora.example");
        EXPECT_EQ(labelText(form, "Label4"), "info@velmora.example");
        form.hide();
    }
}

TEST(AboutForm, WidthLimitsAndFixedHeight) {
    TAboutForm form;
    EXPECT_EQ(form.size(), QSize(225, 225));
    form.resize(100, 100);
    EXPECT_EQ(form.size(), QSize(195, 225));
    form.resize(400, 400);
    EXPECT_EQ(form.size(), QSize(225, 225));
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST(AboutForm, LinksLookLikeLinks) {
    TAboutForm form;
    QLabel* site = child<QLabel>(form, "Label3");
    QLabel* mail = child<QLabel>(form, "Label4");
    EXPECT_EQ(site->pos(), QPoint(46, 74));
    EXPECT_EQ(mail->pos(), QPoint(58, 103));
    EXPECT_EQ(site->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(mail->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(site->font().underline());
    EXPECT_FALSE(mail->font().underline());
    EXPECT_EQ(site->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);
}

TEST(AboutForm, MailLinkCarriesTheSubjectAsUtf8InBothLanguages) {
    UrlCatcher catcher({"mailto"});
    TAboutForm form;
    for (const char* lang : {"RUS", "ENG"}) {
        form.setLanguage(lang);
        form.show();
        clickLabel(form, "Label4");
        EXPECT_TRUE(form.isVisible());  // opening a link leaves the window open
    }
    ASSERT_EQ(catcher.urls.size(), 2);
    for (const QUrl& url : catcher.urls) {
        EXPECT_EQ(url.toEncoded(),
                  "mailto:info@velmora.example"
                  "?subject=%D0%A1%D1%82%D1%80%D0%B8%D0%BA%D0%BE%D0%BD%20v.%201.0");
    }
}

TEST(AboutForm, SiteLinkOpensTheHomePage) {
    UrlCatcher catcher({"http", "https"});
    TAboutForm form;
    form.show();
    clickLabel(form, "Label3");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front(), QUrl("http://www.velmora.example"));
    EXPECT_TRUE(form.isVisible());
}

TEST(AboutForm, LinkNothingCanOpenIsSaidWithItsAddress) {
    TAboutForm form;
    form.setLinkOpener([](const QUrl&) { return false; });
    QStringList notices;
    form.setFailureNotice([&notices](const QString& text) { notices << text; });
    form.show();
    form.setLanguage("ENG");
    clickLabel(form, "Label3");
    form.setLanguage("RUS");
    clickLabel(form, "Label4");
    ASSERT_EQ(notices.size(), 2) << "a failed link is never silent";
    EXPECT_EQ(notices[0], "No web browser could open the page. Its address: www.velmora.example");
    EXPECT_EQ(notices[1],
              "Не найдена почтовая программа, чтобы написать письмо. Адрес: info@velmora.example");
}

TEST(AboutForm, ShownModallyOverTheMainWindowAndClosedByOk) {
    QWidget mainWindow;
    mainWindow.setGeometry(300, 200, 600, 400);
    mainWindow.show();
    TAboutForm form;
    form.setLanguage("ENG");
    QRect shownAt;
    bool wasModal = false;
    QTimer::singleShot(0, &form, [&] {
        shownAt = form.geometry();
        wasModal = form.isModal() && QApplication::activeModalWidget() == &form;
        child<QPushButton>(form, "BitBtn1")->click();
    });
    EXPECT_EQ(form.ShowModalOver(&mainWindow), QDialog::Accepted);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(shownAt.center(), mainWindow.geometry().center());
    EXPECT_FALSE(form.isVisible());
}

TEST(AboutForm, EnterPressesTheDefaultButton) {
    TAboutForm form;
    QTimer::singleShot(0, &form, [&] { QTest::keyClick(&form, Qt::Key_Return); });
    EXPECT_EQ(form.ShowModalOver(nullptr), QDialog::Accepted);
}

}  // namespace
}  // namespace strikon

#include "about_form_test.moc"

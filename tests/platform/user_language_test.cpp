#include "platform/user_language.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdio>

namespace strikon {
namespace {

TEST(UserLanguage, CommonLocalesMapToWindowsIdentifiers) {
    const struct {
        const char* locale;
        uint16_t id;
    } rows[] = {
        {"ru_RU", 1049}, {"ru_MD", 2073}, {"en_US", 1033}, {"en_GB", 2057}, {"de_DE", 1031},
        {"fr_FR", 1036}, {"uk_UA", 1058}, {"be_BY", 1059}, {"kk_KZ", 1087}, {"en_AU", 3081},
        {"en_CA", 4105}, {"es_ES", 3082}, {"pt_BR", 1046}, {"zh_CN", 2052}, {"ja_JP", 1041},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(langIdForLocaleName(row.locale), row.id) << row.locale;
    }
}

TEST(UserLanguage, EncodingModifierSeparatorAndCaseDoNotMatter) {
    EXPECT_EQ(langIdForLocaleName("ru_RU.UTF-8"), 1049);
    EXPECT_EQ(langIdForLocaleName("ru-RU"), 1049);
    EXPECT_EQ(langIdForLocaleName("RU_ru"), 1049);
    EXPECT_EQ(langIdForLocaleName("de_DE@euro"), 1031);
    EXPECT_EQ(langIdForLocaleName("be_BY.CP1251"), 1059);
}

TEST(UserLanguage, BareLanguageMeansItsMainTerritory) {
    EXPECT_EQ(langIdForLocaleName("ru"), 1049);
    EXPECT_EQ(langIdForLocaleName("en"), 1033);
    EXPECT_EQ(langIdForLocaleName("de.UTF-8"), 1031);
}

TEST(UserLanguage, UnknownLocalesGiveZero) {
    // Russian outside the table must not pass for Russian in Russia.
    for (const char* name : {"ru_UA", "C", "POSIX", "C.UTF-8", "", "xx_YY", "_RU", "ru_"}) {
        EXPECT_EQ(langIdForLocaleName(name), 0) << '"' << name << '"';
    }
}

// Qt reads the locale from the environment once per process, so the process-wide function is
// checked in a child run of this binary that prints what it found.
TEST(UserLanguage, ChildPrintsItsDefault) {
    if (qEnvironmentVariableIsEmpty("STRIKON_PRINT_LANGID")) {
        GTEST_SKIP() << "only runs as the child of EnvironmentDecides";
    }
    printf("langid=%u\n", unsigned{userDefaultLangId()});
}

uint16_t langIdInChild(const QStringList& assignments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
        env.remove(name);
    }
    for (const QString& a : assignments) {
        env.insert(a.section('=', 0, 0), a.section('=', 1));
    }
    env.insert("STRIKON_PRINT_LANGID", "1");
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=UserLanguage.ChildPrintsItsDefault"});
    child.waitForFinished(30000);
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const qsizetype at = out.indexOf("langid=");
    return at < 0 ? 0xFFFF : static_cast<uint16_t>(out.mid(at + 7).section('\n', 0, 0).toUInt());
}

TEST(UserLanguage, EnvironmentDecides) {
    EXPECT_EQ(langIdInChild({"LANG=ru_RU.UTF-8"}), 1049);
    EXPECT_EQ(langIdInChild({"LANG=ru_MD.UTF-8"}), 2073);
    EXPECT_EQ(langIdInChild({"LANG=ru_RU.UTF-8", "LC_MESSAGES=en_GB.UTF-8"}), 2057);
    EXPECT_EQ(langIdInChild({"LANG=ru_RU.UTF-8", "LC_ALL=en_US.UTF-8"}), 1033);
    EXPECT_EQ(langIdInChild({"LANG=C"}), 0);
}

}  // namespace
}  // namespace strikon

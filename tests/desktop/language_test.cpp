// One language rule for both programs: the first of the user's languages
// that the programs have, English when none is; each program's own table
// and Qt's own table then speak it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRegularExpression>

#include "desktop/language.h"
#include "monitor_app/string_table.h"
#include "scanner_app/string_table.h"

namespace {

using desktop::Language;

struct Case {
  QStringList languages;
  Language expected;
};

const Case kCases[] = {
    {{QStringLiteral("zh-CN")}, Language::Chinese},
    {{QStringLiteral("fr-FR"), QStringLiteral("zh-CN")}, Language::Chinese},
    {{QStringLiteral("fr-FR"), QStringLiteral("en-GB"), QStringLiteral("zh-CN")}, Language::English},
    {{QStringLiteral("zh-TW")}, Language::Chinese},
    {{QStringLiteral("en-US")}, Language::English},
    {{QStringLiteral("de-DE")}, Language::English},
    // As QLocale spells them, and as a locale name does.
    {{QStringLiteral("fr"), QStringLiteral("fr-Latn-FR"), QStringLiteral("zh-Hans-CN")}, Language::Chinese},
    {{QStringLiteral("zh_TW")}, Language::Chinese},
    {{QStringLiteral("zu-ZA")}, Language::English},
    {{QStringLiteral("C")}, Language::English},
    {{}, Language::English},
};

std::string named(const QStringList& languages) {
  return "{" + languages.join(QLatin1Char(',')).toStdString() + "}";
}

bool isChinese(const QString& text) {
  static const QRegularExpression han(QStringLiteral("\\p{Han}"));
  return text.contains(han);
}

// Qt's own text of a text field's context menu, with the tables installed.
QString qtsUndo() { return QCoreApplication::translate("QLineEdit", "&Undo"); }

TEST(Language, IsTheFirstOfTheUsersLanguagesThatTheProgramsHave) {
  for (const Case& c : kCases) {
    EXPECT_EQ(desktop::languageFor(c.languages), c.expected) << named(c.languages);
  }
}

// Each program installs its own tables as it does at start (one program at
// a time: the tables leave with their owner).
TEST(Language, BothProgramsAndQtSpeakIt) {
  for (const Case& c : kCases) {
    const bool chinese = c.expected == Language::Chinese;
    {
      QObject owner;
      ASSERT_TRUE(monitor_app::installStringTable(owner, c.languages)) << named(c.languages);
      EXPECT_EQ(monitor_app::localized(QStringLiteral("connecting")),
                chinese ? QStringLiteral("正在连接") : QStringLiteral("Connecting"))
          << "status monitor, " << named(c.languages);
      EXPECT_EQ(isChinese(qtsUndo()), chinese) << "Qt beside the status monitor, " << named(c.languages);
    }
    {
      QObject owner;
      ASSERT_TRUE(scanner_app::installStringTable(owner, c.languages)) << named(c.languages);
      EXPECT_EQ(scanner_app::text("scan"), chinese ? QStringLiteral("扫描") : QStringLiteral("Scan"))
          << "scanner, " << named(c.languages);
      EXPECT_EQ(isChinese(qtsUndo()), chinese) << "Qt beside the scanner, " << named(c.languages);
    }
    EXPECT_EQ(qtsUndo(), QStringLiteral("&Undo")) << "a table outlived its owner";
  }
}

TEST(Language, QtsTablesAreInstalledForBothLanguages) {
  for (const Language language : {Language::English, Language::Chinese}) {
    QTranslator table;
    EXPECT_TRUE(desktop::loadQtTable(table, language))
        << "Qt's translations are not installed (qt6-translations-l10n)";
  }
}

}  // namespace

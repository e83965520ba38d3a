// One language rule for both programs: the first of the user's languages
// that the programs have, English when none is; each program's own table
// and Qt's own table then speak it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QXmlStreamReader>

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

// The user's languages as the environment gives them. The C and POSIX
// locales for messages ignore LANGUAGE, as GNU gettext does; C.UTF-8 does
// not.
TEST(Language, FollowsTheEnvironmentAsGettextDoes) {
  const struct {
    QStringList environment;
    const char* expected;
  } cases[] = {
      {{"LANG=zh_CN.UTF-8"}, "Chinese"},
      {{"LANG=en_US.UTF-8", "LANGUAGE=zh_CN:en"}, "Chinese"},
      {{"LANG=zh_CN.UTF-8", "LANGUAGE=fr:en_GB"}, "English"},
      {{"LC_ALL=C", "LANGUAGE=zh_CN"}, "English"},
      {{"LC_ALL=POSIX", "LANG=zh_CN.UTF-8", "LANGUAGE=zh_CN"}, "English"},
      {{"LC_MESSAGES=C", "LANG=zh_CN.UTF-8", "LANGUAGE=zh_CN"}, "English"},
      {{"LANG=C", "LANGUAGE=zh_CN"}, "English"},
      {{"LANGUAGE=zh_CN"}, "English"},
      {{"LC_ALL=C.UTF-8", "LANGUAGE=zh_CN"}, "Chinese"},
      {{"LC_ALL=zh_CN.UTF-8", "LC_MESSAGES=C"}, "Chinese"},
      {{"LC_MESSAGES=zh_CN.UTF-8", "LANG=C"}, "Chinese"},
  };
  for (const auto& c : cases) {
    QProcessEnvironment environment;
    for (const QString& setting : c.environment) {
      environment.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    }
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(LANGUAGE_PROBE), QStringList());
    ASSERT_TRUE(probe.waitForFinished(30000)) << probe.errorString().toStdString();
    EXPECT_EQ(probe.readAllStandardOutput().trimmed().toStdString(), c.expected)
        << named(c.environment);
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

// A string table's texts by key, as its source file holds them.
QMap<QString, QString> tableTexts(const QString& file) {
  QMap<QString, QString> texts;
  QFile ts(file);
  EXPECT_TRUE(ts.open(QIODevice::ReadOnly)) << file.toStdString();
  QXmlStreamReader xml(&ts);
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) {
      continue;
    }
    if (xml.name() == QLatin1String("source")) {
      source = xml.readElementText();
    } else if (xml.name() == QLatin1String("translation")) {
      texts.insert(source, xml.readElementText());
    }
  }
  EXPECT_FALSE(xml.hasError()) << file.toStdString() << ": " << xml.errorString().toStdString();
  return texts;
}

// The button that closes an alert or takes a form reads one word in each
// language, whichever program and whichever key shows it.
TEST(Language, EveryOkReadsTheSameInBothPrograms) {
  const QString sources = QStringLiteral(SOURCE_DIR);
  const struct {
    const char* program;
    const char* english;
    const char* chinese;
  } tables[] = {
      {"status monitor", "/monitor_app/translations/monitor_en.ts", "/monitor_app/translations/monitor_zh_CN.ts"},
      {"scanner", "/scanner_app/translations/scanner_en.ts", "/scanner_app/translations/scanner_zh_CN.ts"},
  };
  int oks = 0;
  for (const auto& table : tables) {
    const QMap<QString, QString> english = tableTexts(sources + QLatin1String(table.english));
    const QMap<QString, QString> chinese = tableTexts(sources + QLatin1String(table.chinese));
    for (auto key = english.begin(); key != english.end(); ++key) {
      if (key.value() == QLatin1String("OK")) {
        ++oks;
        EXPECT_EQ(chinese.value(key.key()).toStdString(), "确定") << table.program << ", key " << key.key().toStdString();
      }
    }
    for (auto key = chinese.begin(); key != chinese.end(); ++key) {
      if (key.value() == QStringLiteral("确定") || key.value() == QStringLiteral("好")) {
        EXPECT_EQ(english.value(key.key()).toStdString(), "OK") << table.program << ", key " << key.key().toStdString();
      }
    }
  }
  // The status monitor's "ok", "OK" and "确定", the scanner's "ok".
  EXPECT_GE(oks, 4);
}

TEST(Language, QtsTablesAreInstalledForBothLanguages) {
  for (const Language language : {Language::English, Language::Chinese}) {
    QTranslator table;
    EXPECT_TRUE(desktop::loadQtTable(table, language))
        << "Qt's translations are not installed (qt6-translations-l10n)";
  }
}

}  // namespace

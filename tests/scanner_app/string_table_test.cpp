// The built-in string tables: every key the scanner's code can show has a
// text in English and in Chinese.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTranslator>
#include <filesystem>
#include <set>
#include <string>

#include "scanner/picker_options.h"
#include "scan/conversation/scan_status.h"
#include "scanner_app/string_table.h"
#include "temp_dir.h"

namespace scanner_app {
namespace {

namespace fs = std::filesystem;

// Every key marked for the "Localizable" table in the scan engine and the
// window, as lupdate would collect them.
std::set<std::string> markedKeys() {
  static const QRegularExpression marked(
      QStringLiteral(R"re(QT_TRANSLATE_NOOP\(\s*"Localizable"\s*,\s*"((?:[^"\\]|\\.)*)"\s*\))re"));
  std::set<std::string> keys;
  for (const char* folder : {"scan", "scanner_app"}) {
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(SCANNER_SOURCE_DIR) / folder)) {
      const auto extension = entry.path().extension();
      if (extension != ".h" && extension != ".cpp") continue;
      const QString source = QString::fromStdString(test_support::readFile(entry.path()));
      for (auto match = marked.globalMatch(source); match.hasNext();) {
        keys.insert(match.next().captured(1).toStdString());
      }
    }
  }
  return keys;
}

// Everything a view or the model looks up: the marked keys, the status
// table's keys and the option lists' entries (the resolutions are shown as
// they are and are no keys).
std::set<std::string> shownKeys() {
  std::set<std::string> keys = markedKeys();
  for (const auto& row : scan::ScanStatus) keys.emplace(row.key);
  for (const auto& list : {scan::scanSourceOption, scan::colorModeOption, scan::typeOption}) {
    for (const auto entry : list) keys.emplace(entry);
  }
  for (const auto& list : {scan::pageSizeOption, scan::combineTypeOption}) {
    for (const auto entry : list) keys.emplace(entry);
  }
  return keys;
}

TEST(StringTables, EveryShownKeyHasAnEnglishAndAChineseText) {
  const std::set<std::string> keys = shownKeys();
  // The collection itself works: keys of the engine, the status table, the
  // option lists and the window are among them.
  for (const char* anchor : {"contenType", "invalidSaveFileName", "paperJunck", "CombinHorizontal", "noSaveDir"}) {
    ASSERT_TRUE(keys.count(anchor)) << anchor;
  }
  QTranslator english;
  QTranslator chinese;
  ASSERT_TRUE(loadStringTable(english, Language::English));
  ASSERT_TRUE(loadStringTable(chinese, Language::Chinese));
  for (const std::string& key : keys) {
    EXPECT_FALSE(english.translate("Localizable", key.c_str()).isEmpty()) << "no English text for " << key;
    EXPECT_FALSE(chinese.translate("Localizable", key.c_str()).isEmpty()) << "no Chinese text for " << key;
  }
}

TEST(StringTables, ChineseLabelsAreChinese) {
  QTranslator chinese;
  ASSERT_TRUE(loadStringTable(chinese, Language::Chinese));
  static const QRegularExpression han(QStringLiteral("\\p{Han}"));
  for (const char* key : {"scanner", "refreshScanner", "scanSource", "colorMode", "contenType", "resolution",
                          "combineType", "pageSize", "saveFileType", "rotateAngle", "saveFileName", "saveTo",
                          "browser", "scan", "ok", "error", "info"}) {
    EXPECT_TRUE(chinese.translate("Localizable", key).contains(han)) << key;
  }
}

// The success alert is put together from two texts around the count.
TEST(StringTables, PageCountReadsWellInBothLanguages) {
  for (const auto& [language, expected] : {std::pair{Language::English, QStringLiteral("Scanned 3 page(s).")},
                                           std::pair{Language::Chinese, QStringLiteral("已扫描 3 页。")}}) {
    QTranslator table;
    ASSERT_TRUE(loadStringTable(table, language));
    EXPECT_EQ(table.translate("Localizable", "scanPages") + QStringLiteral("3") + QStringLiteral(" ") +
                  table.translate("Localizable", "pages"),
              expected);
  }
}

}  // namespace
}  // namespace scanner_app

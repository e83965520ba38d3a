// Texts break into lines only between words, in English and in Chinese; a
// line break in a text begins a line; a word too long for its line breaks
// inside, after a "/" where it holds one, else after a hyphen or an
// underscore. The window checker judges lines by the same words.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

#include <cmath>

#include "desktop/text_wrap.h"
#include "desktop/words.h"
#include "window_fit.h"

namespace {

const QString kWifi = QStringLiteral("The printer has taken the Wi-Fi settings");
const QString kChinese = QStringLiteral("当前wifi模式不支持");

int at(const QString& text, const char* word) { return static_cast<int>(text.indexOf(QLatin1String(word))); }

// The width a line needs for `text`.
int widthOf(const QString& text, const QFont& font) {
  return static_cast<int>(std::ceil(desktop::drawnSize(text, font).width()));
}

std::string joined(const QStringList& lines) { return lines.join(QStringLiteral(" | ")).toStdString(); }

TEST(TextWrap, LinesBeginOnlyBetweenWords) {
  const struct {
    const char* name;
    QString text;
    int start;
    bool insideWord;
  } cases[] = {
      {"text start", kWifi, 0, false},
      {"after a space", kWifi, at(kWifi, "Wi-Fi"), false},
      {"after the hyphen", kWifi, at(kWifi, "Fi "), true},
      {"inside a word", kWifi, at(kWifi, "ken"), true},
      {"after an apostrophe", QStringLiteral("The printer's reply"), 12, true},
      {"inside a number", QStringLiteral("Scanned 1200 pages"), 10, true},
      {"Chinese before a Latin word", kChinese, 2, false},
      {"Chinese after a Latin word", kChinese, 6, false},
      {"between Chinese characters", kChinese, 8, false},
      {"inside the Latin word", kChinese, 4, true},
      {"after Chinese punctuation", QStringLiteral("请检查，然后刷新"), 4, false},
      {"between Chinese words", QStringLiteral("没有连接的设备"), 5, false},
      {"inside a Chinese word", QStringLiteral("没有连接的设备"), 6, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(desktop::beginsInsideWord(c.text, c.start), c.insideWord) << c.name;
  }
}

// The lines a text gives at the width of `widthOf`, and at every width no
// fault as the window checker sees them (no line wider than its width, none
// beginning inside a word that would fit a line, none left out).
TEST(TextWrap, GivesTheLinesAndBreaksNoWordAtAnyWidth) {
  const QFont font = QApplication::font();
  const QString letters(10, QLatin1Char('x'));
  const struct {
    const char* name;
    QString text;
    QString widthOf;
    QStringList lines;
  } cases[] = {
      // Qt alone would end the line with "Wi-".
      {"a hyphen", QStringLiteral("Turn on Wi-Fi now"), QStringLiteral("Turn on Wi-"), {"Turn on", "Wi-Fi now"}},
      {"an apostrophe", QStringLiteral("Open the printer's cover"), QStringLiteral("the printer'"),
       {"Open the", "printer's", "cover"}},
      // Qt alone would end the line with "连".
      {"Chinese words", QStringLiteral("设备已连接"), QStringLiteral("设备已连"), {"设备已", "连接"}},
      {"spaces", QStringLiteral("Cannot reach the scanner"), QStringLiteral("Cannot reach the"),
       {"Cannot reach the", "scanner"}},
      // Wide enough for the whole text as one line, were the break a space.
      {"a line break", QStringLiteral("Scan failed.\nPages kept: 2"), QStringLiteral("Scan failed. Pages kept: 2 x"),
       {"Scan failed.", "Pages kept: 2"}},
      {"a word longer than the line", QStringLiteral("in ") + letters + letters + QStringLiteral("xxxx"), letters,
       {"in", letters, letters, "xxxx"}},
      {"a long word with a slash", QStringLiteral("on 2024/01/02"), QStringLiteral("2024/01/0"),
       {"on", "2024/01/", "02"}},
      // A folder's name wider than the line breaks after a hyphen, as a
      // reader expects, not between two letters ("Buchha" / "ltung").
      {"a hyphenated folder", QStringLiteral("in /home/Abteilung-Buchhaltung-zweites-Halbjahr"),
       QStringLiteral("Abteilung-Buchhaltung-zw"), {"in /home/", "Abteilung-Buchhaltung-", "zweites-Halbjahr"}},
      {"an underscored folder", QStringLiteral("in accounting_department_quarterly_scans"),
       QStringLiteral("accounting_department_qu"), {"in", "accounting_department_", "quarterly_scans"}},
      // Not an empty first line.
      {"leading white space", QStringLiteral("  ") + letters + letters, letters, {letters, letters}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(joined(desktop::wrappedLines(c.text, font, widthOf(c.widthOf, font))), joined(c.lines)) << c.name;
    // From the widest character up, where every line can fit.
    int widest = 1;
    for (const QChar character : c.text) {
      widest = std::max(widest, widthOf(character, font));
    }
    for (int width = widest; width <= widthOf(c.text, font) + 1; ++width) {
      const QStringList lines = desktop::wrappedLines(c.text, font, width);
      const QStringList faults = test_support::lineFaults(c.text, lines, font, width);
      EXPECT_TRUE(faults.isEmpty()) << c.name << " at " << width << ": " << joined(lines) << ": " << joined(faults);
    }
  }
}

// The checker judges drawn lines by the same words, Chinese ones too.
TEST(TextWrap, TheWindowCheckerFindsEveryBrokenLine) {
  const QFont font = QApplication::font();
  const QString letters(10, QLatin1Char('x'));
  const struct {
    const char* name;
    QString text;
    QStringList lines;
    QString widthOf;
    const char* fault;  // empty: none
  } cases[] = {
      {"a Chinese word broken", QStringLiteral("打印机已连接"), {"打", "印机已连接"}, QStringLiteral("打印机已连接"),
       "a line begins inside a word: 打|印"},
      // More than one character of the broken word on the next line.
      {"a long Chinese word broken", QStringLiteral("多功能一体机"), {"多", "功能一体机"}, QStringLiteral("多功能一体机"),
       "a line begins inside a word: 多|功能"},
      {"Chinese between words", QStringLiteral("打印机已连接"), {"打印机已", "连接"}, QStringLiteral("打印机已连接"), ""},
      {"a hyphenated word broken", QStringLiteral("Turn on Wi-Fi"), {"Turn on Wi-", "Fi"}, QStringLiteral("Turn on Wi-"),
       "a line begins inside a word: Wi-|Fi"},
      {"a line too wide", QStringLiteral("Turn on Wi-Fi"), {"Turn on Wi-Fi"}, QStringLiteral("Turn on"),
       "wider than the label"},
      {"a long word broken where its line is full", letters + letters, {letters, letters}, letters, ""},
      {"a long word broken early", letters + letters, {letters.left(9), letters, "x"}, letters,
       "a long word breaks before its line is full"},
      {"text left out", QStringLiteral("Cannot reach the scanner"), {"Cannot reach", "scanner"},
       QStringLiteral("Cannot reach the"), "the lines leave out"},
      {"a compound broken between letters", QStringLiteral("Abteilung-Buchhaltung"), {"Abteilung-Buchh", "altung"},
       QStringLiteral("Abteilung-Buchh"), "a long word breaks between letters where a hyphen fitted: Abteilung-Buchh|altung"},
      {"an empty first line", QStringLiteral("  ") + letters + letters, {"", letters, letters}, letters,
       "an empty line before"},
      {"an empty line for a blank paragraph", QStringLiteral("Scan failed.\n \nPages kept: 2"),
       {"Scan failed.", "", "Pages kept: 2"}, QStringLiteral("Pages kept: 2"), ""},
  };
  for (const auto& c : cases) {
    const QStringList faults = test_support::lineFaults(c.text, c.lines, font, widthOf(c.widthOf, font));
    if (*c.fault == '\0') {
      EXPECT_TRUE(faults.isEmpty()) << c.name << ": " << joined(faults);
    } else {
      EXPECT_EQ(faults.size(), 1) << c.name << ": " << joined(faults);
      EXPECT_TRUE(!faults.isEmpty() && faults.front().startsWith(QString::fromUtf8(c.fault)))
          << c.name << ": " << joined(faults);
    }
  }
}

}  // namespace

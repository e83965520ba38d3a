// Alert texts break into lines only between words, in English and in
// Chinese.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

#include "desktop/text_wrap.h"
#include "desktop/words.h"

namespace {

const QString kWifi = QStringLiteral("The printer has taken the Wi-Fi settings");
const QString kChinese = QStringLiteral("当前wifi模式不支持");

int at(const QString& text, const char* word) { return static_cast<int>(text.indexOf(QLatin1String(word))); }

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
    EXPECT_EQ(desktop::breaksBetweenWords(c.text, {0, c.start}), !c.insideWord) << c.name;
  }
}

// Plain word wrap breaks after a hyphen ("Wi-" / "Fi") and a long word
// anywhere; the width chosen keeps every word whole, at every width asked
// for.
TEST(TextWrap, TheWidthChosenKeepsEveryWordWhole) {
  const QFont font = QApplication::font();
  const QFontMetrics metrics(font);
  const QString messages[] = {kWifi, kChinese, QStringLiteral("没有找到打印机，请检查打印机的连接后刷新打印机列表"),
                              QStringLiteral("Connection to the scanner's network address failed")};
  bool plainWrapBrokeAWord = false;
  for (const QString& message : messages) {
    const int oneLine = metrics.horizontalAdvance(message) + 1;
    for (int preferred = metrics.averageCharWidth(); preferred <= oneLine; ++preferred) {
      plainWrapBrokeAWord |= !desktop::breaksBetweenWords(message, desktop::lineStarts(message, font, preferred));
      const int width = desktop::widthBreakingBetweenWords(message, font, preferred);
      EXPECT_GE(width, preferred) << message.toStdString();
      EXPECT_LE(width, oneLine) << message.toStdString();
      EXPECT_TRUE(desktop::breaksBetweenWords(message, desktop::lineStarts(message, font, width)))
          << message.toStdString() << " at " << width << " (asked " << preferred << ")";
    }
  }
  // The fixture shows the fault it guards against.
  EXPECT_TRUE(plainWrapBrokeAWord);
}

}  // namespace

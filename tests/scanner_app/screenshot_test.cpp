// Screenshots of the window on an X server (Xvfb) in English and in
// Chinese, at its first size and at its minimum, saved for review and
// checked by pixel probes: every label is drawn, and Chinese labels show
// their characters, not the boxes of a font without them. The window lists
// the simulated USB scanner. Without a scanner, the start-up alert opens
// over the window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <memory>
#include <optional>
#include <tuple>

#include "desktop/alert.h"
#include "scanner_app/string_table.h"
#include "sim/usb/scanner.h"
#include "window_support.h"

namespace {

using namespace wintest;
using scanner_app::ContentView;
using scanner_app::Language;

// Pixels of `picture` at least `threshold` grey levels away from `ground`.
int inkIn(const QImage& picture, QRect area, QColor ground, int threshold = 80) {
  int ink = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (std::abs(qGray(picture.pixel(x, y)) - qGray(ground.rgb())) >= threshold) ++ink;
    }
  }
  return ink;
}

// The share of pixels whose grey differs by more than a quarter.
double difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 1.0;
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64) ++differing;
    }
  }
  return static_cast<double>(differing) / (a.width() * a.height());
}

// The font as a machine without Chinese fonts has it: no fallback from the
// family to fonts that have the characters. Nothing when the family has
// Chinese characters itself.
std::optional<QFont> withoutChinese(const QFont& font) {
  QFont alone = font;
  alone.setStyleStrategy(QFont::NoFontMerging);
  if (QFontDatabase::writingSystems(QFontInfo(alone).family()).contains(QFontDatabase::SimplifiedChinese)) {
    return std::nullopt;
  }
  return alone;
}

// The label drawn again on its own, in `font`.
QImage redrawn(const QLabel& label, const QFont& font) {
  QLabel copy(label.text());
  copy.setTextFormat(label.textFormat());
  copy.setAlignment(label.alignment());
  copy.setFont(font);
  copy.resize(label.size());
  return copy.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QString fileTag(Language language) {
  return language == Language::Chinese ? QStringLiteral("zh_CN") : QStringLiteral("en");
}

void skipUnlessOnX(const sim::usb::Testbed& bus) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X server (Xvfb)";
  if (!bus.active()) GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
}

enum class Size { initial, minimum };

// The window at its first size or resized to its minimum, once it lists the
// USB scanner.
class Screenshot : public ::testing::TestWithParam<std::tuple<Language, Size>> {
 protected:
  void SetUp() override {
    skipUnlessOnX(bus);
    if (IsSkipped()) return;
    tables = std::make_unique<LanguageTables>(std::get<0>(GetParam()));
    ASSERT_TRUE(tables->loaded());
    scanner = std::make_unique<sim::usb::Scanner>(bus.addDevice(sim::usb::ktr6620lxvScanner()),
                                                  sim::usb::ScannerScript{});
    window = std::make_unique<ContentView>(screenOptions());
    window->settingView().state().setSaveDir(QStringLiteral("/home/user/Desktop"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(waitFor([&] {
      return control<QComboBox>(*window, "scannerPicker")->count() == 1 && window->settingView().isEnabled();
    }));
    const bool minimum = std::get<1>(GetParam()) == Size::minimum;
    if (minimum) {
      window->resize(window->minimumSize());
      ASSERT_TRUE(waitFor([&] { return window->size() == window->minimumSize(); }));
    }
    // The X server may show the window's last drawing a while later on a
    // busy machine: the shot is taken once the screen shows what the window
    // draws.
    const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(waitFor([&] {
      shot = window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
      return difference(shot, drawn) < 0.005;
    })) << "the screen does not show what the window draws";
    QDir().mkpath(QStringLiteral("screenshots"));
    shot.save(QStringLiteral("screenshots/scanner-%1%2.png")
                  .arg(fileTag(std::get<0>(GetParam())), minimum ? QStringLiteral("-minimum") : QString()));
  }

  QRect areaOf(const QWidget* widget) const { return QRect(widget->mapTo(window.get(), QPoint(0, 0)), widget->size()); }
  Language language() const { return std::get<0>(GetParam()); }

  sim::usb::Testbed bus;
  std::unique_ptr<LanguageTables> tables;
  std::unique_ptr<sim::usb::Scanner> scanner;
  std::unique_ptr<ContentView> window;
  QImage shot;
};

TEST_P(Screenshot, ShowsTheWindowWithEveryLabelDrawn) {
  ASSERT_EQ(shot.size(), window->size());
  const QColor ground = window->palette().color(QPalette::Window);
  EXPECT_EQ(QColor(shot.pixel(2, 2)), ground);
  const auto labels = window->findChildren<QLabel*>();
  ASSERT_FALSE(labels.isEmpty());
  for (const QLabel* label : labels) {
    if (!label->isVisible()) continue;
    EXPECT_GT(inkIn(shot, areaOf(label), ground), 10) << label->text().toStdString();
  }
  const QComboBox* picker = control<QComboBox>(*window, "scannerPicker");
  EXPECT_EQ(picker->currentText(), QStringLiteral("KTR6620LXV"));
  EXPECT_GT(inkIn(shot, areaOf(picker), picker->palette().color(QPalette::Button)), 10);
}

TEST_P(Screenshot, LabelsShowTheirCharactersNotBoxes) {
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty()) continue;
    const std::string name = label->text().toStdString();
    const QImage onScreen = shot.copy(areaOf(label));
    // The probe itself: the label drawn again as it is matches the screen.
    EXPECT_LT(difference(onScreen, redrawn(*label, label->font())), 0.02) << name;
    const std::optional<QFont> alone = withoutChinese(label->font());
    if (!alone) GTEST_SKIP() << "the window's font has Chinese characters itself: no boxes to compare with";
    const double fromBoxes = difference(onScreen, redrawn(*label, *alone));
    if (language() == Language::Chinese) {
      EXPECT_GT(fromBoxes, 0.05) << name << " is drawn as a font without Chinese draws it";
    } else {
      EXPECT_LT(fromBoxes, 0.02) << name << ": Latin text needs no other font";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, Screenshot,
                         ::testing::Combine(::testing::Values(Language::English, Language::Chinese),
                                            ::testing::Values(Size::initial, Size::minimum)),
                         [](const auto& tested) {
                           return languageName(std::get<0>(tested.param)) +
                                  (std::get<1>(tested.param) == Size::minimum ? "AtMinimum" : "AtFirst");
                         });

// With no scanner the first discovery ends in an alert, which opens over the
// window wherever the window stands, drawn whole.
class StartUpAlert : public ::testing::TestWithParam<Language> {
 protected:
  sim::usb::Testbed bus;
};

TEST_P(StartUpAlert, OpensOverTheWindow) {
  skipUnlessOnX(bus);
  if (IsSkipped()) return;
  const LanguageTables tables(GetParam());
  ASSERT_TRUE(tables.loaded());
  ContentView window(screenOptions());
  window.move(180, 120);
  window.show();
  ASSERT_TRUE(waitFor([&] { return shownAlert(window) != nullptr; }));
  desktop::Alert* alert = shownAlert(window);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(alert));
  // Where the screen shows them: their client areas. Qt's frame rectangle
  // of the alert can lag behind them (it may still be 1x1 while the alert is
  // shown in place), so frames are not compared. A window manager has the
  // last word on where the alert goes, a moment after it is shown (longer on
  // a busy machine), and may shift it by about its title bar.
  const int offCentre = qEnvironmentVariableIsSet("TEST_WINDOW_MANAGER") ? 40 : 16;
  const auto offBy = [&] { return (alert->geometry().center() - window.geometry().center()).manhattanLength(); };
  EXPECT_TRUE(waitFor([&] { return offBy() <= offCentre; }))
      << offBy() << " px off centre: the alert at " << alert->geometry().x() << "," << alert->geometry().y()
      << ", the window at " << window.geometry().x() << "," << window.geometry().y();
  EXPECT_TRUE(window.geometry().contains(alert->geometry().center()));

  // The screen shows the alert's title there, drawn.
  const QRect both = window.geometry().united(alert->geometry());
  const auto* title = alert->findChild<QLabel*>(QStringLiteral("alertTitle"));
  const QColor ground = alert->palette().color(QPalette::Window);
  QImage screen;
  EXPECT_TRUE(waitFor([&] {
    screen = window.screen()
                 ->grabWindow(0, both.x(), both.y(), both.width(), both.height())
                 .toImage()
                 .convertToFormat(QImage::Format_RGB32);
    const QRect titleOnScreen(title->mapToGlobal(QPoint(0, 0)) - both.topLeft(), title->size());
    return inkIn(screen, titleOnScreen, ground) > 10;
  })) << "no title drawn where the alert is";
  screen.save(QStringLiteral("screenshots/scanner-alert-%1.png").arg(fileTag(GetParam())));
  ASSERT_TRUE(dismissAlert(window));
}

INSTANTIATE_TEST_SUITE_P(Languages, StartUpAlert, ::testing::Values(Language::English, Language::Chinese),
                         [](const auto& tested) { return languageName(tested.param); });

}  // namespace

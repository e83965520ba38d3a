// The application's window through its widgets, offscreen: the rows and
// their interlocks, the alert, the scan button's checks, the folder
// chooser, and scans against the network scanner simulator on loopback.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "desktop/alert.h"
#include "scan/message_keys.h"
#include "scanner_app/view_keys.h"
#include "sim/scanner/page_saved.h"
#include "sim/scanner/scanner_sim.h"
#include "sim/usb/usb_sim.h"
#include "temp_dir.h"
#include "window_support.h"

namespace {

using namespace wintest;
using scanner_app::ContentView;
using sim::scanner::ScannerSim;
using sim::scanner::Script;
namespace fs = std::filesystem;

enum Source { AUTO = 0, ADF = 1, FB = 2 };
enum Mode { CGRAY = 0, TEXT = 2 };
enum Combine { NoCombine = 0, Horizontal = 1, IDCard = 3 };
enum PageSize { A4 = 0, Letter = 3 };

Script pages(int count) {
  Script script;
  for (int page = 1; page <= count; ++page) script.pages.push_back(jpegPage(page));
  return script;
}

// A click and a press of the space bar on each button, as the platform
// delivers input: queued for the GUI thread. Made here, posted while the GUI
// thread is busy.
std::vector<std::pair<QObject*, QEvent*>> clicksAndKeysOn(std::initializer_list<QPushButton*> buttons) {
  std::vector<std::pair<QObject*, QEvent*>> input;
  for (QPushButton* target : buttons) {
    const QPointF centre = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(centre);
    input.emplace_back(target, new QMouseEvent(QEvent::MouseButtonPress, centre, global, Qt::LeftButton,
                                               Qt::LeftButton, Qt::NoModifier));
    input.emplace_back(target, new QMouseEvent(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton,
                                               Qt::NoButton, Qt::NoModifier));
    input.emplace_back(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    input.emplace_back(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
  }
  return input;
}

void post(std::vector<std::pair<QObject*, QEvent*>>& input) {
  for (const auto& [target, event] : input) QCoreApplication::postEvent(target, event);
  input.clear();
}

// The window as the user first sees it: shown, its first discovery done
// (it finds nothing: no interface to ask, an empty USB bus) and its alert
// dismissed; the save folder a temporary one.
class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!bus.active()) GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
    open(screenOptions());
  }

  void open(scanner_app::ScreenOptions options) {
    window = std::make_unique<ContentView>(std::move(options));
    window->settingView().state().setSaveDir(QString::fromStdString(save.str()));
    window->show();
    ASSERT_TRUE(dismissAlert(*window)) << "no alert after the first discovery";
  }

  scan::ScannerModel& model() const { return window->settingView().model(); }
  scanner_app::SettingsState& state() const { return window->settingView().state(); }
  QComboBox* picker(const char* name) const { return control<QComboBox>(*window, name); }
  QPushButton* button(const char* name) const { return control<QPushButton>(*window, name); }
  QLineEdit* field(const char* name) const { return control<QLineEdit>(*window, name); }
  bool rowShown(QWidget* control) const { return control->isVisibleTo(window.get()); }

  void clickScan() { QTest::mouseClick(button("scanButton"), Qt::LeftButton); }

  // The alert's texts once it shows.
  std::pair<std::string, std::string> alertAfter(const std::function<void()>& action) {
    action();
    if (!waitFor([&] { return shownAlert(*window) != nullptr; })) return {"(no alert)", ""};
    const desktop::Alert* alert = shownAlert(*window);
    return {alert->title().toStdString(), alert->message().toStdString()};
  }

  // Keeps discovery off the machine's own USB devices.
  sim::usb::Testbed bus;
  test_support::TempDir save;
  std::unique_ptr<ContentView> window;
};

TEST_F(Window, OpensWithItsDefaultsAndNoScanner) {
  window.reset();
  window = std::make_unique<ContentView>(screenOptions());
  window->show();
  EXPECT_EQ(picker("scannerPicker")->count(), 0);
  EXPECT_EQ(field("saveFileNameField")->text(), QStringLiteral("file"));
  for (const char* name : {"scanSourcePicker", "colorModePicker", "contentTypePicker", "resolutionPicker",
                           "combineTypePicker", "pageSizePicker", "saveFileTypePicker", "rotateAnglePicker"}) {
    EXPECT_EQ(chosenTag(picker(name)), 0) << name;
  }
  ASSERT_TRUE(waitFor([&] { return shownAlert(*window) != nullptr; }));
  EXPECT_EQ(shownAlert(*window)->title().toStdString(), text(scan::keys::kError));
  EXPECT_EQ(shownAlert(*window)->message().toStdString(), text(scan::keys::kNoScannerFound));
  EXPECT_TRUE(model().selectedScanner().type.empty());
  ASSERT_TRUE(dismissAlert(*window));
  EXPECT_FALSE(model().showAlert());
}

// The screen is at least 350 by 400 and ideally 450 by 400, plus its margin
// of 5 on every side, and never smaller than its rows need.
TEST_F(Window, TakesItsSizeLimitsFromTheScreen) {
  const QSize minimum = window->minimumSize();
  const QSize needed = window->settingView().layout()->minimumSize() + QSize(10, 10);
  EXPECT_EQ(minimum, needed.expandedTo(QSize(360, 410)));
  EXPECT_EQ(window->maximumSize(), QSize(760, 610));
  EXPECT_EQ(window->size(), minimum.expandedTo(QSize(460, 410)));
  EXPECT_EQ(picker("scanSourcePicker")->width(), 230);
}

TEST_F(Window, SourceRowDecidesTheResolutionRows) {
  EXPECT_EQ(picker("resolutionPicker")->count(), 3);
  choose(picker("scanSourcePicker"), FB);
  ASSERT_EQ(picker("resolutionPicker")->count(), 4);
  EXPECT_EQ(picker("resolutionPicker")->itemText(3), QStringLiteral("1200dpi"));
  choose(picker("resolutionPicker"), 3);
  EXPECT_EQ(state().resolution(), 3);
  choose(picker("scanSourcePicker"), ADF);
  EXPECT_EQ(picker("resolutionPicker")->count(), 3);
  EXPECT_EQ(picker("resolutionPicker")->currentText(), QStringLiteral("200dpi"));
  EXPECT_EQ(state().resolution(), 0);
}

TEST_F(Window, IDCardLocksSourceAndPageSizeAndNoCombineFreesThem) {
  choose(picker("scanSourcePicker"), ADF);
  choose(picker("pageSizePicker"), Letter);
  QSignalSpy changed(&state(), &scanner_app::SettingsState::changed);
  choose(picker("combineTypePicker"), IDCard);
  // The interlocks moved three pickers; their own signals changed nothing more.
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(chosenTag(picker("scanSourcePicker")), FB);
  EXPECT_FALSE(picker("scanSourcePicker")->isEnabled());
  EXPECT_EQ(chosenTag(picker("pageSizePicker")), A4);
  EXPECT_FALSE(picker("pageSizePicker")->isEnabled());
  EXPECT_FALSE(rowShown(picker("rotateAnglePicker")));

  choose(picker("combineTypePicker"), NoCombine);
  EXPECT_EQ(chosenTag(picker("scanSourcePicker")), FB);
  EXPECT_TRUE(picker("scanSourcePicker")->isEnabled());
  EXPECT_EQ(chosenTag(picker("pageSizePicker")), A4);
  EXPECT_TRUE(picker("pageSizePicker")->isEnabled());
  EXPECT_TRUE(rowShown(picker("rotateAnglePicker")));
}

TEST_F(Window, MergeInTextModeSetsTheFileTypeToBmpAndLocksIt) {
  choose(picker("saveFileTypePicker"), 1);
  EXPECT_FALSE(rowShown(field("saveFileNameField")));
  choose(picker("colorModePicker"), TEXT);
  EXPECT_EQ(picker("saveFileTypePicker")->itemText(0).toStdString(), text(scanner_app::keys::kBmp));
  EXPECT_FALSE(rowShown(picker("rotateAnglePicker")));
  choose(picker("combineTypePicker"), Horizontal);
  EXPECT_EQ(chosenTag(picker("saveFileTypePicker")), 0);
  EXPECT_FALSE(picker("saveFileTypePicker")->isEnabled());
  EXPECT_TRUE(rowShown(field("saveFileNameField")));
  choose(picker("colorModePicker"), CGRAY);
  EXPECT_EQ(picker("saveFileTypePicker")->itemText(0).toStdString(), text(scanner_app::keys::kJpeg));
  EXPECT_TRUE(picker("saveFileTypePicker")->isEnabled());
}

TEST_F(Window, ScannerLabelsAndAlertTextsAreShownAsPlainText) {
  const std::string markup = "KTR6620LXV(<b>192.0.2.11</b>)";
  model().setScannerList({scan::Device("KTR6620LXV", markup, scan::kTypeNet, "192.0.2.11", 52, 0x5A3E)});
  EXPECT_EQ(picker("scannerPicker")->itemText(0).toStdString(), markup);

  model().raiseAlert("<i>title</i>", "<b>message</b> &amp;");
  ASSERT_TRUE(waitFor([&] { return shownAlert(*window) != nullptr; }));
  const auto labels = shownAlert(*window)->findChildren<QLabel*>();
  for (const QLabel* label : labels) EXPECT_EQ(label->textFormat(), Qt::PlainText);
  const auto* title = shownAlert(*window)->findChild<QLabel*>(QStringLiteral("alertTitle"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), QStringLiteral("<i>title</i>"));
  EXPECT_TRUE(title->font().bold());
  EXPECT_EQ(shownAlert(*window)->message(), QStringLiteral("<b>message</b> &amp;"));
  EXPECT_EQ(shownAlert(*window)->button()->text().toStdString(), text(scan::keys::kOk));
}

TEST_F(Window, ScanButtonChecksScannerThenFolderThenPrefix) {
  const scan::Device placeholder = model().selectedScanner();
  QLineEdit* folder = field("saveDirField");
  QLineEdit* prefix = field("saveFileNameField");
  for (QLineEdit* emptied : {folder, prefix}) {
    emptied->selectAll();
    QTest::keyClick(emptied, Qt::Key_Backspace);
  }
  EXPECT_EQ(state().saveDir(), QString());
  EXPECT_EQ(state().savePrefix(), QString());

  const std::string error = text(scan::keys::kError);
  EXPECT_EQ(alertAfter([&] { clickScan(); }), std::pair(error, text(scan::keys::kNoScannerFound)));
  ASSERT_TRUE(dismissAlert(*window));
  model().setScannerList({networkScanner("192.0.2.11")});
  EXPECT_EQ(alertAfter([&] { clickScan(); }), std::pair(error, text(scanner_app::keys::kNoSaveDir)));
  ASSERT_TRUE(dismissAlert(*window));
  QTest::keyClicks(folder, QString::fromStdString(save.str()));
  EXPECT_EQ(alertAfter([&] { clickScan(); }), std::pair(error, text(scanner_app::keys::kNoSaveFileName)));
  ASSERT_TRUE(dismissAlert(*window));
  EXPECT_EQ(model().selectedScanner(), placeholder);
  EXPECT_TRUE(save.entries().empty());
}

// A refresh can empty the list under the chosen position.
TEST_F(Window, PositionBeyondTheListIsNoScanner) {
  model().setScannerList({networkScanner("192.0.2.11"), networkScanner("192.0.2.12")});
  choose(picker("scannerPicker"), 1);
  model().setScannerList({networkScanner("192.0.2.11")});
  EXPECT_EQ(state().scannerIndex(), 1);
  EXPECT_EQ(alertAfter([&] { clickScan(); }), std::pair(text(scan::keys::kError), text(scan::keys::kNoScannerFound)));
  EXPECT_TRUE(model().selectedScanner().type.empty());
}

TEST_F(Window, FolderChooserStartsAtTheFolderAndCancelKeepsIt) {
  struct Answer {
    std::optional<QString> chosen;
    QString stored;
    std::string log;
  };
  const QString start = QString::fromStdString(save.str());
  for (const Answer& answer : {Answer{std::nullopt, start, ""},
                               Answer{QStringLiteral("/srv/scans"), QStringLiteral("/srv/scans"),
                                      "select file path = /srv/scans\n"},
                               Answer{QString(), QStringLiteral("<none>"), "select file path = <none>\n"}}) {
    std::vector<QString> asked;
    window.reset();
    open(screenOptions([&](QWidget*, const QString& from) {
      asked.push_back(from);
      return answer.chosen;
    }));
    ::testing::internal::CaptureStdout();
    QTest::mouseClick(button("browseButton"), Qt::LeftButton);
    const std::string log = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(asked, std::vector<QString>{start});
    EXPECT_EQ(state().saveDir(), answer.stored);
    EXPECT_EQ(field("saveDirField")->text(), answer.stored);
    EXPECT_EQ(log, answer.log);
  }
}

TEST_F(Window, ScanWritesThePagesAndTellsTheirCount) {
  ScannerSim sim(pages(3));
  model().setScannerList({networkScanner(sim.address())});
  const auto alert = alertAfter([&] { clickScan(); });
  EXPECT_EQ(alert, std::pair(text(scan::keys::kInfo),
                             text(scan::keys::kScanPages) + "3 " + text(scan::keys::kPages)));
  const fs::path received = save.path() / kStamp;
  for (const char* name : {"file-0001.jpg", "file-0002.jpg", "file-0003.jpg"}) {
    EXPECT_TRUE(fs::is_regular_file(received / name)) << name;
  }
  EXPECT_EQ(model().selectedScanner().ip, sim.address());
  EXPECT_EQ(sim.finish().connections, 1);
}

TEST_F(Window, PaperJamShowsTheDevicesKeyAndLeavesNoPages) {
  Script script = pages(3);
  script.stop = sim::scanner::StreamStop{sim::scanner::messagesThroughPage(script, 2), 0,
                                         sim::scanner::StreamStop::Action::status, 0xC3};
  // Held until page 2 is saved, the byte reaches the receiver alone (page_saved.h).
  script.beforeStopStatus = sim::scanner::untilSaved(save.path() / kStamp / "file-0002.jpg");
  ScannerSim sim(std::move(script));
  model().setScannerList({networkScanner(sim.address())});
  EXPECT_EQ(alertAfter([&] { clickScan(); }), std::pair(text(scan::keys::kError), text("paperJunck")));
  EXPECT_TRUE(save.entries().empty());
}

// The scan blocks the GUI thread. Clicks and keys made meanwhile reach the
// window only afterwards; they must not start a second scan or a refresh.
TEST_F(Window, InputMadeDuringAScanStartsNothing) {
  QPushButton* scanButton = button("scanButton");
  QPushButton* refreshButton = button("refreshButton");
  std::vector<std::pair<QObject*, QEvent*>> input = clicksAndKeysOn({scanButton, refreshButton});
  Script script = pages(2);
  script.beforeJobEnd = [&input] { post(input); };
  ScannerSim sim(std::move(script));
  model().setScannerList({networkScanner(sim.address())});
  bool enabledWhenTheScanEnded = true;
  QObject::connect(&model(), &scan::ScannerModel::showAlertChanged, window.get(),
          [&] { enabledWhenTheScanEnded = window->settingView().isEnabled(); });
  QSignalSpy scans(scanButton, &QPushButton::clicked);
  QSignalSpy refreshes(refreshButton, &QPushButton::clicked);

  const auto alert = alertAfter([&] { clickScan(); });
  EXPECT_EQ(alert.first, text(scan::keys::kInfo));
  QTest::qWait(100);
  EXPECT_FALSE(enabledWhenTheScanEnded);
  EXPECT_EQ(scans.count(), 1);
  EXPECT_EQ(refreshes.count(), 0);
  EXPECT_EQ(model().scannerList().size(), 1);
  EXPECT_TRUE(window->settingView().isEnabled());
  EXPECT_EQ(sim.finish().connections, 1);
}

// The same for a discovery, which blocks the GUI thread too.
TEST_F(Window, InputMadeDuringADiscoveryStartsNothing) {
  int searches = 0;
  std::vector<std::pair<QObject*, QEvent*>> input;
  scanner_app::ScreenOptions options = screenOptions();
  options.model.discovery.interfaces = [&] {
    ++searches;
    post(input);
    return std::optional(std::vector<device::snmp::Ipv4Interface>{});
  };
  window.reset();
  open(std::move(options));
  ASSERT_EQ(searches, 1);
  QPushButton* scanButton = button("scanButton");
  QPushButton* refreshButton = button("refreshButton");
  input = clicksAndKeysOn({refreshButton, scanButton});
  QSignalSpy scans(scanButton, &QPushButton::clicked);
  QSignalSpy refreshes(refreshButton, &QPushButton::clicked);

  QTest::mouseClick(refreshButton, Qt::LeftButton);
  EXPECT_EQ(alertAfter([] {}), std::pair(text(scan::keys::kError), text(scan::keys::kNoScannerFound)));
  ASSERT_TRUE(dismissAlert(*window));
  QTest::qWait(100);
  EXPECT_EQ(searches, 2);
  EXPECT_EQ(refreshes.count(), 1);
  EXPECT_EQ(scans.count(), 0);
  EXPECT_FALSE(model().showAlert());
}

struct RotationCase {
  const char* name;
  int combine;
  const char* pageSize;  // as pdfinfo tells it
};

void PrintTo(const RotationCase& c, std::ostream* out) { *out << c.name; }

class HiddenRotation : public Window, public ::testing::WithParamInterface<RotationCase> {};

// 90 degrees chosen, then a merge that hides the rotation row: the ID card
// sheet stays upright in a portrait PDF. Without the merge the turn applies.
TEST_P(HiddenRotation, DecidesThePdfPage) {
  ScannerSim sim(pages(2));
  model().setScannerList({networkScanner(sim.address())});
  choose(picker("rotateAnglePicker"), 1);
  choose(picker("combineTypePicker"), GetParam().combine);
  choose(picker("saveFileTypePicker"), 1);
  EXPECT_EQ(alertAfter([&] { clickScan(); }).first, text(scan::keys::kInfo));
  const fs::path pdf = save.path() / (kStamp + ".pdf");
  ASSERT_TRUE(fs::is_regular_file(pdf));
  const wintest::Run info = run("pdfinfo '" + pdf.string() + "'");
  ASSERT_EQ(info.status, 0) << info.output;
  const std::size_t line = info.output.find("Page size:");
  ASSERT_NE(line, std::string::npos) << info.output;
  const std::string pageSize = info.output.substr(line, info.output.find('\n', line) - line);
  EXPECT_NE(pageSize.find(GetParam().pageSize), std::string::npos) << pageSize;
}

INSTANTIATE_TEST_SUITE_P(Pdf, HiddenRotation,
                         ::testing::Values(RotationCase{"IDCardStaysUpright", IDCard, "595 x 842 pts"},
                                           RotationCase{"NoMergeTurns", NoCombine, "842 x 595 pts"}),
                         [](const ::testing::TestParamInfo<RotationCase>& tested) { return tested.param.name; });

}  // namespace

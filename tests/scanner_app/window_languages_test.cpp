// The window in English and in Chinese, offscreen: at its minimum and
// maximum sizes nothing overlaps, nothing is cut and nothing leaves the
// window; every picker row's text fits its picker; alerts open centred over
// the window and break no word; the Tab key shows where it is and follows
// the reading order; Qt's own texts speak the table's language, the folder
// chooser's Type column too.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTest>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "desktop/alert.h"
#include "scan/message_keys.h"
#include "scan/conversation/scan_status.h"
#include "scanner/scanner_model.h"
#include "scanner_app/folder_chooser.h"
#include "scanner_app/view_keys.h"
#include "sim/usb/usb_sim.h"
#include "temp_dir.h"
#include "window_fit.h"
#include "window_support.h"

namespace {

using namespace wintest;
using scanner_app::ContentView;
using scanner_app::Language;

enum Source { FB = 2 };
enum Mode { TEXT = 2 };

std::string nameOf(const QWidget* widget) {
  if (!widget->objectName().isEmpty()) return widget->objectName().toStdString();
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return "label \"" + label->text().toStdString() + "\"";
  return widget->metaObject()->className();
}

std::string joined(const QStringList& lines) {
  std::string all;
  for (const QString& line : lines) all += line.toStdString() + "\n";
  return all;
}

// Where the picker draws its current text: its edit field, less the pixel
// the style keeps free on each side.
QRect textArea(const QComboBox* picker) {
  QStyleOptionComboBox option;
  option.initFrom(picker);
  option.editable = picker->isEditable();
  option.frame = picker->hasFrame();
  option.subControls = QStyle::SC_All;
  return picker->style()
      ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, picker)
      .adjusted(1, 0, -1, 0);
}

// Every message an alert can show: the scan engine's, the scan button's, the
// success message and a broken scan's with the folder it kept the pages in.
std::vector<QString> alertMessages() {
  std::vector<const char*> keys = {
      scan::keys::kNoScannerFound,     scan::keys::kCannotCreateReceiveDir, scan::keys::kInvalidSaveFileName,
      scan::keys::kNoNeedToCheck,      scan::keys::kCheckScannerError,      scan::keys::kScannerNetworkError,
      scan::keys::kNoPaperInADF,       scan::keys::kPaperSourceNotExist,    scan::keys::kCannotChekPaperSource,
      scan::keys::kUnexpectError,      scan::keys::kSaveImageError,         scan::keys::kCheckPaperSourceError,
      scan::keys::kScannerBusy,        scan::keys::kOpenError,              scan::keys::kSndSCommandError,
      scan::keys::kSndICommandError,   scan::keys::kSndXCommandError,       scan::keys::kReceiveImagesError,
      scanner_app::keys::kNoSaveDir,   scanner_app::keys::kNoSaveFileName};
  std::vector<QString> messages;
  for (const char* key : keys) messages.push_back(scanner_app::text(key));
  for (const auto& row : scan::ScanStatus) messages.push_back(scanner_app::text(row.key));
  messages.push_back(scanner_app::text(scan::keys::kScanPages) + QStringLiteral("1200 ") +
                     scanner_app::text(scan::keys::kPages));
  // A broken stream's alert names the receive folder: in an ordinary home, in a
  // home of one name too long for a line, under folders named with hyphens
  // and with underscores, one of them wider than a line.
  for (const std::string& home : {std::string("/home/user/Desktop"), "/home/" + std::string(150, 'a'),
                                  std::string("/home/user/accounting-department-quarterly-scans-2024"),
                                  std::string("/home/user/accounting_department_quarterly_scans_2024"),
                                  std::string("/home/user/Abteilung-Buchhaltung-zweites-Halbjahr-Eingangsrechnungen-Lieferanten")}) {
    messages.push_back(scan::keptPagesMessage(scan::keys::kScannerNetworkError, 2, home + "/20240101120000"));
  }
  return messages;
}

// The window in a language, as full as it gets: a scanner listed and every
// row shown (the rows at their start values).
class InLanguage {
 protected:
  void open(Language language) {
    if (!bus.active()) GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
    tables = std::make_unique<LanguageTables>(language);
    ASSERT_TRUE(tables->loaded()) << "Qt's translations or our table are missing";
    window = std::make_unique<ContentView>(screenOptions());
    window->settingView().state().setSaveDir(QStringLiteral("/home/user/Desktop"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(dismissAlert(*window)) << "no alert after the first discovery";
    window->settingView().model().setScannerList({networkScanner("192.0.2.11")});
  }

  QComboBox* picker(const char* name) const { return control<QComboBox>(*window, name); }

  sim::usb::Testbed bus;
  std::unique_ptr<LanguageTables> tables;
  std::unique_ptr<ContentView> window;
};

enum class Size { minimum, maximum };

class WindowAtItsLimits : public InLanguage, public ::testing::TestWithParam<std::tuple<Language, Size>> {
 protected:
  void SetUp() override { open(std::get<0>(GetParam())); }
};

TEST_P(WindowAtItsLimits, ShowsEveryControlWholeAndApart) {
  const QSize minimum = window->minimumSize();
  const QSize maximum = window->maximumSize();
  // The screen's own bounds, plus its margin of 5 on every side.
  EXPECT_GE(minimum.width(), 360);
  EXPECT_GE(minimum.height(), 410);
  EXPECT_EQ(maximum, QSize(760, 610));
  const QSize size = std::get<1>(GetParam()) == Size::minimum ? minimum : maximum;
  window->resize(size);
  QCoreApplication::processEvents();
  ASSERT_EQ(window->size(), size);
  EXPECT_EQ(joined(test_support::layoutFaults(*window)), "") << "at " << size.width() << "x" << size.height();
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowAtItsLimits,
                         ::testing::Combine(::testing::Values(Language::English, Language::Chinese),
                                            ::testing::Values(Size::minimum, Size::maximum)),
                         [](const auto& tested) {
                           return languageName(std::get<0>(tested.param)) +
                                  (std::get<1>(tested.param) == Size::minimum ? "Minimum" : "Maximum");
                         });

class Window : public InLanguage, public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override { open(GetParam()); }
};

TEST_P(Window, EveryPickerRowFitsItsPicker) {
  // Every row a picker can offer: the resolutions with the flatbed, the file
  // type's rows in colour and in black and white.
  std::map<QComboBox*, QStringList> offered;
  const auto collect = [&] {
    for (QComboBox* each : window->findChildren<QComboBox*>()) {
      if (each == picker("scannerPicker")) continue;  // scanner labels are data, not table texts
      for (int row = 0; row < each->count(); ++row) offered[each] << each->itemText(row);
    }
  };
  collect();
  choose(picker("scanSourcePicker"), FB);
  choose(picker("colorModePicker"), TEXT);
  collect();
  ASSERT_EQ(offered.size(), 8u);
  EXPECT_TRUE(offered[picker("resolutionPicker")].contains(QStringLiteral("1200dpi")));
  for (const auto& [each, texts] : offered) {
    const int room = textArea(each).width();
    for (const QString& shown : texts) {
      EXPECT_LE(each->fontMetrics().horizontalAdvance(shown), room)
          << nameOf(each) << ": \"" << shown.toStdString() << "\" is cut";
    }
  }
}

TEST_P(Window, AlertsOpenCentredOverTheWindowAndBreakNoWord) {
  window->move(60, 40);
  scan::ScannerModel& model = window->settingView().model();
  for (const char* title : {scan::keys::kError, scan::keys::kInfo}) {
    for (const QString& message : alertMessages()) {
      model.setAlertTitle(scanner_app::text(title));
      model.setAlertMessage(message);
      model.setShowAlert(true);
      ASSERT_TRUE(waitFor([&] { return shownAlert(*window) != nullptr; })) << message.toStdString();
      const desktop::Alert* alert = shownAlert(*window);
      const QPoint offset = alert->frameGeometry().center() - window->frameGeometry().center();
      EXPECT_LE(offset.manhattanLength(), 2) << message.toStdString();
      EXPECT_LE(alert->frameGeometry().width(), alert->screen()->availableGeometry().width()) << message.toStdString();
      const test_support::WrappedLines lines =
          test_support::wrappedLines(*alert->findChild<QLabel*>(QStringLiteral("alertMessage")));
      EXPECT_EQ(joined(lines.faults), "");
      // All of it shown: the lines are the message less the white space of
      // their breaks.
      static const QRegularExpression space(QStringLiteral("\\s"));
      EXPECT_EQ(lines.lines.join(QString()).remove(space).toStdString(), QString(message).remove(space).toStdString());
      const test_support::WrappedLines heading =
          test_support::wrappedLines(*alert->findChild<QLabel*>(QStringLiteral("alertTitle")));
      EXPECT_EQ(joined(heading.faults), "");
      EXPECT_EQ(heading.lines.size(), 1) << "the title takes more than a line";
      ASSERT_TRUE(dismissAlert(*window));
    }
  }
}

// Fusion, the style here, marks the focused control only once the keyboard
// has moved the focus: the test moves it with Tab, as the user does.
TEST_P(Window, TabShowsWhereTheFocusIs) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  std::set<QWidget*> controls;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) controls.insert(widget);
  }
  ASSERT_GE(controls.size(), 13u);
  std::set<QWidget*> reached;
  QTest::keyClick(window.get(), Qt::Key_Tab);
  for (std::size_t press = 0; press < controls.size(); ++press) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    reached.insert(focused);
    const QImage marked = focused->grab().toImage();
    QTest::keyClick(focused, Qt::Key_Tab);
    ASSERT_NE(QApplication::focusWidget(), focused);
    const QImage unmarked = focused->grab().toImage();
    int differing = 0;
    for (int y = 0; y < marked.height(); ++y) {
      for (int x = 0; x < marked.width(); ++x) {
        if (std::abs(qGray(marked.pixel(x, y)) - qGray(unmarked.pixel(x, y))) > 24) ++differing;
      }
    }
    // More than a text cursor: a frame around the control.
    EXPECT_GT(differing, focused->width()) << nameOf(focused) << " shows no focus (" << differing << " pixels)";
  }
  EXPECT_EQ(reached, controls);
}

// Tab goes row by row, and left to right within a row, as the window
// reads; Shift+Tab goes back the same way.
TEST_P(Window, TabFollowsTheReadingOrder) {
  const std::vector<std::string> reading = {
      "scannerPicker",    "refreshButton",     "scanSourcePicker",   "colorModePicker",   "contentTypePicker",
      "resolutionPicker", "combineTypePicker", "pageSizePicker",     "saveFileTypePicker", "rotateAnglePicker",
      "saveFileNameField", "saveDirField",     "browseButton",       "scanButton"};
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  control<QComboBox>(*window, "scannerPicker")->setFocus(Qt::TabFocusReason);
  const auto walk = [&](Qt::KeyboardModifiers modifiers) {
    std::vector<std::string> reached;
    for (std::size_t press = 0; press < reading.size(); ++press) {
      QWidget* focused = QApplication::focusWidget();
      if (focused == nullptr) break;
      reached.push_back(nameOf(focused));
      QTest::keyClick(focused, Qt::Key_Tab, modifiers);
    }
    return reached;
  };
  EXPECT_EQ(walk(Qt::NoModifier), reading);
  // Past the last control Tab comes round to the first.
  EXPECT_EQ(nameOf(QApplication::focusWidget()), reading.front());
  control<QPushButton>(*window, "scanButton")->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(walk(Qt::ShiftModifier), std::vector<std::string>(reading.rbegin(), reading.rend()));
}

INSTANTIATE_TEST_SUITE_P(Languages, Window, ::testing::Values(Language::English, Language::Chinese),
                         [](const auto& tested) { return languageName(tested.param); });

// Qt's texts in the window: a line edit's context menu and the folder
// chooser's buttons.
TEST(QtTexts, SpeakTheTablesLanguage) {
  static const QRegularExpression han(QStringLiteral("\\p{Han}"));
  for (const Language language : {Language::English, Language::Chinese}) {
    const LanguageTables tables(language);
    ASSERT_TRUE(tables.loaded()) << languageName(language);
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
      if (!action->isSeparator()) texts << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    const std::unique_ptr<QFileDialog> dialog = scanner_app::folderDialog(nullptr, QDir::tempPath());
    dialog->show();
    const auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr) << "the folder chooser is no Qt dialog here";
    for (const QAbstractButton* button : buttons->buttons()) texts << button->text();
    dialog->hide();
    ASSERT_GE(texts.size(), 8) << texts.join(QLatin1Char('|')).toStdString();
    if (language == Language::English) {
      EXPECT_TRUE(texts.contains(QStringLiteral("&Undo"))) << texts.join(QLatin1Char('|')).toStdString();
      EXPECT_TRUE(texts.contains(QStringLiteral("&Choose"))) << texts.join(QLatin1Char('|')).toStdString();
    } else {
      for (const QString& shown : texts) EXPECT_TRUE(shown.contains(han)) << shown.toStdString();
    }
  }
}

// The folder chooser's Type column in Chinese: Qt's Chinese table lacks
// the type of a folder, our table supplies it.
TEST(QtTexts, TheFolderChoosersTypeColumnSpeaksTheTablesLanguage) {
  const test_support::TempDir folder;
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder.str() + "/Scans")));
  for (const auto& [language, typeHeading, folderType] :
       {std::tuple{Language::English, QStringLiteral("Type"), QStringLiteral("Folder")},
        std::tuple{Language::Chinese, QStringLiteral("类型"), QStringLiteral("文件夹")}}) {
    const LanguageTables tables(language);
    ASSERT_TRUE(tables.loaded()) << languageName(language);
    const std::unique_ptr<QFileDialog> dialog =
        scanner_app::folderDialog(nullptr, QString::fromStdString(folder.str()));
    dialog->setViewMode(QFileDialog::Detail);
    dialog->show();
    const auto* list = dialog->findChild<QFileSystemModel*>();
    ASSERT_NE(list, nullptr) << "the folder chooser is no Qt dialog here";
    const QModelIndex scans = list->index(QString::fromStdString(folder.str() + "/Scans"));
    ASSERT_TRUE(scans.isValid());
    constexpr int kTypeColumn = 2;
    EXPECT_EQ(list->headerData(kTypeColumn, Qt::Horizontal).toString().toStdString(), typeHeading.toStdString());
    ASSERT_TRUE(waitFor([&] { return !list->data(scans.siblingAtColumn(kTypeColumn)).toString().isEmpty(); }));
    EXPECT_EQ(list->data(scans.siblingAtColumn(kTypeColumn)).toString().toStdString(), folderType.toStdString());
    dialog->hide();
  }
}

}  // namespace

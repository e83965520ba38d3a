// The window's layout in both languages, against the real models and the
// simulated USB printer (under umockdev): every status the printer model
// can publish fits at the window's default and minimum size, and the
// window in its fullest state fits at its minimum and maximum sizes.
// "Fits" as the shared checker says: every text has the room it needs and
// breaks no word, no two visible siblings overlap, every part lies inside
// its parent. The status texts read as shown.
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QComboBox>
#include <QScreen>
#include <QTabWidget>
#include <QtTest/QtTest>

#include <memory>

#include "monitor/snmp_fixture.h"
#include "monitor/status_table.h"
#include "monitor_app/alert.h"
#include "monitor_app/printer_row.h"
#include "monitor_app/setting_view.h"
#include "monitor_app/status_text.h"
#include "monitor_app/string_table.h"
#include "monitor_app/ap_setting_view.h"
#include "monitor_app/toner_view.h"
#include "window_fit.h"
#include "window_fixture.h"

using namespace window_test;

namespace {

const QStringList kEnglish{QStringLiteral("en-GB")};
const QStringList kChinese{QStringLiteral("zh-CN")};

// Layouts settle in posted events, one level of the window at a time.
void settle() {
  for (int round = 0; round < 8; ++round) {
    QCoreApplication::processEvents();
  }
}

QStringList layoutFaults(QWidget& window) {
  settle();
  QStringList faults = test_support::layoutFaults(window);
  const QWidget& ring = *part<QWidget>(window, "tonerRing");
  const QRect box(ring.mapTo(&window, QPoint(monitor_app::TonerRing::kMargin, monitor_app::TonerRing::kMargin)),
                  QSize(monitor_app::TonerRing::kRingSide, monitor_app::TonerRing::kRingSide));
  if (ring.isVisible() && !window.rect().contains(box)) {
    faults << QStringLiteral("the ring's box %1 lies outside the window %2")
                  .arg(QDebug::toString(box), QDebug::toString(window.rect()));
  }
  return faults;
}

#define VERIFY_FITS(window, when)                                                                        \
  do {                                                                                                   \
    const QStringList faults = layoutFaults(window);                                                     \
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 %2: ").arg(when, QDebug::toString((window).size())) + \
                                          faults.join(QStringLiteral("; "))));                           \
  } while (false)

struct Status {
  int level;
  QString message;
  QString advice;
};

// Every status the printer model publishes: the table's, an unknown code's,
// and its own.
QList<std::pair<QString, Status>> everyStatus() {
  QList<std::pair<QString, Status>> all;
  for (const auto& [code, entry] : monitor::KTR6620LXVStatus()) {
    all.append({QString::number(code), {entry.level, entry.message, entry.description}});
  }
  const monitor::StatusEntry unknown = monitor::decodeStatusInfo(7777, QStringLiteral("KTR6620LXV"));
  all.append({QStringLiteral("unknown code"), {unknown.level, unknown.message, unknown.description}});
  all.append({QStringLiteral("connecting at start"), {1, QString::fromUtf8("正在连接"), {}}});
  all.append({QStringLiteral("connecting after a tap"), {1, QStringLiteral("connecting"), {}}});
  all.append({QStringLiteral("disconnected usb"), {3, QString::fromUtf8("连接断开"), QString::fromUtf8("请检查设备的连接情况")}});
  all.append({QStringLiteral("disconnected net"),
              {3, QString::fromUtf8("连接断开"), QString::fromUtf8("连接断开，请查看设备的网络连接情况")}});
  all.append({QStringLiteral("no printer"),
              {3, QString::fromUtf8("没有连接的设备"), QString::fromUtf8("请刷新打印机列表或检查设备连接状态")}});
  return all;
}

// The most a status puts on the screen: the longest message with the
// longest advice.
Status longestStatus() {
  Status longest{3, {}, {}};
  for (const auto& [name, status] : everyStatus()) {
    if (monitor_app::localized(status.message).size() > monitor_app::localized(longest.message).size()) {
      longest.message = status.message;
    }
    if (monitor_app::localized(status.advice).size() > monitor_app::localized(longest.advice).size()) {
      longest.advice = status.advice;
    }
  }
  return longest;
}

void show(monitor::PrinterModel& printers, const Status& status) {
  printers.setStatusInfo(monitor::StatusInfo(status.level, status.message, status.advice, 42));
}

const char* const kApReply = "8014,0;Printer-AP\r\n6\r\nsecret-1\r\n192.168.1.1\r\n255.255.255.0\r\n192.168.1.254";
const char* const kClientReply = "8013,0;Office\r\nsecret\r\nS\r\n10.0.0.5\r\n255.0.0.0\r\n10.0.0.1";
const char* const kHotSpots = "8012,3;Home network of a long name-5\r\nOffice-2\r\nCafe-9;";

void scriptWifi(sim::usb::Device& printer) {
  printer.replyToCommand("CheckwifiAP?", printerReply(kApReply));
  printer.replyToCommand("CheckwifiSTA?", printerReply(kClientReply));
  printer.replyToCommand("Checkwifiserver?", printerReply(kHotSpots));
}

// Every alert the window raises: the sidebar's, the panel's, and the
// titles and messages of the Wi-Fi settings' results.
QList<std::pair<const char*, const char*>> everyAlert() {
  QList<std::pair<const char*, const char*>> all{{"refresh", "printerListFreshed"},
                                                 {"error", "noPrinterError"},
                                                 {"设置成功", "已成功设置热点信息"},
                                                 {"Error", "数据解析错误"}};
  for (const char* message : {"设备忙,打印中", "当前wifi模式不支持", "数据解析错误", "打印中，无法设置", "设置的参数有误",
                              "wifi模式不支持", "AP设置返回数据解析错误", "获取客户端模式数据出错",
                              "数据解析出错，请重试", "IP格式错误", "子网掩码格式错误", "网关格式错误"}) {
    all.append(std::pair<const char*, const char*>{"错误", message});
  }
  return all;
}

// A row per language, in the column "languages".
void eachLanguage() {
  QTest::addColumn<QStringList>("languages");
  QTest::newRow("en") << kEnglish;
  QTest::newRow("zh") << kChinese;
}

QSize largest(const QWidget& window) {
  return {window.maximumWidth(), std::max(window.minimumHeight(), window.screen()->availableGeometry().height())};
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    rig_ = std::make_unique<Rig>();
    if (!rig_->usbAvailable()) {
      QSKIP("needs umockdev-wrapper");
    }
  }
  void cleanup() { rig_.reset(); }

  void everyStatusFitsAtTheDefaultAndTheMinimumSize_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("advice");
    for (const QStringList& languages : {kEnglish, kChinese}) {
      for (const auto& [name, status] : everyStatus()) {
        QTest::addRow("%s %s", qPrintable(languages.front()), qPrintable(name))
            << languages << status.level << status.message << status.advice;
      }
    }
  }
  void everyStatusFitsAtTheDefaultAndTheMinimumSize() {
    QFETCH(QStringList, languages);
    QFETCH(int, level);
    QFETCH(QString, message);
    QFETCH(QString, advice);
    useLanguage(languages);
    rig_->attachPrinter();
    QWidget& window = rig_->open();
    QTRY_COMPARE(rig_->printers().statusInfo().message, QString::fromUtf8("就绪"));

    show(rig_->printers(), {level, message, advice});
    // What a screen reader reads: the plain text shown, nothing drawn as
    // nothing (U+2060) in it.
    for (const auto& [name, shown] : {std::pair{"statusMessage", monitor_app::shownStatusText(message)},
                                      std::pair{"statusAdvice", monitor_app::shownStatusText(advice)}}) {
      QLabel& label = *part<QLabel>(window, name);
      QCOMPARE(label.text(), shown);
      const QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&label);
      QVERIFY(read != nullptr);
      QCOMPARE(read->text(QAccessible::Name), shown);
      QVERIFY(!read->text(QAccessible::Name).contains(QChar(0x2060)));
    }
    VERIFY_FITS(window, "default");
    window.resize(1, 1);
    VERIFY_FITS(window, "minimum");
    QCOMPARE(window.size(), window.minimumSize());
  }

  void theWindowWithoutAPrinterFitsWithItsHeadingOnOneLine_data() {
    eachLanguage();
  }
  void theWindowWithoutAPrinterFitsWithItsHeadingOnOneLine() {
    QFETCH(QStringList, languages);
    useLanguage(languages);
    QWidget& window = rig_->open();
    QTRY_COMPARE(openAlerts(window).size(), 1);
    answerAlert(window);
    const QLabel& heading = *part<QLabel>(window, "statusMessage");
    QCOMPARE(heading.text(), monitor_app::localized(QString::fromUtf8("没有连接的设备")));
    for (const char* size : {"default", "minimum"}) {
      if (QByteArray(size) == "minimum") {
        window.resize(1, 1);
      }
      VERIFY_FITS(window, size);
      const QStringList lines = test_support::wrappedLines(heading).lines;
      QVERIFY2(lines.size() == 1, qPrintable(lines.join(QStringLiteral(" | "))));
    }
  }

  void aWindowGrownForALongStatusTakesBackItsHeight_data() {
    eachLanguage();
  }
  void aWindowGrownForALongStatusTakesBackItsHeight() {
    QFETCH(QStringList, languages);
    useLanguage(languages);
    rig_->attachPrinter();
    QWidget& window = rig_->open();
    QTRY_COMPARE(rig_->printers().statusInfo().message, QString::fromUtf8("就绪"));
    settle();
    const QSize before = window.size();
    const monitor::StatusEntry longest = monitor::KTR6620LXVStatus().at(3100);
    show(rig_->printers(), {longest.level, longest.message, longest.description});
    settle();
    QVERIFY2(window.height() > before.height(), qPrintable(QDebug::toString(window.size())));
    QCOMPARE(window.width(), before.width());
    VERIFY_FITS(window, "grown");
    // Grown to what this width needs: the toner ring ends on the panel's
    // margin, no empty space under it.
    const QWidget& ring = *part<QWidget>(window, "tonerRing");
    const int below = window.height() - ring.mapTo(&window, QPoint(0, ring.height())).y();
    QCOMPARE(below, part<QWidget>(window, "statusPanel")->layout()->contentsMargins().bottom());

    show(rig_->printers(), {1, QString::fromUtf8("就绪"), {}});
    settle();
    QCOMPARE(window.size(), before);
  }

  void anUnknownCodeReadsInTheWindowsLanguage_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("shown");
    QTest::newRow("en") << kEnglish << QStringLiteral("Error code 12345");
    QTest::newRow("zh") << kChinese << QString::fromUtf8("错误码12345");
  }
  void anUnknownCodeReadsInTheWindowsLanguage() {
    QFETCH(QStringList, languages);
    QFETCH(QString, shown);
    useLanguage(languages);
    rig_->attachPrinter();
    QWidget& window = rig_->open();
    QTRY_COMPARE(rig_->printers().statusInfo().message, QString::fromUtf8("就绪"));
    rig_->printer().replyToControl(0xC0, 4, sim::usb::Answer::bytes(statusReply(12345, 40)));
    rig_->printers().updateStatus(rig_->printers().selectedPrinter());
    // The model keeps its own text; the window shows it in the language.
    QTRY_COMPARE(rig_->printers().statusInfo().message, QString::fromUtf8("错误码12345"));
    QCOMPARE(part<QLabel>(window, "statusMessage")->text(), shown);
  }

  void theSecurityPickerReadsAlikeInBothLanguages() {
    rig_->attachPrinter();
    rig_->open();
    QStringList rows;
    for (const QStringList& languages : {kEnglish, kChinese}) {
      useLanguage(languages);
      monitor_app::APSettingView form(rig_->network());
      rows << part<QComboBox>(form, "encryption")->itemText(1);
    }
    QCOMPARE(rows, (QStringList{"WPA2-PSK (AES)", "WPA2-PSK (AES)"}));
  }

  void rowsStayOnOneLineWhileTheSidebarCanWiden() {
    // A label wider than the 200 the sidebar starts at, narrower than its
    // ceiling of 256.
    useLanguage(kEnglish);
    rig_->attachPrinter();
    rig_->discoverSilentNetworkPrinter("127.10.10.10");
    QWidget& window = rig_->open();
    const QList<monitor_app::PrinterRow*> list = shownParts<monitor_app::PrinterRow>(window, "printerRow");
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(1)->text(), QStringLiteral("KTR6620LXV(127.10.10.10)"));
    QVERIFY(list.at(1)->sizeHint().width() > 200 - 2 * list.at(1)->x());
    for (const QSize size : {window.size(), QSize(1, 1)}) {
      window.resize(size);
      settle();
      for (const monitor_app::PrinterRow* row : list) {
        QVERIFY2(row->height() == row->fontMetrics().height(),
                 qPrintable(row->text() + " is " + QDebug::toString(row->size())));
      }
      QVERIFY(part<QWidget>(window, "sidebar")->width() <= 256);
    }
  }

  void theFullestWindowFitsAtItsMinimumAndMaximumSize_data() {
    eachLanguage();
  }
  void theFullestWindowFitsAtItsMinimumAndMaximumSize() {
    QFETCH(QStringList, languages);
    if (const std::string reason = monitor_test::LoopbackAgent::unavailableReason(); !reason.empty()) {
      QSKIP(reason.c_str());
    }
    useLanguage(languages);
    monitor_test::LoopbackAgent agent;
    agent.start(monitor_test::printerObjects("3100,paper mismatch", "40"));
    scriptWifi(rig_->attachPrinter());
    rig_->discoverNetworkPrinter(agent.port());
    QWidget& window = rig_->open();
    QTRY_COMPARE(rig_->printers().statusInfo().message, QString::fromUtf8("就绪"));
    const Status longest = longestStatus();
    const auto atBothSizes = [&](const QString& state) {
      settle();
      window.resize(1, 1);
      VERIFY_FITS(window, state + " at the minimum");
      window.resize(largest(window));
      VERIFY_FITS(window, state + " at the maximum");
      QCOMPARE(window.width(), window.maximumWidth());
    };

    // The USB printer with the longest status, the settings pane open on
    // each tab.
    show(rig_->printers(), longest);
    QTest::mouseClick(part<QPushButton>(window, "networkSetting"), Qt::LeftButton);
    QTabWidget& tabs = *part<monitor_app::SettingView>(window, "wifiPane")->tabs();
    for (int tab = 0; tab < tabs.count(); ++tab) {
      tabs.setCurrentIndex(tab);
      atBothSizes(QStringLiteral("pane on tab %1").arg(tab));
    }

    // The network printer: its address line too.
    QTest::mouseClick(shownParts<QWidget>(window, "printerRow").at(1), Qt::LeftButton);
    show(rig_->printers(), longest);
    QVERIFY(part<QLabel>(window, "address")->isVisible());
    atBothSizes(QStringLiteral("network printer"));
  }

  void alertsShowTheirTitleWholeAndBreakTheirMessageOnlyBetweenWords_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    for (const QStringList& languages : {kEnglish, kChinese}) {
      for (const auto& [title, message] : everyAlert()) {
        QTest::addRow("%s %s", qPrintable(languages.front()), message)
            << languages << QString::fromUtf8(title) << QString::fromUtf8(message);
      }
    }
  }
  void alertsShowTheirTitleWholeAndBreakTheirMessageOnlyBetweenWords() {
    QFETCH(QStringList, languages);
    QFETCH(QString, title);
    QFETCH(QString, message);
    useLanguage(languages);
    QWidget window;
    window.resize(654, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QDialog* alert = monitor_app::openAlert(&window, monitor_app::localized(title), monitor_app::localized(message),
                                            monitor_app::localized(QStringLiteral("ok")));
    QVERIFY(QTest::qWaitForWindowExposed(alert));
    settle();

    const QLabel& heading = *part<QLabel>(*alert, "alertTitle");
    QVERIFY2(heading.width() >= heading.sizeHint().width(), qPrintable(heading.text()));
    const QLabel& text = *part<QLabel>(*alert, "alertMessage");
    const test_support::WrappedLines wrapped = test_support::wrappedLines(text);
    QVERIFY2(wrapped.faults.isEmpty(), qPrintable(wrapped.faults.join(QStringLiteral("; "))));
    QVERIFY2(text.height() >= text.heightForWidth(text.width()), qPrintable(text.text()));
    QVERIFY(alert->width() <= alert->screen()->availableGeometry().width());
    alert->close();
  }

  void qtsOwnTextsSpeakTheChosenLanguage() {
    // A text field's context menu is Qt's own.
    const auto contextMenu = [] {
      QLineEdit field;
      const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
      QStringList texts;
      for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
          texts << action->text();
        }
      }
      return texts;
    };
    useLanguage(kEnglish);
    const QStringList english = contextMenu();
    QVERIFY2(english.front().startsWith(QStringLiteral("&Undo")), qPrintable(english.join(QStringLiteral(", "))));
    useLanguage(kChinese);
    const QStringList chinese = contextMenu();
    QCOMPARE(chinese.size(), english.size());
    for (qsizetype i = 0; i < chinese.size(); ++i) {
      QVERIFY2(chinese.at(i) != english.at(i), qPrintable(chinese.at(i)));
    }
    QVERIFY2(chinese.front().startsWith(QString::fromUtf8("撤")), qPrintable(chinese.front()));
  }

 private:
  std::unique_ptr<Rig> rig_;
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"

// The main window against the real models: the simulated USB printer under
// umockdev, a real snmpd on loopback for the network printer.
#include <QApplication>
#include <QPixmap>
#include <QSplitter>
#include <QStackedWidget>
#include <QtTest/QtTest>

#include <memory>
#include <string>

#include "monitor_app/printer_row.h"
#include "monitor_app/status_look.h"
#include "monitor/snmp_fixture.h"
#include "rig_test.h"

using namespace window_test;

namespace {

QList<monitor_app::PrinterRow*> rows(QWidget& window) { return shownParts<monitor_app::PrinterRow>(window, "printerRow"); }

QString message(QWidget& window) { return part<QLabel>(window, "statusMessage")->text(); }
QString advice(QWidget& window) { return part<QLabel>(window, "statusAdvice")->text(); }
QColor messageColour(QWidget& window) {
  return part<QLabel>(window, "statusMessage")->palette().color(QPalette::WindowText);
}
QColor normalText(QWidget& window) { return part<QWidget>(window, "statusPanel")->palette().color(QPalette::WindowText); }

// The row drawn white on blue: its background blue, some of its label white.
bool drawnChosen(QWidget& row) {
  const QImage image = row.grab().toImage();
  bool white = false;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      white = white || image.pixelColor(x, y) == QColor(Qt::white);
    }
  }
  return image.pixelColor(1, 1) == monitor_app::kBlue && white;
}

// Presses Tab until `control` has the keyboard focus; false when it never
// gets it.
bool tabTo(QWidget& window, QWidget& control) {
  for (int press = 0; press < 20 && !control.hasFocus(); ++press) {
    QTest::keyClick(&window, Qt::Key_Tab);
  }
  return control.hasFocus();
}

// How many pixels near the edge of a control (where a focus frame is
// drawn) differ between its two looks.
int changedOnEdge(const QImage& before, const QImage& after) {
  int changed = 0;
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      const bool edge = x < 3 || y < 3 || x >= before.width() - 3 || y >= before.height() - 3;
      changed += edge && before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
    }
  }
  return changed;
}

bool paneOpen(QWidget& window) {
  QWidget* pane = part<QWidget>(window, "wifiPane");
  return pane != nullptr && pane->isVisible();
}

}  // namespace

class WindowTest : public RigTest {
  Q_OBJECT

 private slots:
  void opensWithTheUsbPrinterChosenAndItsStatus() {
    rig_->attachPrinter();
    QWidget& window = rig_->open();

    QCOMPARE(window.windowTitle(), looked("statusMonitor"));
    const QList<monitor_app::PrinterRow*> list = rows(window);
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.front()->text(), q("KTR6620LXV(USB)"));
    QVERIFY(drawnChosen(*list.front()));
    QTRY_COMPARE(message(window), looked("就绪"));
    QCOMPARE(messageColour(window), normalText(window));
    QCOMPARE(part<QLabel>(window, "headerName")->text(), q("KTR6620LXV"));
    QVERIFY(part<QPushButton>(window, "networkSetting")->isVisible());
    QCOMPARE(part<QLabel>(window, "attachment")->text(), looked("usbPrinter"));
    QVERIFY(!part<QLabel>(window, "address")->isVisible());
    QVERIFY(!part<QLabel>(window, "printerPicture")->pixmap().isNull());
    QTest::qWait(50);
    QVERIFY(openAlerts(window).isEmpty());
  }

  void rowTapShowsConnectingThenTheStatusAndClosesThePane() {
    rig_->attachPrinter();
    QWidget& window = rig_->open();
    QTRY_COMPARE(message(window), looked("就绪"));
    QTest::mouseClick(part<QPushButton>(window, "networkSetting"), Qt::LeftButton);
    QVERIFY(paneOpen(window));
    rig_->printer().replyToControl(0xC0, 4, Answer::bytes(statusReply(2017, 40)));

    const QPointer<monitor_app::PrinterRow> row = rows(window).front();
    QTest::mouseClick(row, Qt::LeftButton);

    // The USB read is queued: until it runs, "connecting" in the normal
    // colour.
    QCOMPARE(message(window), looked("connecting"));
    QCOMPARE(advice(window), QString());
    QCOMPARE(messageColour(window), normalText(window));
    QVERIFY(!rig_->network().showNetworkSetting());
    QVERIFY(!paneOpen(window));
    QTRY_COMPARE(message(window), looked("纸量较少"));
    QCOMPARE(advice(window), looked("请添加纸张"));
    QCOMPARE(messageColour(window), monitor_app::kOrange);
    // Restyled in place: the tapped row is still the same widget.
    QVERIFY(!row.isNull());
    QCOMPARE(rows(window), QList<monitor_app::PrinterRow*>{row.data()});
    QVERIFY(drawnChosen(*row));
  }

  void refreshWithNothingAttachedShowsTheNoPrinterStatusAndItsAlertEveryTime() {
    rig_->attachPrinter();
    QWidget& window = rig_->open();
    QTRY_COMPARE(message(window), looked("就绪"));
    QTest::mouseClick(part<QPushButton>(window, "networkSetting"), Qt::LeftButton);
    QVERIFY(paneOpen(window));
    QCOMPARE(answerAlert(window).title, looked("错误"));  // the printer told nothing
    rig_->printer().unplug();

    for (int press = 0; press < 2; ++press) {
      QTest::mouseClick(part<QWidget>(window, "refresh"), Qt::LeftButton);
      QVERIFY(rows(window).isEmpty());
      QCOMPARE(message(window), looked("没有连接的设备"));
      QCOMPARE(advice(window), looked("请刷新打印机列表或检查设备连接状态"));
      QCOMPARE(messageColour(window), monitor_app::kRed);
      QCOMPARE(part<QLabel>(window, "headerName")->text(), QString());
      QVERIFY(!part<QPushButton>(window, "networkSetting")->isVisible());
      QVERIFY(part<QLabel>(window, "printerPicture")->pixmap().isNull());
      QVERIFY(!part<QLabel>(window, "attachment")->isVisible());
      // Refresh leaves the settings pane alone; the window opened with a
      // printer, so the no-printer alert never shows.
      QVERIFY(paneOpen(window));
      QCOMPARE(answerAlert(window), (AlertText{looked("refresh"), looked("printerListFreshed"), looked("ok")}));
    }
  }

  void refreshFindsThePrinterAgainAndChoosesIt() {
    rig_->attachPrinter(12);
    QWidget& window = rig_->open();
    QTRY_COMPARE(message(window), looked("就绪"));
    QTest::mouseClick(part<QWidget>(window, "refresh"), Qt::LeftButton);
    QCOMPARE(answerAlert(window).title, looked("refresh"));
    QTRY_COMPARE(rows(window).size(), 1);
    QVERIFY(drawnChosen(*rows(window).front()));
    QTRY_COMPARE(message(window), looked("就绪"));
  }

  void noPrinterAlertShowsOnceWhenTheWindowOpensWithout() {
    QWidget& window = rig_->open();
    QTRY_COMPARE(openAlerts(window).size(), 1);
    QCOMPARE(answerAlert(window), (AlertText{looked("error"), looked("noPrinterError"), looked("ok")}));
    QCOMPARE(message(window), looked("没有连接的设备"));
    for (int press = 0; press < 2; ++press) {
      QTest::mouseClick(part<QWidget>(window, "refresh"), Qt::LeftButton);
      QTest::qWait(20);
      QCOMPARE(answerAlert(window).title, looked("refresh"));
    }
  }

  void networkPrinterShowsItsAddressItsStatusAtOnceAndNoSettingsButton() {
    if (const std::string reason = monitor_test::LoopbackAgent::unavailableReason(); !reason.empty()) {
      QSKIP(reason.c_str());
    }
    monitor_test::LoopbackAgent agent;
    agent.start(monitor_test::printerObjects("3004,cover open", "40"));
    rig_->attachPrinter();
    rig_->discoverNetworkPrinter(agent.port());
    QWidget& window = rig_->open();
    QTRY_COMPARE(message(window), looked("就绪"));

    const QList<monitor_app::PrinterRow*> list = rows(window);
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(1)->text(), q("KTR6620LXV(127.0.0.1)"));
    QTest::mouseClick(list.at(1), Qt::LeftButton);
    // Read within the tap: no "connecting" in between.
    QCOMPARE(message(window), looked("前盖打开"));
    QCOMPARE(advice(window), looked("请关闭前盖"));
    QCOMPARE(messageColour(window), monitor_app::kRed);
    QVERIFY(drawnChosen(*list.at(1)));
    QVERIFY(!drawnChosen(*list.at(0)));
    QVERIFY(!part<QPushButton>(window, "networkSetting")->isVisible());
    QCOMPARE(part<QLabel>(window, "attachment")->text(), looked("netPrinter"));
    QCOMPARE(part<QLabel>(window, "address")->text(), q("IP：127.0.0.1"));
    QVERIFY(part<QLabel>(window, "address")->isVisible());

    QTest::mouseClick(list.at(0), Qt::LeftButton);
    QVERIFY(part<QPushButton>(window, "networkSetting")->isVisible());
    QCOMPARE(part<QLabel>(window, "attachment")->text(), looked("usbPrinter"));
    QVERIFY(!part<QLabel>(window, "address")->isVisible());
  }

  void tabFollowsTheReadingOrder() {
    rig_->attachPrinter();
    QWidget& window = rig_->open();
    QTRY_COMPARE(message(window), looked("就绪"));
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const auto focused = [] {
      return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName() : q("(none)");
    };
    const auto tabs = [&focused](int presses) {
      QStringList reached;
      for (int press = 0; press < presses && QApplication::focusWidget() != nullptr; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << focused();
      }
      return reached;
    };
    const QStringList readingOrder{"printerRow", "networkSetting", "refresh"};
    // The window starts on the first control of its Tab order.
    QTRY_COMPARE(focused(), q("refresh"));
    QCOMPARE(tabs(3), readingOrder);
    // New rows, after a refresh, take their place again.
    QTest::mouseClick(part<QWidget>(window, "refresh"), Qt::LeftButton);
    answerAlert(window);
    QTRY_COMPARE(rows(window).size(), 1);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    part<QWidget>(window, "refresh")->setFocus(Qt::TabFocusReason);
    QCOMPARE(tabs(3), readingOrder);
    // The settings pane comes after the button that opens it.
    QTest::mouseClick(part<QPushButton>(window, "networkSetting"), Qt::LeftButton);
    answerAlert(window);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    part<QWidget>(window, "networkSetting")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(part<QWidget>(window, "networkSetting"), Qt::Key_Tab);
    QVERIFY2(part<QWidget>(window, "wifiPane")->isAncestorOf(QApplication::focusWidget()), qPrintable(focused()));
  }

  void columnsKeepTheirWidthsHoweverTheWindowIsResized() {
    rig_->attachPrinter();
    QWidget& window = rig_->open();
    QWidget& sidebar = *part<QWidget>(window, "sidebar");
    QWidget& panel = *part<QWidget>(window, "statusPanel");
    for (const QSize size : {QSize(100, 100), QSize(660, 420), QSize(2000, 1500)}) {
      window.resize(size);
      QTest::qWait(20);
      QVERIFY2(sidebar.width() >= 200 && sidebar.width() <= 256, qPrintable(QString::number(sidebar.width())));
      QVERIFY2(panel.width() >= 400 && panel.width() <= 450, qPrintable(QString::number(panel.width())));
      QVERIFY(panel.height() >= 250);
    }
  }

  void keyboardFocusIsDrawnOnTheRowsAndTheFlatButtons() {
    rig_->attachPrinter();
    QWidget& window = rig_->open();
    QTRY_COMPARE(message(window), looked("就绪"));
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget& button = *part<QPushButton>(window, "networkSetting");
    for (QWidget* control : {static_cast<QWidget*>(rows(window).front()), part<QWidget>(window, "refresh"), &button}) {
      const QImage alone = control->grab().toImage();
      QVERIFY2(tabTo(window, *control), qPrintable(control->objectName()));
      // A frame: a line of changed pixels all along the edges.
      const int edge = changedOnEdge(alone, control->grab().toImage());
      QVERIFY2(edge >= 2 * (control->width() + control->height()),
               qPrintable(control->objectName() + ": " + QString::number(edge)));
    }
    // Space still presses the focused button.
    QTest::keyClick(&button, Qt::Key_Space);
    QTRY_VERIFY(paneOpen(window));
  }

  void everyLabelShowsPlainText() {
    // Texts from the network (labels, names, addresses) must never be read
    // as markup.
    rig_->attachPrinter();
    rig_->printer().replyToCommand("CheckwifiAP?", printerReply("1001"));
    QWidget& window = rig_->open();
    QTest::mouseClick(part<QPushButton>(window, "networkSetting"), Qt::LeftButton);
    QVERIFY(paneOpen(window));
    QList<QLabel*> labels = window.findChildren<QLabel*>();
    QVERIFY(labels.size() > 20);
    for (const QLabel* label : labels) {
      QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName() + ": " + label->text()));
    }
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"

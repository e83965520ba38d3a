// The Wi-Fi settings pane and its two forms against the real network model
// and the simulated USB printer (under umockdev): what the forms show of
// the printer's answers, what exactly they send, when the pane stays open.
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest/QtTest>

#include <algorithm>
#include <memory>
#include <string>

#include "monitor_app/setting_view.h"
#include "rig_test.h"

using namespace window_test;

namespace {

const char* const kApReply = "8014,0;Printer-AP\r\n6\r\npass;?1\r\n192.168.1.1\r\n255.255.255.0\r\n192.168.1.254";
const char* const kClientReply = "8013,0;Office\r\nsecret\r\nD\r\n10.0.0.5\r\n255.0.0.0\r\n10.0.0.1";
const char* const kHotSpots = "8012,3;Home-5\r\nOffice-2\r\nCafe-9;";

// The settings pane, or null once it is gone.
QPointer<monitor_app::SettingView> pane(QWidget& window) {
  return window.findChild<monitor_app::SettingView*>(QStringLiteral("wifiPane"));
}

bool paneOpen(QWidget& window) {
  monitor_app::SettingView* open = pane(window);
  return open != nullptr && open->isVisible();
}

// Presses "networkSetting" and turns to the tab; returns its form.
QWidget& openPane(QWidget& window, int tab = 0) {
  QTest::mouseClick(part<QPushButton>(window, "networkSetting"), Qt::LeftButton);
  QTabWidget* tabs = part<monitor_app::SettingView>(window, "wifiPane")->tabs();
  tabs->setCurrentIndex(tab);
  return *tabs->currentWidget();
}

bool sentAny(const std::vector<std::string>& commands, const std::string& prefix) {
  return std::any_of(commands.begin(), commands.end(),
                     [&](const std::string& command) { return command.rfind(prefix, 0) == 0; });
}

}  // namespace

class WifiFormsTest : public RigTest {
  Q_OBJECT

 protected:
  // A printer that answers every settings read; tests change what they
  // look at.
  void attachDevices() override {
    sim::usb::Device& printer = rig_->attachPrinter();
    printer.replyToCommand("CheckwifiAP?", printerReply(kApReply));
    printer.replyToCommand("CheckwifiSTA?", printerReply(kClientReply));
    printer.replyToCommand("Checkwifiserver?", printerReply(kHotSpots));
  }

 private slots:
  void networkSettingSaysTheFirstFailedReadOverThePane_data() {
    QTest::addColumn<QString>("apReply");  // empty: the printer does not answer
    QTest::addColumn<QString>("clientReply");
    QTest::addColumn<AlertText>("alert");      // empty title: none
    // The access-point texts come back as keys and are looked up here; the
    // client-mode ones come looked up already (one pair of brackets).
    QTest::newRow("access point busy") << q("1001") << q(kClientReply)
                                       << AlertText{looked("错误"), looked("设备忙,打印中"), looked("ok")};
    QTest::newRow("no reply at all") << QString() << QString()
                                     << AlertText{looked("错误"), looked("数据解析错误"), looked("ok")};
    QTest::newRow("client mode not supported")
        << q(kApReply) << q("8001,0") << AlertText{looked("错误"), looked("当前wifi模式不支持"), looked("ok")};
    QTest::newRow("both read") << q(kApReply) << q(kClientReply) << AlertText{};
  }
  void networkSettingSaysTheFirstFailedReadOverThePane() {
    QFETCH(QString, apReply);
    QFETCH(QString, clientReply);
    QFETCH(AlertText, alert);
    const auto answer = [](const QString& reply) {
      return reply.isEmpty() ? Answer::silence() : printerReply(reply.toStdString());
    };
    rig_->printer().replyToCommand("CheckwifiAP?", answer(apReply));
    rig_->printer().replyToCommand("CheckwifiSTA?", answer(clientReply));
    QWidget& window = rig_->open();

    openPane(window);

    QVERIFY(paneOpen(window));
    QCOMPARE(pane(window)->tabs()->currentIndex(), 0);
    if (alert.title.isEmpty()) {
      QVERIFY(openAlerts(window).isEmpty());
    } else {
      QCOMPARE(answerAlert(window), alert);
      QVERIFY(paneOpen(window));
    }
  }

  void accessPointFormShowsTheRecordAndSendsItExactly() {
    // Only this exact command is answered: anything else times out and
    // reads as a parse error.
    rig_->printer().replyToCommand(
        "SetwifiAP=Lab AP\r\n0\r\npass\x02\x01" "1\r\nS\r\n192.168.1.1\r\n255.255.255.0\r\n192.168.1.254;",
        printerReply("8004,0;"));
    QWidget& window = rig_->open();
    QWidget& form = openPane(window, 0);

    QCOMPARE(part<QLineEdit>(form, "apName")->text(), q("Printer-AP"));
    QCOMPARE(part<QComboBox>(form, "encryption")->currentText(), looked("WAP2PSK_AES"));
    QCOMPARE(part<QLineEdit>(form, "apPassword")->text(), q("pass;?1"));
    QCOMPARE(part<QLineEdit>(form, "apPassword")->echoMode(), QLineEdit::Normal);

    part<QLineEdit>(form, "apName")->setText(q("Lab AP"));
    part<QComboBox>(form, "encryption")->setCurrentIndex(0);
    QTest::mouseClick(part<QPushButton>(form, "ok"), Qt::LeftButton);

    QCOMPARE(answerAlert(window), formAlert("设置成功", "已成功设置热点信息"));
    QVERIFY(paneOpen(window));
    QCOMPARE(pane(window)->tabs()->currentIndex(), 0);
    QCOMPARE(rig_->network().apSetting().APName, q("Lab AP"));
    QCOMPARE(rig_->network().apSetting().encryptMode, 0);
  }

  void accessPointOkChecksAddressThenMaskThenGateway_data() {
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("gateway");
    QTest::addColumn<QString>("message");
    QTest::newRow("bad address and mask") << q("192.168.1.256") << q("255.255.255") << q("x") << q("IP格式错误");
    QTest::newRow("bad mask and gateway") << q("192.168.1.1") << q("255.255.255") << q("x") << q("子网掩码格式错误");
    QTest::newRow("gateway with a space") << q("192.168.1.1") << q("255.255.255.0") << q("192.168.1.1 ")
                                          << q("网关格式错误");
  }
  void accessPointOkChecksAddressThenMaskThenGateway() {
    QFETCH(QString, ip);
    QFETCH(QString, mask);
    QFETCH(QString, gateway);
    QFETCH(QString, message);
    const QString reply = "8014,0;Printer-AP\r\n6\r\npw\r\n" + ip + "\r\n" + mask + "\r\n" + gateway;
    rig_->printer().replyToCommand("CheckwifiAP?", printerReply(reply.toStdString()));
    QWidget& window = rig_->open();
    QWidget& form = openPane(window, 0);
    part<QLineEdit>(form, "apName")->setText(q("edited"));

    QTest::mouseClick(part<QPushButton>(form, "ok"), Qt::LeftButton);

    QCOMPARE(answerAlert(window), (AlertText{looked("错误"), looked(message.toUtf8().constData()), looked("OK")}));
    QVERIFY(paneOpen(window));
    QVERIFY(!sentAny(rig_->commandsReceived(), "SetwifiAP="));
    QCOMPARE(rig_->network().apSetting().APName, q("Printer-AP"));
    QCOMPARE(part<QLineEdit>(form, "apName")->text(), q("edited"));
  }

  void accessPointCancelDropsTheEditsAndReopensOnTheRecord() {
    QWidget& window = rig_->open();
    QWidget& form = openPane(window, 0);
    part<QLineEdit>(form, "apName")->setText(q("edited"));
    const QPointer<monitor_app::SettingView> first = pane(window);

    QTest::mouseClick(part<QPushButton>(form, "cancel"), Qt::LeftButton);

    // The pane holds the button being handled: it is hidden at once and
    // freed only once the click is over.
    QVERIFY(!first.isNull());
    QVERIFY(!first->isVisible());
    QVERIFY(!rig_->network().showNetworkSetting());
    QTRY_VERIFY(first.isNull());
    QCOMPARE(rig_->network().apSetting().APName, q("Printer-AP"));
    QWidget& again = openPane(window, 0);
    QCOMPARE(part<QLineEdit>(again, "apName")->text(), q("Printer-AP"));
  }

  void accessPointFormShowsWpa2AfterASetThatStoredSix() {
    // After a set the record holds 6, which no picker row has; a later
    // opening whose read fails shows the record.
    rig_->printer().replyToCommandsStartingWith("SetwifiAP=", printerReply("8004,0;"));
    QWidget& window = rig_->open();
    QTest::mouseClick(part<QPushButton>(openPane(window, 0), "ok"), Qt::LeftButton);
    QCOMPARE(answerAlert(window).message, looked("已成功设置热点信息"));
    QCOMPARE(rig_->network().apSetting().encryptMode, 6);
    QTest::mouseClick(part<QPushButton>(*pane(window), "cancel"), Qt::LeftButton);
    QTRY_VERIFY(pane(window).isNull());
    rig_->printer().replyToCommand("CheckwifiAP?", printerReply("1001"));

    QWidget& form = openPane(window, 0);

    QCOMPARE(answerAlert(window).message, looked("设备忙,打印中"));
    QCOMPARE(part<QComboBox>(form, "encryption")->currentIndex(), 1);
    QCOMPARE(part<QComboBox>(form, "encryption")->currentText(), looked("WAP2PSK_AES"));
  }

  void clientFormWithDhcpSendsNoAddressesAndItsAlertClosesThePane() {
    rig_->printer().replyToCommand("SetwifiSTA=Office\r\nsecret\r\nD\r\n0.0.0.0\r\n0.0.0.0\r\n0.0.0.0;",
                                   printerReply("8002,0;"));
    QWidget& window = rig_->open();
    QWidget& form = openPane(window, 1);
    QVERIFY(openAlerts(window).isEmpty());

    auto* hotSpots = part<QComboBox>(form, "hotSpots");
    QCOMPARE(hotSpots->count(), 3);
    QCOMPARE(hotSpots->currentText(), q("Office"));
    QCOMPARE(hotSpots->itemData(0, Qt::AccessibleDescriptionRole).toString(), q("custom.wifi.strong"));
    QCOMPARE(hotSpots->itemData(1, Qt::AccessibleDescriptionRole).toString(), q("custom.wifi.weak"));
    QVERIFY(!hotSpots->itemIcon(0).isNull());
    QCOMPARE(part<QLineEdit>(form, "wifiPassword")->text(), q("secret"));
    QCOMPARE(part<QLineEdit>(form, "wifiPassword")->echoMode(), QLineEdit::Password);
    QCOMPARE(part<QComboBox>(form, "ipSetType")->currentIndex(), 0);
    for (const char* name : {"ip", "mask", "gateway"}) {
      QVERIFY(!part<QLineEdit>(form, name)->isEnabled());
    }
    QCOMPARE(part<QLineEdit>(form, "ip")->text(), q("10.0.0.5"));
    part<QLineEdit>(form, "ip")->setText(q("not an address"));

    QTest::mouseClick(part<QPushButton>(form, "ok"), Qt::LeftButton);

    // The model looks its texts up; the form shows them as they come.
    QVERIFY(paneOpen(window));
    QCOMPARE(answerAlert(window), (AlertText{looked("设置成功"), looked("已成功设置热点信息"), looked("OK")}));
    QVERIFY(!rig_->network().showNetworkSetting());
    QTRY_VERIFY(pane(window).isNull());
    QCOMPARE(rig_->network().clietModeSetting().ipSetType, q("D"));
  }

  void clientFormChecksManualAddressesAndEvenThatAlertClosesThePane() {
    rig_->printer().replyToCommand(
        "CheckwifiSTA?", printerReply("8013,0;Office\r\nsecret\r\nS\r\n300.1.1.1\r\nmask\r\n10.0.0.1"));
    QWidget& window = rig_->open();
    QWidget& form = openPane(window, 1);
    QCOMPARE(part<QComboBox>(form, "ipSetType")->currentIndex(), 1);
    QVERIFY(part<QLineEdit>(form, "ip")->isEnabled());

    QTest::mouseClick(part<QPushButton>(form, "ok"), Qt::LeftButton);

    QCOMPARE(answerAlert(window), formAlert("错误", "IP格式错误"));
    QVERIFY(!rig_->network().showNetworkSetting());
    QVERIFY(!sentAny(rig_->commandsReceived(), "SetwifiSTA="));
    QCOMPARE(rig_->network().clietModeSetting().ip, q("300.1.1.1"));
  }

  void clientFormManualSendsTheTypedAddresses() {
    rig_->printer().replyToCommand(
        "SetwifiSTA=Cafe\r\nc&c\r\nS\r\n192.168.7.20\r\n255.255.255.0\r\n192.168.7.1;", printerReply("8003,0;"));
    QWidget& window = rig_->open();
    QWidget& form = openPane(window, 1);
    part<QComboBox>(form, "hotSpots")->setCurrentIndex(2);
    part<QLineEdit>(form, "wifiPassword")->setText(q("c&c"));
    part<QComboBox>(form, "ipSetType")->setCurrentIndex(1);
    part<QLineEdit>(form, "ip")->setText(q("192.168.7.20"));
    part<QLineEdit>(form, "mask")->setText(q("255.255.255.0"));
    part<QLineEdit>(form, "gateway")->setText(q("192.168.7.1"));

    QTest::mouseClick(part<QPushButton>(form, "ok"), Qt::LeftButton);

    QCOMPARE(answerAlert(window), (AlertText{looked("错误"), looked("设置的参数有误"), looked("OK")}));
    QVERIFY(!rig_->network().showNetworkSetting());
    QCOMPARE(rig_->network().clietModeSetting().orderInList, 2);
  }

  void pickingAHotSpotEmptiesThePasswordAndTheConfiguredOneBringsItBack() {
    QWidget& window = rig_->open();
    QWidget& form = openPane(window, 1);
    auto* hotSpots = part<QComboBox>(form, "hotSpots");
    auto* password = part<QLineEdit>(form, "wifiPassword");

    hotSpots->setCurrentIndex(0);
    QCOMPARE(password->text(), QString());
    password->setText(q("typed"));
    hotSpots->setCurrentIndex(1);
    QCOMPARE(password->text(), q("secret"));
  }

  void theHighlightedHotSpotsSignalSignTakesTheHighlightsTextColour() {
    QWidget& window = rig_->open();
    QWidget& form = openPane(window, 1);
    auto* hotSpots = part<QComboBox>(form, "hotSpots");
    hotSpots->showPopup();
    QAbstractItemView* list = hotSpots->view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex highlighted = list->model()->index(1, 0);
    list->setCurrentIndex(highlighted);
    // Where the sign is drawn: the start of the row.
    const auto signArea = [list](const QModelIndex& row) {
      const QRect area = list->visualRect(row);
      return list->viewport()->grab(QRect(area.topLeft(), QSize(std::min(area.height() + 12, area.width()), area.height())))
          .toImage();
    };
    const auto darkest = [](const QImage& image) {
      int value = 255;
      int light = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          value = std::min(value, image.pixelColor(x, y).value());
          light += image.pixelColor(x, y).lightness() > 220 ? 1 : 0;
        }
      }
      return std::pair{value, light};
    };
    // A row as it stands: a dark sign. The highlighted row: the sign light
    // on the highlight, like the name beside it, with nothing dark left.
    const auto [plainDarkest, plainLight] = darkest(signArea(list->model()->index(0, 0)));
    QVERIFY2(plainDarkest < 80, qPrintable(QString::number(plainDarkest)));
    const auto [highlightedDarkest, highlightedLight] = darkest(signArea(highlighted));
    QVERIFY2(highlightedDarkest > 100, qPrintable(QString::number(highlightedDarkest)));
    QVERIFY2(highlightedLight > 10, qPrintable(QString::number(highlightedLight)));
    hotSpots->hidePopup();
  }

  void clientOkNeedsAHotSpotThatTheListHolds() {
    // First opening: Cafe is the configured network, at position 2.
    rig_->printer().replyToCommand("CheckwifiSTA?",
                                   printerReply("8013,0;Cafe\r\nsecret\r\nD\r\n0.0.0.0\r\n0.0.0.0\r\n0.0.0.0"));
    QWidget& window = rig_->open();
    QWidget& first = openPane(window, 1);
    QVERIFY(part<QPushButton>(first, "ok")->isEnabled());
    QTest::mouseClick(part<QPushButton>(first, "close"), Qt::LeftButton);
    QVERIFY(!rig_->network().showNetworkSetting());
    QTRY_VERIFY(pane(window).isNull());

    // Then the list shrinks to one network: the stored position names none.
    rig_->printer().replyToCommand("Checkwifiserver?", printerReply("8012,1;<b>Home</b> & Co-5;"));
    QWidget& form = openPane(window, 1);
    auto* hotSpots = part<QComboBox>(form, "hotSpots");
    QCOMPARE(hotSpots->count(), 1);
    QCOMPARE(hotSpots->currentIndex(), -1);
    QVERIFY(!part<QPushButton>(form, "ok")->isEnabled());
    hotSpots->setCurrentIndex(0);
    QVERIFY(part<QPushButton>(form, "ok")->isEnabled());
    // A network's name shows as it is, never as markup.
    QCOMPARE(hotSpots->currentText(), q("<b>Home</b> & Co"));

    // No network at all.
    QTest::mouseClick(part<QPushButton>(form, "close"), Qt::LeftButton);
    QTRY_VERIFY(pane(window).isNull());
    rig_->printer().replyToCommand("Checkwifiserver?", printerReply("8012,0;;"));
    QWidget& empty = openPane(window, 1);
    QCOMPARE(part<QComboBox>(empty, "hotSpots")->count(), 0);
    QVERIFY(!part<QPushButton>(empty, "ok")->isEnabled());
    QTest::mouseClick(part<QPushButton>(empty, "close"), Qt::LeftButton);
    QVERIFY(!rig_->network().showNetworkSetting());
  }
};

QTEST_MAIN(WifiFormsTest)
#include "wifi_forms_test.moc"

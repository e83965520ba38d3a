// The window's rules that need no window: the IPv4 field check, the
// forms' picker rows and icons, colours, the toner arc, the string tables.
#include <QImage>
#include <QPainter>
#include <QtTest/QtTest>

#include "monitor_app/form_rules.h"
#include "monitor_app/ipv4_check.h"
#include "monitor_app/soft_shadow.h"
#include "monitor_app/status_look.h"
#include "monitor_app/string_table.h"

using namespace monitor_app;

namespace {

QList<monitor::HotSpot> hotSpots() { return {{0, "Home", 5}, {1, "Office", 2}, {2, "Cafe", 9}}; }

monitor::ClietModeSetting configured(const QString& name, const QString& password) {
  monitor::ClietModeSetting setting;
  setting.WifiName = name;
  setting.WifiPassword = password;
  return setting;
}

}  // namespace

class ViewRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void ipv4Check_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("address") << "192.168.1.1" << true;
    QTest::newRow("zeros") << "0.0.0.0" << true;
    QTest::newRow("all ones") << "255.255.255.255" << true;
    QTest::newRow("leading zeros") << "192.168.001.010" << true;
    QTest::newRow("three zeros") << "000.0.00.0" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("three fields") << "192.168.1" << false;
    QTest::newRow("five fields") << "192.168.1.1.1" << false;
    QTest::newRow("256 first") << "256.1.1.1" << false;
    QTest::newRow("256 last") << "192.168.1.256" << false;
    QTest::newRow("four digits") << "1234.1.1.1" << false;
    QTest::newRow("leading space") << " 192.168.1.1" << false;
    QTest::newRow("trailing space") << "192.168.1.1 " << false;
    QTest::newRow("trailing line feed") << "192.168.1.1\n" << false;
    QTest::newRow("leading line feed") << "\n192.168.1.1" << false;
    QTest::newRow("second line") << "192.168.1.1\n10.0.0.1" << false;
    QTest::newRow("trailing dot") << "192.168.1.1." << false;
    QTest::newRow("sign") << "+1.1.1.1" << false;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("١٩٢.168.1.1") << false;
  }
  void ipv4Check() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isValidIPv4(text), valid);
  }

  void signalIcons_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("icon");
    for (const auto& [signal, icon] : std::initializer_list<std::pair<int, const char*>>{
             {0, "custom.wifi.weak"}, {2, "custom.wifi.weak"}, {3, "custom.wifi.medium"},
             {4, "custom.wifi.medium"}, {5, "custom.wifi.strong"}, {9, "custom.wifi.strong"}}) {
      QTest::addRow("%d", signal) << signal << QString::fromLatin1(icon);
    }
  }
  void signalIcons() {
    QFETCH(int, signal);
    QFETCH(QString, icon);
    QCOMPARE(signalIconName(signal), icon);
  }

  void encryptionRows() {
    // The model reads 1 or 0 and holds 6 after a set; every mode but 0 is
    // WPA2.
    QCOMPARE(encryptionRowFor(0), kNoEncryptionRow);
    for (const int mode : {1, 6, 2, -1}) {
      QCOMPARE(encryptionRowFor(mode), kWpa2Row);
    }
    QCOMPARE(encryptModeFor(kNoEncryptionRow), 0);
    QCOMPARE(encryptModeFor(kWpa2Row), 6);
  }

  void addressingRows() {
    QCOMPARE(ipSetTypeRowFor("S"), kManualRow);
    for (const char* other : {"Manual", "D", "s", "", " S"}) {
      QCOMPARE(ipSetTypeRowFor(QString::fromLatin1(other)), kDhcpRow);
    }
  }

  void passwordAfterAPick() {
    const monitor::ClietModeSetting stored = configured("Office", "secret");
    QCOMPARE(passwordAfterPick(hotSpots(), 1, stored), QString("secret"));
    QCOMPARE(passwordAfterPick(hotSpots(), 0, stored), QString());
    QCOMPARE(passwordAfterPick(hotSpots(), 1, configured("office", "secret")), QString());
    QCOMPARE(passwordAfterPick(hotSpots(), 3, stored), QString());
    QCOMPARE(passwordAfterPick(hotSpots(), -1, stored), QString());
  }

  void hotSpotRows() {
    QCOMPARE(hotSpotRowFor(hotSpots(), 2), 2);
    QCOMPARE(hotSpotRowFor(hotSpots(), 3), -1);
    QCOMPARE(hotSpotRowFor(hotSpots(), -1), -1);
    QCOMPARE(hotSpotRowFor({}, 0), -1);
  }

  void levelColours() {
    const QColor normal(Qt::darkGray);
    QCOMPARE(levelColour(1, normal), normal);
    QCOMPARE(levelColour(2, normal), kOrange);
    for (const int level : {3, 0, 4, -1}) {
      QCOMPARE(levelColour(level, normal), kRed);
    }
  }

  void tonerArc_data() {
    QTest::addColumn<int>("toner");
    QTest::addColumn<int>("span");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("25") << 25 << -90 * 16;
    QTest::newRow("50") << 50 << -180 * 16;
    QTest::newRow("100") << 100 << -360 * 16;
    QTest::newRow("byte 255") << 255 << -360 * 16;
    QTest::newRow("negative") << -5 << 0;
  }
  void tonerArc() {
    QFETCH(int, toner);
    QFETCH(int, span);
    QCOMPARE(tonerArcSpan(toner), span);
  }

  void tonerTextShowsTheValueAsGiven() {
    QCOMPARE(tonerText(75), QString("75%"));
    QCOMPARE(tonerText(255), QString("255%"));
    QCOMPARE(tonerText(-5), QString("-5%"));
  }

  void bothStringTablesAreBuiltIn() {
    QVERIFY(installStringTable(*QCoreApplication::instance(), {"zh-CN"}));
    QCOMPARE(localized("connecting"), QString::fromUtf8("正在连接"));
    QCOMPARE(localized("就绪"), QString::fromUtf8("就绪"));
    // The table installed last is asked first.
    QVERIFY(installStringTable(*QCoreApplication::instance(), {"en-GB"}));
    QCOMPARE(localized("connecting"), QString("Connecting"));
    QCOMPARE(localized("就绪"), QString("Ready"));
    QCOMPARE(localized("错误码"), QString("Error code "));
    QCOMPARE(localized("not a key"), QString("not a key"));
    QCOMPARE(localized(""), QString());
  }

  void softShadowSpreadsAShapeAndKeepsItsSize() {
    QImage dot(21, 21, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::transparent);
    dot.setPixelColor(10, 10, QColor(0, 255, 0));
    const QImage shadow = softShadow(dot, 3);
    QCOMPARE(shadow.size(), dot.size());
    QVERIFY(shadow.pixelColor(10, 10).alpha() < 255);
    QVERIFY(shadow.pixelColor(12, 10).alpha() > 0);
    QVERIFY(shadow.pixelColor(10, 13).alpha() > 0);
    QCOMPARE(shadow.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(softShadow(dot, 0), dot);
  }
};

QTEST_GUILESS_MAIN(ViewRulesTest)
#include "view_rules_test.moc"

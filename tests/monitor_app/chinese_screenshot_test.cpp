// The window in Chinese on a real X server (Xvfb, run by the test's
// command): a screenshot of it, probed where the status message is drawn,
// must show Chinese glyphs in the status colour, not the boxes of a missing
// font. The screenshot is kept in the build folder for a person to look
// at.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QRawFont>
#include <QScreen>
#include <QSet>
#include <QtTest/QtTest>

#include <memory>

#include "monitor/monitor_fixture.h"
#include "monitor/network_model.h"
#include "monitor/printer_model.h"
#include "monitor_app/main_window.h"
#include "monitor_app/status_look.h"
#include "monitor_app/string_table.h"
#include "window_fixture.h"

using window_test::answerAlert;
using window_test::AlertText;
using window_test::part;

namespace {

// One character drawn alone in the font, as the window's font engine draws
// it.
QImage drawn(const QFont& font, char32_t character) {
  QImage image(48, 48, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignCenter, QString::fromUcs4(&character, 1));
  return image;
}

}  // namespace

class ChineseScreenshotTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      QSKIP("needs an X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)");
    }
    QVERIFY(monitor_app::installStringTable(*qApp, {"zh-CN"}));
  }

  void statusMessageIsDrawnInChineseGlyphs() {
    monitor_test::SimDevices devices;
    devices.devices.listUsbDevices = [] { return std::vector<device::usb::AttachedDevice>{}; };
    monitor::PrinterModel printers(devices.devices);
    monitor::NetworkModel network(printers, devices.devices);
    monitor_app::MainWindow window(printers, network);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(!window_test::openAlerts(window).isEmpty());
    QCOMPARE(answerAlert(window),
             (AlertText{QString::fromUtf8("错误"), QString::fromUtf8("没有找到打印机，请检查打印机的连接后刷新打印机列表"),
                        QString::fromUtf8("好")}));
    QTest::qWait(200);

    const QPixmap screen = window.screen()->grabWindow(window.winId());
    QVERIFY(!screen.isNull());
    const QImage shot = screen.toImage();
    const QString file = QDir::current().absoluteFilePath("monitor-zh.png");
    QVERIFY(shot.save(file, "PNG"));
    qInfo("screenshot: %s", qPrintable(file));

    QLabel& message = *part<QLabel>(window, "statusMessage");
    const QString text = message.text();
    QCOMPARE(text, QString::fromUtf8("没有连接的设备"));

    // In the screenshot, where the message is: ink of the error colour, in
    // more than a few shades (glyph edges), over a good share of the area.
    const QRect area(message.mapTo(&window, QPoint(0, 0)) * screen.devicePixelRatio(),
                     message.size() * screen.devicePixelRatio());
    int red = 0;
    QSet<QRgb> shades;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        const QColor pixel = shot.pixelColor(x, y);
        shades.insert(pixel.rgb());
        red += pixel.red() > 200 && pixel.green() < 120 && pixel.blue() < 120 ? 1 : 0;
      }
    }
    QVERIFY2(red > 200, qPrintable(QString::number(red)));
    QVERIFY2(shades.size() > 8, qPrintable(QString::number(shades.size())));

    // Glyphs, not boxes: a font the window resolves for Chinese has every
    // character, and each character looks different from the others and
    // from a character no font has.
    const QRawFont chinese = QRawFont::fromFont(message.font(), QFontDatabase::SimplifiedChinese);
    QVERIFY(chinese.isValid());
    const QImage missing = drawn(message.font(), 0x10FFFD);
    const QList<uint> characters = text.toUcs4();
    QSet<QString> looks;
    for (const char32_t character : characters) {
      QVERIFY2(chinese.supportsCharacter(character), qPrintable(QString::fromUcs4(&character, 1)));
      const QImage glyph = drawn(message.font(), character);
      QVERIFY(glyph != missing);
      looks.insert(QString::fromLatin1(
          QByteArray(reinterpret_cast<const char*>(glyph.constBits()), static_cast<int>(glyph.sizeInBytes()))
              .toBase64()));
    }
    QCOMPARE(looks.size(), QSet<uint>(characters.begin(), characters.end()).size());
  }
};

QTEST_MAIN(ChineseScreenshotTest)
#include "chinese_screenshot_test.moc"

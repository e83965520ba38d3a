// The window on a real X server (Xvfb, with a window manager where one is
// installed; both run by the test's command), as a user sees it:
// - in Chinese, probed where the status message is drawn, it shows Chinese
//   glyphs in the status colour, not the boxes of a missing font;
// - the alert of a start without a printer opens over the window, not where
//   the window was before the window manager placed it;
// - a window grown for a tall status keeps its foot on the screen, and
//   goes back where it was once the status is short again, unless the user
//   moved it meanwhile;
// - screenshots of the window with its frame, in each language at its
//   default and its minimum size, are kept in the build folder for a person
//   to look at; each shows the whole toner ring.
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
using window_test::useLanguage;

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

bool underWindowManager() { return qEnvironmentVariableIsSet("TEST_WINDOW_MANAGER"); }

// The window as the screen shows it, with the window manager's frame.
QImage framed(QWidget& window) {
  const QRect frame = window.frameGeometry();
  return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
}

int greenPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      count += c.green() > 180 && c.red() < 140 && c.blue() < 120 ? 1 : 0;
    }
  }
  return count;
}

}  // namespace

class XcbWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      QSKIP("needs an X server (run under tests/support/with_xvfb.sh with QT_QPA_PLATFORM=xcb)");
    }
  }

  void startUpAlertOpensCentredOverTheWindow() {
    if (!underWindowManager()) {
      QSKIP("needs a window manager (openbox) to place the windows");
    }
    useLanguage({"en-GB"});
    monitor_test::SimDevices devices;
    devices.devices.listUsbDevices = [] { return std::vector<device::usb::AttachedDevice>{}; };
    monitor::PrinterModel printers(devices.devices);
    monitor::NetworkModel network(printers, devices.devices);
    // Another window in the top-left corner, where a window sits before the
    // window manager places it: this one goes elsewhere.
    QWidget other;
    other.setGeometry(0, 0, 500, 500);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    monitor_app::MainWindow window(printers, network);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(!window_test::openAlerts(window).isEmpty());
    QDialog& alert = *window_test::openAlerts(window).front();
    QVERIFY(QTest::qWaitForWindowExposed(&alert));
    // Where the screen shows them: their client areas. Qt's frame rectangle
    // of the alert can lag behind them (it may still be 1x1 while the alert
    // is shown in place). The window manager may move the alert a moment
    // after it is shown (longer on a busy machine), by about its title bar.
    const auto offCentre = [&] { return (alert.geometry().center() - window.geometry().center()).manhattanLength(); };
    QTRY_VERIFY2_WITH_TIMEOUT(offCentre() <= 40,
                              qPrintable(QStringLiteral("alert %1 over window %2")
                                             .arg(QDebug::toString(alert.geometry()), QDebug::toString(window.geometry()))),
                              20000);
    QCOMPARE(answerAlert(window).title, QStringLiteral("Error"));
  }

  void aWindowGrownForATallStatusStaysOnTheScreenAndGoesBack_data() {
    QTest::addColumn<bool>("movedMeanwhile");
    QTest::newRow("left alone") << false;
    QTest::newRow("moved meanwhile") << true;
  }
  void aWindowGrownForATallStatusStaysOnTheScreenAndGoesBack() {
    QFETCH(bool, movedMeanwhile);
    if (!underWindowManager()) {
      QSKIP("needs a window manager (openbox) to place the windows");
    }
    useLanguage({"en-GB"});
    window_test::Rig rig;
    if (!rig.usbAvailable()) {
      QSKIP("needs umockdev-wrapper");
    }
    rig.attachPrinter();
    monitor_app::MainWindow& window = rig.open();
    QTRY_COMPARE(rig.printers().statusInfo().message, QString::fromUtf8("就绪"));
    const QRect screen = window.screen()->availableGeometry();
    window.move(window.x(), screen.bottom() - window.frameGeometry().height() - 10);
    QTRY_VERIFY(screen.bottom() - window.frameGeometry().bottom() < 20);
    const QSize before = window.size();
    QPoint place = window.pos();

    // The longest English message and advice.
    rig.printers().setStatusInfo(monitor::StatusInfo(3, QString::fromUtf8("纸型与机器纸张设置不匹配"),
                                                     QString::fromUtf8("纸型与机器纸张设置不匹配,按 OK 键继续打印"), 73));
    QTRY_VERIFY(window.height() > before.height());
    QTRY_VERIFY2(window.frameGeometry().bottom() <= screen.bottom(),
                 qPrintable(QDebug::toString(window.frameGeometry()) + " on " + QDebug::toString(screen)));
    QCOMPARE(window.height(), window.minimumHeight());
    QVERIFY(window.pos().y() < place.y());
    if (movedMeanwhile) {
      place = window.pos() + QPoint(40, -30);
      window.move(place);
      QTRY_COMPARE(window.pos(), place);
    }

    // Back where it was, or where the user put it.
    rig.printers().setStatusInfo(monitor::StatusInfo(1, QString::fromUtf8("就绪"), {}, 73));
    QTRY_COMPARE(window.size(), before);
    QTRY_COMPARE(window.pos(), place);
  }

  void screenshotsInEachLanguageAtTheDefaultAndTheMinimumSize_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::newRow("en") << QStringList{"en-GB"};
    QTest::newRow("zh") << QStringList{"zh-CN"};
  }
  void screenshotsInEachLanguageAtTheDefaultAndTheMinimumSize() {
    QFETCH(QStringList, languages);
    useLanguage(languages);
    window_test::Rig rig;
    if (rig.usbAvailable()) {
      rig.attachPrinter();
    }
    monitor_app::MainWindow& window = rig.open();
    if (rig.usbAvailable()) {
      QTRY_COMPARE(rig.printers().statusInfo().message, QString::fromUtf8("就绪"));
    } else {
      QTRY_VERIFY(!window_test::openAlerts(window).isEmpty());
      answerAlert(window);
    }
    const QString language = QString::fromLatin1(QTest::currentDataTag());
    for (const char* size : {"default", "minimum"}) {
      if (QByteArray(size) == "minimum") {
        window.resize(1, 1);
      }
      QTest::qWait(300);
      const QImage shot = framed(window);
      const QString file = QDir::current().absoluteFilePath(QStringLiteral("monitor-%1-%2.png").arg(language, size));
      QVERIFY(shot.save(file, "PNG"));
      qInfo("screenshot: %s (%dx%d)", qPrintable(file), shot.width(), shot.height());
      // The whole ring is on the screen: its green arc at 73%.
      QVERIFY2(greenPixels(shot) > 300, qPrintable(file));
    }
    QCOMPARE(window.size(), window.minimumSize());
  }

  void statusMessageIsDrawnInChineseGlyphs() {
    useLanguage({"zh-CN"});
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
                        QString::fromUtf8("确定")}));
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

QTEST_MAIN(XcbWindowTest)
#include "xcb_window_test.moc"

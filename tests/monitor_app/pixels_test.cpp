// What the window draws, probed pixel by pixel (offscreen): the toner ring
// at several levels, the status colours, the pictures. The models find
// nothing; each test publishes the status it draws.
#include <QApplication>
#include <QLabel>
#include <QSet>
#include <QtTest/QtTest>

#include <cmath>
#include <memory>

#include "monitor/monitor_fixture.h"
#include "monitor/network_model.h"
#include "monitor/printer_model.h"
#include "monitor_app/pictures/pictures.h"
#include "monitor_app/printer_row.h"
#include "monitor_app/status_info_view.h"
#include "monitor_app/status_look.h"
#include "monitor_app/toner_view.h"

using monitor_app::TonerRing;

namespace {

// Clock positions in hours (3 is three o'clock) on the ring's stroke.
QPoint onRing(double hours) {
  const double angle = hours / 12.0 * 2.0 * M_PI;
  const double centre = TonerRing::kMargin + TonerRing::kRingSide / 2.0;
  const double radius = TonerRing::kRingSide / 2.0;
  return {static_cast<int>(std::lround(centre + radius * std::sin(angle))),
          static_cast<int>(std::lround(centre - radius * std::cos(angle)))};
}

bool green(const QColor& c) { return c.green() > 180 && c.red() < 140 && c.blue() < 120; }

// Slightly green against a grey background: the shadow's tint.
bool tinted(const QColor& c) { return c.green() - c.red() >= 3; }

int distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// The label's ink: the pixel farthest from its background.
QColor ink(QWidget& label) {
  const QImage image = label.grab().toImage();
  const QColor background = image.pixelColor(0, 0);
  QColor farthest = background;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (distance(image.pixelColor(x, y), background) > distance(farthest, background)) {
        farthest = image.pixelColor(x, y);
      }
    }
  }
  return farthest;
}

bool near(const QColor& a, const QColor& b) { return distance(a, b) <= 24; }

}  // namespace

class PixelsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    devices_.devices.listUsbDevices = [] { return std::vector<device::usb::AttachedDevice>{}; };
    printers_ = std::make_unique<monitor::PrinterModel>(devices_.devices);
    network_ = std::make_unique<monitor::NetworkModel>(*printers_, devices_.devices);
  }
  void cleanup() {
    network_.reset();
    printers_.reset();
  }

  void tonerRing_data() {
    QTest::addColumn<int>("toner");
    QTest::addColumn<QList<double>>("greenAt");  // clock hours
    QTest::addColumn<QList<double>>("trackAt");
    QTest::newRow("0") << 0 << QList<double>{} << QList<double>{1.5, 4.5, 7.5, 10.5};
    QTest::newRow("25") << 25 << QList<double>{0.5, 1.5, 2.5} << QList<double>{4.5, 7.5, 10.5};
    QTest::newRow("50") << 50 << QList<double>{1.5, 3, 4.5} << QList<double>{7.5, 9, 10.5};
    QTest::newRow("100") << 100 << QList<double>{1.5, 4.5, 7.5, 10.5, 11.9} << QList<double>{};
    QTest::newRow("byte 255") << 255 << QList<double>{1.5, 4.5, 7.5, 10.5} << QList<double>{};
    QTest::newRow("negative") << -5 << QList<double>{} << QList<double>{1.5, 4.5, 7.5, 10.5};
  }
  void tonerRing() {
    QFETCH(int, toner);
    QFETCH(QList<double>, greenAt);
    QFETCH(QList<double>, trackAt);
    TonerRing ring(*printers_);
    printers_->setStatusInfo(monitor::StatusInfo(1, "", "", toner));
    const QImage image = ring.grab().toImage();
    const QColor background = image.pixelColor(2, 2);

    for (const double hours : greenAt) {
      QVERIFY2(green(image.pixelColor(onRing(hours))), qPrintable(QString("green at %1").arg(hours)));
    }
    for (const double hours : trackAt) {
      const QColor track = image.pixelColor(onRing(hours));
      // Black at a tenth: a little darker than the background, grey.
      QVERIFY2(track.value() < background.value() && background.value() - track.value() < 50 && !tinted(track),
               qPrintable(QString("track at %1: %2").arg(hours).arg(track.name())));
    }
    if (greenAt.isEmpty()) {
      // Not even the dot a round cap would leave.
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          QVERIFY2(!tinted(image.pixelColor(x, y)), qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
      }
    }
    // The percentage in the middle.
    const int centre = TonerRing::kMargin + TonerRing::kRingSide / 2;
    int dark = 0;
    for (int x = centre - 20; x <= centre + 20; ++x) {
      dark += image.pixelColor(x, centre).value() < 100 ? 1 : 0;
    }
    QVERIFY(dark > 2);
  }

  void onlyTheArcCastsAShadow() {
    TonerRing ring(*printers_);
    printers_->setStatusInfo(monitor::StatusInfo(1, "", "", 100));
    const QImage image = ring.grab().toImage();
    const int centre = TonerRing::kMargin + TonerRing::kRingSide / 2;
    const int ringBottom = TonerRing::kMargin + TonerRing::kRingSide + TonerRing::kStrokeWidth / 2;
    // Below the ring, the shadow falls 3 down.
    bool shadow = false;
    for (int y = ringBottom + 1; y <= ringBottom + 5; ++y) {
      shadow = shadow || tinted(image.pixelColor(centre, y));
    }
    QVERIFY(shadow);
    // Around the text: no tint at all.
    for (int y = centre - 15; y <= centre + 15; ++y) {
      for (int x = centre - 25; x <= centre + 25; ++x) {
        QVERIFY2(!tinted(image.pixelColor(x, y)), qPrintable(QString("%1,%2").arg(x).arg(y)));
      }
    }
  }

  void statusColourFollowsTheLevel_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<QColor>("colour");  // invalid: the palette's text colour
    QTest::newRow("1 normal") << 1 << QColor();
    QTest::newRow("2 orange") << 2 << monitor_app::kOrange;
    QTest::newRow("3 red") << 3 << monitor_app::kRed;
    QTest::newRow("7 red") << 7 << monitor_app::kRed;
  }
  void statusColourFollowsTheLevel() {
    QFETCH(int, level);
    QFETCH(QColor, colour);
    monitor_app::StatusInfoView panel(*printers_, *network_);
    panel.resize(450, 400);
    if (!colour.isValid()) {
      colour = panel.palette().color(QPalette::WindowText);
    }
    printers_->setStatusInfo(monitor::StatusInfo(level, "前盖打开", "请关闭前盖", 10));
    for (const char* name : {"statusMessage", "statusAdvice"}) {
      const QColor drawn = ink(*panel.findChild<QLabel*>(name));
      QVERIFY2(near(drawn, colour), qPrintable(QString("%1: %2, not %3").arg(name, drawn.name(), colour.name())));
    }
  }

  void printerRowShowsItsLabelAsItStandsWhiteOnBlueWhenChosen() {
    // Labels carry addresses from the network: no markup, no shortcut
    // markers.
    monitor_app::PrinterRow row(QString::fromUtf8("A&B <b>x</b>(192.0.2.11)"));
    row.resize(row.sizeHint());
    QCOMPARE(row.text(), QString::fromUtf8("A&B <b>x</b>(192.0.2.11)"));
    const auto colours = [&row] {
      const QImage image = row.grab().toImage();
      QSet<QRgb> found;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          found.insert(image.pixel(x, y));
        }
      }
      return found;
    };
    QVERIFY(!colours().contains(monitor_app::kBlue.rgb()));
    row.setChosen(true);
    const QSet<QRgb> chosen = colours();
    QVERIFY(chosen.contains(monitor_app::kBlue.rgb()));
    QVERIFY(chosen.contains(QColor(Qt::white).rgb()));
    // A column too narrow for the label wraps it.
    QVERIFY(row.heightForWidth(row.sizeHint().width() / 3) > row.heightForWidth(row.sizeHint().width()));
  }

  void everyPictureIsDrawnAndUnknownNamesHaveNone() {
    QSet<QString> looks;
    for (const char* name : {"icon", "arrow.clockwise", "KTR6620LXV", "custom.wifi.weak", "custom.wifi.medium",
                             "custom.wifi.strong"}) {
      const QImage image = monitor_app::pictures::picture(name, QSize(64, 64)).toImage();
      QVERIFY2(!image.isNull(), name);
      QSet<QRgb> colours;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          colours.insert(image.pixel(x, y));
        }
      }
      QVERIFY2(colours.size() > 2, name);
      QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), static_cast<int>(image.sizeInBytes()));
      looks.insert(QString::fromLatin1(bytes.toBase64()));
    }
    QCOMPARE(looks.size(), 6);  // the three signal levels differ too
    QVERIFY(monitor_app::pictures::picture("", QSize(64, 64)).isNull());
    QVERIFY(monitor_app::pictures::picture("OTHER-MODEL", QSize(64, 64)).isNull());
  }

 private:
  monitor_test::SimDevices devices_;
  std::unique_ptr<monitor::PrinterModel> printers_;
  std::unique_ptr<monitor::NetworkModel> network_;
};

QTEST_MAIN(PixelsTest)
#include "pixels_test.moc"

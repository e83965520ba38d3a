#pragma once
// What the window tests share: the real models on the simulated USB printer
// (and, where a test adds one, an snmpd agent on loopback), the window on
// top, and ways to find and answer its alerts.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <QWidget>
#include <QtTest/QTest>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/monitor_fixture.h"
#include "monitor/network_model.h"
#include "monitor/printer_model.h"
#include "monitor_app/main_window.h"
#include "monitor_app/printer_replies.h"
#include "monitor_app/string_table.h"
#include "sim/usb/usb_sim.h"

namespace window_test {

using namespace std::chrono_literals;
using monitor_sim::printerReply;
using monitor_sim::statusReply;
using monitor_test::looked;
using monitor_test::q;
using sim::usb::Answer;

// One test's world: a USB bus, the models and the window, made in that
// order and taken down in reverse.
class Rig {
 public:
  Rig() : devices_(6000ms) {}

  bool usbAvailable() const { return bed_.active(); }

  // The printer on the bus, at rest (code 1) with `toner` percent.
  sim::usb::Device& attachPrinter(int toner = 73) {
    printer_ = &bed_.addDevice();
    printer_->replyToControl(0xC0, 4, Answer::bytes(statusReply(1, toner)));
    return *printer_;
  }
  sim::usb::Device& printer() { return *printer_; }

  // Network printers come from this discovery list, their status from an
  // agent on this loopback port.
  void discoverNetworkPrinter(std::uint16_t agentPort) {
    devices_.discoverList(monitor_test::kPrinterOnLoopback);
    devices_.devices.snmpGet = monitor::snmpStatusGet(agentPort);
  }

  // A network printer at `ip` (on loopback) that answers no status.
  void discoverSilentNetworkPrinter(const std::string& ip) {
    devices_.discoverList(ip + ",iso.3.6.1.4.1.48117.4.7.1.8|");
    devices_.devices.snmpGet = [](std::string_view, std::string_view, std::size_t) { return std::string("error"); };
  }

  // Models (discovery runs now) and the window, shown.
  monitor_app::MainWindow& open() {
    printers_ = std::make_unique<monitor::PrinterModel>(devices_.devices);
    network_ = std::make_unique<monitor::NetworkModel>(*printers_, devices_.devices);
    window_ = std::make_unique<monitor_app::MainWindow>(*printers_, *network_);
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) {
      throw std::runtime_error("the window was never shown");
    }
    return *window_;
  }

  monitor::PrinterModel& printers() { return *printers_; }
  monitor::NetworkModel& network() { return *network_; }
  monitor_app::MainWindow& window() { return *window_; }

  // Every payload the printer received on its command pipe, as text.
  std::vector<std::string> commandsReceived() const {
    std::vector<std::string> texts;
    for (const sim::usb::Bytes& bytes : printer_->received(0x01)) {
      texts.emplace_back(bytes.begin(), bytes.end());
    }
    return texts;
  }

 private:
  sim::usb::Testbed bed_;
  sim::usb::Device* printer_ = nullptr;
  monitor_test::SimDevices devices_;
  std::unique_ptr<monitor::PrinterModel> printers_;
  std::unique_ptr<monitor::NetworkModel> network_;
  std::unique_ptr<monitor_app::MainWindow> window_;
};

// The window's child of that type and name (the first, depth first);
// throws (the test fails) when there is none.
template <typename T>
T* part(QWidget& root, const char* name) {
  T* found = root.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) {
    throw std::runtime_error(std::string("no part named ") + name);
  }
  return found;
}

struct AlertText {
  QString title;
  QString message;
  QString button;
  friend bool operator==(const AlertText&, const AlertText&) = default;
};

// The window's children of that type and name that are shown now.
template <typename T>
QList<T*> shownParts(QWidget& root, const char* name) {
  QList<T*> shown;
  for (T* found : root.findChildren<T*>(QString::fromLatin1(name))) {
    if (found->isVisible()) {
      shown.append(found);
    }
  }
  return shown;
}

// The alerts now open over the window.
inline QList<QDialog*> openAlerts(QWidget& window) { return shownParts<QDialog>(window, "alert"); }

// Our string table and Qt's for the language, in place of any installed
// before.
inline void useLanguage(const QStringList& uiLanguages) {
  for (QTranslator* table : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(table);
    delete table;
  }
  QVERIFY(monitor_app::installStringTable(*qApp, uiLanguages));
}

inline AlertText textOf(QDialog& alert) {
  return {part<QLabel>(alert, "alertTitle")->text(), part<QLabel>(alert, "alertMessage")->text(),
          part<QPushButton>(alert, "alertButton")->text()};
}

// The one open alert's texts, after pressing its button; a title saying
// how many were open when that is not one.
inline AlertText answerAlert(QWidget& window) {
  const QList<QDialog*> open = openAlerts(window);
  if (open.size() != 1) {
    return {QStringLiteral("(%1 alerts open)").arg(open.size()), {}, {}};
  }
  const AlertText text = textOf(*open.front());
  QTest::mouseClick(part<QPushButton>(*open.front(), "alertButton"), Qt::LeftButton);
  return text;
}

// The "[key]" texts the bracket table gives, for an alert of the forms.
inline AlertText formAlert(const char* title, const char* message) {
  return {looked(title), looked(message), looked("OK")};
}

}  // namespace window_test

Q_DECLARE_METATYPE(window_test::AlertText)

namespace QTest {
// Readable failures for alert comparisons.
template <>
inline char* toString(const window_test::AlertText& text) {
  return qstrdup(
      QStringLiteral("{%1 | %2 | %3}").arg(text.title, text.message, text.button).toUtf8().constData());
}
}  // namespace QTest

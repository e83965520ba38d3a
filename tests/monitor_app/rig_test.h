#pragma once
// The base of the window tests on the simulated USB printer: the bracket
// string table for the whole run, and a fresh rig for every test (skipped
// outside umockdev-wrapper).

#include <QApplication>
#include <QObject>
#include <QtTest/QtTest>

#include <memory>

#include "window_fixture.h"

namespace window_test {

class RigTest : public QObject {
  Q_OBJECT

 protected:
  // What every test of the class finds on the bus; nothing by default.
  virtual void attachDevices() {}

  std::unique_ptr<Rig> rig_;

 private slots:
  void initTestCase() { qApp->installTranslator(new monitor_test::BracketTable); }

  void init() {
    rig_ = std::make_unique<Rig>();
    if (!rig_->usbAvailable()) {
      QSKIP("needs umockdev-wrapper");
    }
    attachDevices();
  }
  void cleanup() { rig_.reset(); }
};

}  // namespace window_test

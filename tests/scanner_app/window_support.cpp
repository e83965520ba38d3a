#include "window_support.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <array>
#include <cstdio>
#include <sys/wait.h>

#include "desktop/alert.h"
#include "scanner_app/string_table.h"

namespace wintest {

using namespace std::chrono_literals;

const std::chrono::system_clock::time_point kScanTime =
    std::chrono::sys_days{std::chrono::year{2024} / 1 / 2} + 3h + 4min + 5s;
const std::string kStamp = "20240102030405";

scanner_app::ScreenOptions screenOptions(scanner_app::FolderChooser chooser) {
  scanner_app::ScreenOptions options;
  options.model.discovery.interfaces = [] { return std::optional(std::vector<device::snmp::Ipv4Interface>{}); };
  options.model.network.connectTimeout = 1000ms;
  options.model.network.ioTimeout = 3000ms;
  options.model.clock = [] { return kScanTime; };
  options.chooseFolder = chooser ? std::move(chooser) : [](QWidget*, const QString&) -> std::optional<QString> {
    ADD_FAILURE() << "the real folder dialog was asked for";
    return std::nullopt;
  };
  return options;
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  return QTest::qWaitFor(done, static_cast<int>(timeout.count()));
}

Bytes jpegPage(int pageNo, QSize size) {
  QImage image(size, QImage::Format_Grayscale8);
  image.fill(static_cast<uint>(40 * pageNo % 256));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 90);
  return Bytes(bytes.begin(), bytes.end());
}

scan::Device networkScanner(const std::string& address) {
  return scan::Device("KTR6620LXV", "KTR6620LXV(" + address + ")", scan::kTypeNet, address, 52, 0x5A3E);
}

void choose(QComboBox* picker, int tag) {
  const int row = picker->findData(tag);
  ASSERT_GE(row, 0) << picker->objectName().toStdString() << " offers no row " << tag;
  picker->setCurrentIndex(row);
}

int chosenTag(const QComboBox* picker) { return picker->currentData().toInt(); }

desktop::Alert* shownAlert(scanner_app::ContentView& window) {
  desktop::Alert* alert = window.settingView().alertView();
  return alert && alert->isVisible() ? alert : nullptr;
}

bool dismissAlert(scanner_app::ContentView& window) {
  if (!waitFor([&] { return shownAlert(window) != nullptr; })) return false;
  QTest::mouseClick(shownAlert(window)->button(), Qt::LeftButton);
  return waitFor([&] { return shownAlert(window) == nullptr; });
}

std::string text(const char* key) { return scanner_app::text(key).toStdString(); }

LanguageTables::LanguageTables(scanner_app::Language language) {
  const QString tag = language == scanner_app::Language::Chinese ? QStringLiteral("zh-CN") : QStringLiteral("en");
  loaded_ = scanner_app::installStringTable(owner_, {tag}) && owner_.findChildren<QTranslator*>().size() == 2;
}

std::string languageName(scanner_app::Language language) {
  return language == scanner_app::Language::Chinese ? "Chinese" : "English";
}

}  // namespace wintest

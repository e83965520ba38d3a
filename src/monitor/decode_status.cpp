#include "device/common/log.h"
#include "monitor/status_table.h"
#include "monitor/supported_models.h"

#include <QCoreApplication>

namespace monitor {

StatusEntry decodeStatusInfo(int code, const QString& printerName) {
  device::logLine("select printer is " + printerName.toStdString() + " and status code = " + std::to_string(code));
  // The single supported model: every found printer carries its name.
  if (printerName == BRELPrinterList().front().printerName) {
    const auto& table = KTR6620LXVStatus();
    if (const auto found = table.find(code); found != table.end()) {
      return found->second;
    }
  }
  return {3, QString::fromUtf8(kUnknownCodeKey) + QString::number(code),
          QString::fromUtf8(QT_TRANSLATE_NOOP("Localizable", "请重启设备，如果错误还存在，请联系厂家"))};
}

}  // namespace monitor

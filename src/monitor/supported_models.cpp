#include "monitor/supported_models.h"

#include "device/common/supported_model.h"

namespace monitor {

const QList<BRELPrinter>& BRELPrinterList() {
  static const QList<BRELPrinter> list{
      {QString::fromUtf8(device::model::kName.data(), static_cast<qsizetype>(device::model::kName.size())),
       QString::fromUtf8(device::model::kObjectId.data(), static_cast<qsizetype>(device::model::kObjectId.size())),
       device::model::kProductId.value},
  };
  return list;
}

}  // namespace monitor

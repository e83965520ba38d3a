#include "monitor/printer.h"

#include <utility>

namespace monitor {

Printer::Printer(QString printerName, QString printerLabel, QString printerType, QString address,
                 quint16 productId, quint16 vendorId)
    : id(QUuid::createUuid()),
      name(std::move(printerName)),
      label(std::move(printerLabel)),
      type(std::move(printerType)),
      ip(std::move(address)),
      PID(productId),
      VID(vendorId) {}

Printer::Printer(QString printerName) : Printer(std::move(printerName), {}, {}, {}, 0, kPlaceholderVendorId) {}

size_t qHash(const Printer& printer, size_t seed) noexcept {
  return qHashMulti(seed, printer.id, printer.name, printer.label, printer.type, printer.ip, printer.PID,
                    printer.VID);
}

}  // namespace monitor

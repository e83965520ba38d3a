#include "monitor/printer_model.h"

#include <utility>

namespace monitor {

PrinterModel::PrinterModel(MonitorDevices devices, QObject* parent)
    : QObject(parent), devices_(std::move(devices)) {}

PrinterModel::~PrinterModel() = default;

void PrinterModel::setSelectedPrinter(const Printer& printer) {
  selectedPrinter_ = printer;
  emit selectedPrinterChanged();
}

void PrinterModel::setStatusInfo(const StatusInfo& status) {
  statusInfo_ = status;
  emit statusInfoChanged();
}

void PrinterModel::getPrinterList() {}
void PrinterModel::getPrinterByIOUSB() {}
void PrinterModel::getPrinterBySNMP() {}
void PrinterModel::updateStatus(const Printer&) {}
void PrinterModel::stopUpdateStatus() {}
void PrinterModel::startTimer() {}
void PrinterModel::initStatus() {}
void PrinterModel::getSNMPStatus() {}
void PrinterModel::getUSBControlRequestInfo() {}

}  // namespace monitor

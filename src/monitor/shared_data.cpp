#include "monitor/shared_data.h"

#include "monitor/network_model.h"
#include "monitor/printer_model.h"

namespace monitor::SharedData {

// Made once (thread-safe first use) and never destroyed: the models live
// until the process ends, past the application object.
PrinterModel& printerModel() {
  static PrinterModel* const model = new PrinterModel(realDevices());
  return *model;
}

NetworkModel& networkModel() {
  static NetworkModel* const model = new NetworkModel(printerModel(), realDevices());
  return *model;
}

}  // namespace monitor::SharedData

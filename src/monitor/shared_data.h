#pragma once
// The status monitor's two models, one each for the whole process, created
// on first access on the GUI thread and kept until the process ends.

namespace monitor {

class NetworkModel;
class PrinterModel;

namespace SharedData {

// The first call runs the printer model's constructor, which blocks for a
// full discovery.
PrinterModel& printerModel();
// Commands go to printerModel()'s selected printer; no device traffic at
// creation.
NetworkModel& networkModel();

}  // namespace SharedData
}  // namespace monitor

#pragma once
// The two applications link one device layer that behaves slightly differently
// in each (which USB failures are logged and how, whether a non-seizing open may
// fail, which lines the TCP channel logs). Each program fixes its flavour once,
// at the start of main, before it touches a device; the status monitor's is the
// default.

namespace device {

enum class Flavour { StatusMonitor, Scanner };

// Fixes the flavour for the rest of the process. Throws std::logic_error when
// the flavour is already fixed to the other value (set before, or already
// used by the layer).
void setFlavour(Flavour value);

// The process's flavour; the first call fixes it.
Flavour flavour();

}  // namespace device

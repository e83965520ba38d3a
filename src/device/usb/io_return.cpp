#include "device/usb/io_return.h"

#include <array>

namespace device::usb {
namespace {

constexpr std::array kRows = std::to_array<ReturnCodeRow>({
    {"aborted", kIOReturnAborted, "Aborted"},
    {"badArgument", kIOReturnBadArgument, "Invalid argument"},
    {"badMedia", kIOReturnBadMedia, "Media error"},
    {"badMessageId", kIOReturnBadMessageID, "Sent/received messages had different msg_id"},
    {"busy", kIOReturnBusy, "Device busy"},
    {"cannotLock", kIOReturnCannotLock, "Can't acquire lock"},
    {"cannotWire", kIOReturnCannotWire, "Can't wire down physical memory"},
    {"dmaError", kIOReturnDMAError, "DMA failure"},
    {"deviceError", kIOReturnDeviceError, "The device is not working properly"},
    {"error", kIOReturnError, "General error"},
    {"exclusiveAccess", kIOReturnExclusiveAccess, "Exclusive access and device already open"},
    {"ioError", kIOReturnIOError, "General I/O error"},
    {"ipcError", kIOReturnIPCError, "Error during IPC"},
    {"internalError", kIOReturnInternalError, "Internal error"},
    {"invalid", kIOReturnInvalid, "Should never be seen"},
    {"isoTooNew", kIOReturnIsoTooNew, "Isochronous I/O request for distant future"},
    {"isoTooOld", kIOReturnIsoTooOld, "Isochronous I/O request for distant past"},
    {"lockedRead", kIOReturnLockedRead, "Device read locked"},
    {"lockedWrite", kIOReturnLockedWrite, "Device write locked"},
    {"messageTooLarge", kIOReturnMessageTooLarge, "Oversized msg received on interrupt port"},
    {"noBandwidth", kIOReturnNoBandwidth, "Bus bandwidth would be exceeded"},
    {"noChannels", kIOReturnNoChannels, "No DMA channels left"},
    {"noCompletion", kIOReturnNoCompletion, "A completion routine is required"},
    {"noDevice", kIOReturnNoDevice, "No such device"},
    {"noFrames", kIOReturnNoFrames, "No DMA frames enqueued"},
    {"noInterrupt", kIOReturnNoInterrupt, "No interrupt attached"},
    {"noMedia", kIOReturnNoMedia, "Media not present"},
    {"noMemory", kIOReturnNoMemory, "Can't allocate memory"},
    {"noPower", kIOReturnNoPower, "No power to device"},
    {"noResources", kIOReturnNoResources, "Resource shortage"},
    {"noSpace", kIOReturnNoSpace, "No space for data"},
    {"notAligned", kIOReturnNotAligned, "Alignment error"},
    {"notAttached", kIOReturnNotAttached, "Device not attached"},
    {"notFound", kIOReturnNotFound, "Data was not found"},
    {"notOpen", kIOReturnNotOpen, "Device not open"},
    {"notPermitted", kIOReturnNotPermitted, "Not permitted"},
    {"notPrivileged", kIOReturnNotPrivileged, "Privilege violation"},
    {"notReadable", kIOReturnNotReadable, "Read not supported"},
    {"notReady", kIOReturnNotReady, "Not ready"},
    {"notResponding", kIOReturnNotResponding, "Device not responding"},
    {"notWritable", kIOReturnNotWritable, "Write not supported"},
    {"offline", kIOReturnOffline, "Device offline"},
    {"overrun", kIOReturnOverrun, "Data overrun"},
    {"portExists", kIOReturnPortExists, "Port already exists"},
    {"rldError", kIOReturnRLDError, "RLD failure"},
    {"stillOpen", kIOReturnStillOpen, "Device(s) still open"},
    {"timeout", kIOReturnTimeout, "I/O timeout"},
    {"underrun", kIOReturnUnderrun, "Data underrun"},
    {"unformattedMedia", kIOReturnUnformattedMedia, "media not formatted"},
    {"unsupported", kIOReturnUnsupported, "Unsupported function"},
    {"unsupportedMode", kIOReturnUnsupportedMode, "No such mode"},
    {"vmError", kIOReturnVMError, "Misc. VM failure"},
    {"usbUnknownPipe", kIOUSBUnknownPipeErr, "Pipe ref not recognized"},
    {"usbTooManyPipes", kIOUSBTooManyPipesErr, "Too many pipes"},
    {"usbNoAsyncPort", kIOUSBNoAsyncPortErr, "no async port"},
    {"usbNotEnoughPipes", kIOUSBNotEnoughPipesErr, "not enough pipes in interface"},
    {"usbNotEnoughPower", kIOUSBNotEnoughPowerErr, "not enough power for selected configuration"},
    {"usbEndpointNotFound", kIOUSBEndpointNotFound, "Endpoint Not found"},
    {"usbConfigNotFound", kIOUSBConfigNotFound, "Configuration Not found"},
    {"usbTransactionTimeout", kIOUSBTransactionTimeout, "Transaction timed out"},
    {"usbTransactionReturned", kIOUSBTransactionReturned, "The transaction has been returned to the caller"},
    {"usbPipeStalled", kIOUSBPipeStalled, "Pipe has stalled, error needs to be cleared"},
    {"usbInterfaceNotFound", kIOUSBInterfaceNotFound, "Interface ref not recognized"},
    {"usbLowLatencyBufferNotPreviouslyAllocated", kIOUSBLowLatencyBufferNotPreviouslyAllocated, "Attempted to use user land low latency isoc calls w/out calling PrepareBuffer (on the data buffer) first "},
    {"usbLowLatencyFrameListNotPreviouslyAllocated", kIOUSBLowLatencyFrameListNotPreviouslyAllocated, "Attempted to use user land low latency isoc calls w/out calling PrepareBuffer (on the frame list) first"},
    {"usbHighSpeedSplit", kIOUSBHighSpeedSplitError, "Error to hub on high speed bus trying to do split transaction"},
    {"usbSyncRequestOnWlThread", kIOUSBSyncRequestOnWLThread, "A synchronous USB request was made on the workloop thread (from a callback?).  Only async requests are permitted in that case"},
    {"usbDeviceNotHighSpeed", kIOUSBDeviceNotHighSpeed, "Name is deprecated, see below"},
    // Same code as the row above, so this row is never reached.
    {"usbDeviceTransferredToCompanion", kIOUSBDeviceTransferredToCompanion, ""},
    {"usbClearPipeStallNotRecursive", kIOUSBClearPipeStallNotRecursive, "IOUSBPipe::ClearPipeStall should not be called recursively"},
    {"usbDevicePortWasNotSuspended", kIOUSBDevicePortWasNotSuspended, "Port was not suspended"},
    {"usbEndpointCountExceeded", kIOUSBEndpointCountExceeded, "The endpoint was not created because the controller cannot support more endpoints"},
    {"usbDeviceCountExceeded", kIOUSBDeviceCountExceeded, "The device cannot be enumerated because the controller cannot support more devices"},
    {"usbStreamsNotSupported", kIOUSBStreamsNotSupported, "The request cannot be completed because the XHCI controller does not support streams"},
    {"usbInvalidSsEndpoint", kIOUSBInvalidSSEndpoint, "An endpoint found in a SuperSpeed device is invalid (usually because there is no Endpoint Companion Descriptor)"},
    {"usbTooManyTransactionsPending", kIOUSBTooManyTransactionsPending, "The transaction cannot be submitted because it would exceed the allowed number of pending transactions"},
});

}  // namespace

std::span<const ReturnCodeRow> returnCodeTable() { return kRows; }

std::string errorDescription(IOReturn code) {
  for (const auto& row : kRows) {
    if (row.code == code) {
      return std::string(row.text);
    }
  }
  return "IOError (" + std::to_string(code) + ")";
}

}  // namespace device::usb

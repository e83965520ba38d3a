#pragma once
// The device's result codes as the USB layer throws them: 32-bit signed
// return codes with fixed English texts. Code names follow the platform
// whose USB stack defined them; libusb results are mapped onto them
// (LibusbCodes.h).

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace device::usb {

using IOReturn = std::int32_t;

constexpr IOReturn ioReturnFromBits(std::uint32_t bits) { return std::bit_cast<IOReturn>(bits); }
constexpr IOReturn iokitCommonErr(std::uint32_t n) { return ioReturnFromBits(0xE0000000u + n); }
// USB codes: 0xE0004000 OR n.
constexpr IOReturn iokit_usb_err(std::uint32_t n) { return ioReturnFromBits(0xE0004000u | n); }

constexpr IOReturn kIOReturnSuccess = 0;

constexpr IOReturn kIOReturnAborted = iokitCommonErr(0x2EB);
constexpr IOReturn kIOReturnBadArgument = iokitCommonErr(0x2C2);
constexpr IOReturn kIOReturnBadMedia = iokitCommonErr(0x2D1);
constexpr IOReturn kIOReturnBadMessageID = iokitCommonErr(0x2C6);
constexpr IOReturn kIOReturnBusy = iokitCommonErr(0x2D5);
constexpr IOReturn kIOReturnCannotLock = iokitCommonErr(0x2CC);
constexpr IOReturn kIOReturnCannotWire = iokitCommonErr(0x2DE);
constexpr IOReturn kIOReturnDMAError = iokitCommonErr(0x2D4);
constexpr IOReturn kIOReturnDeviceError = iokitCommonErr(0x2E9);
constexpr IOReturn kIOReturnError = iokitCommonErr(0x2BC);
constexpr IOReturn kIOReturnExclusiveAccess = iokitCommonErr(0x2C5);
constexpr IOReturn kIOReturnIOError = iokitCommonErr(0x2CA);
constexpr IOReturn kIOReturnIPCError = iokitCommonErr(0x2BF);
constexpr IOReturn kIOReturnInternalError = iokitCommonErr(0x2C9);
constexpr IOReturn kIOReturnInvalid = iokitCommonErr(0x001);
constexpr IOReturn kIOReturnIsoTooNew = iokitCommonErr(0x2EF);
constexpr IOReturn kIOReturnIsoTooOld = iokitCommonErr(0x2EE);
constexpr IOReturn kIOReturnLockedRead = iokitCommonErr(0x2C3);
constexpr IOReturn kIOReturnLockedWrite = iokitCommonErr(0x2C4);
constexpr IOReturn kIOReturnMessageTooLarge = iokitCommonErr(0x2E1);
constexpr IOReturn kIOReturnNoBandwidth = iokitCommonErr(0x2EC);
constexpr IOReturn kIOReturnNoChannels = iokitCommonErr(0x2DA);
constexpr IOReturn kIOReturnNoCompletion = iokitCommonErr(0x2EA);
constexpr IOReturn kIOReturnNoDevice = iokitCommonErr(0x2C0);
constexpr IOReturn kIOReturnNoFrames = iokitCommonErr(0x2E0);
constexpr IOReturn kIOReturnNoInterrupt = iokitCommonErr(0x2DF);
constexpr IOReturn kIOReturnNoMedia = iokitCommonErr(0x2E4);
constexpr IOReturn kIOReturnNoMemory = iokitCommonErr(0x2BD);
constexpr IOReturn kIOReturnNoPower = iokitCommonErr(0x2E3);
constexpr IOReturn kIOReturnNoResources = iokitCommonErr(0x2BE);
constexpr IOReturn kIOReturnNoSpace = iokitCommonErr(0x2DB);
constexpr IOReturn kIOReturnNotAligned = iokitCommonErr(0x2D0);
constexpr IOReturn kIOReturnNotAttached = iokitCommonErr(0x2D9);
constexpr IOReturn kIOReturnNotFound = iokitCommonErr(0x2F0);
constexpr IOReturn kIOReturnNotOpen = iokitCommonErr(0x2CD);
constexpr IOReturn kIOReturnNotPermitted = iokitCommonErr(0x2E2);
constexpr IOReturn kIOReturnNotPrivileged = iokitCommonErr(0x2C1);
constexpr IOReturn kIOReturnNotReadable = iokitCommonErr(0x2CE);
constexpr IOReturn kIOReturnNotReady = iokitCommonErr(0x2D8);
constexpr IOReturn kIOReturnNotResponding = iokitCommonErr(0x2ED);
constexpr IOReturn kIOReturnNotWritable = iokitCommonErr(0x2CF);
constexpr IOReturn kIOReturnOffline = iokitCommonErr(0x2D7);
constexpr IOReturn kIOReturnOverrun = iokitCommonErr(0x2E8);
constexpr IOReturn kIOReturnPortExists = iokitCommonErr(0x2DD);
constexpr IOReturn kIOReturnRLDError = iokitCommonErr(0x2D3);
constexpr IOReturn kIOReturnStillOpen = iokitCommonErr(0x2D2);
constexpr IOReturn kIOReturnTimeout = iokitCommonErr(0x2D6);
constexpr IOReturn kIOReturnUnderrun = iokitCommonErr(0x2E7);
constexpr IOReturn kIOReturnUnformattedMedia = iokitCommonErr(0x2E5);
constexpr IOReturn kIOReturnUnsupported = iokitCommonErr(0x2C7);
constexpr IOReturn kIOReturnUnsupportedMode = iokitCommonErr(0x2E6);
constexpr IOReturn kIOReturnVMError = iokitCommonErr(0x2C8);

constexpr IOReturn kIOUSBUnknownPipeErr = iokit_usb_err(0x61);
constexpr IOReturn kIOUSBTooManyPipesErr = iokit_usb_err(0x60);
constexpr IOReturn kIOUSBNoAsyncPortErr = iokit_usb_err(0x5F);
constexpr IOReturn kIOUSBNotEnoughPipesErr = iokit_usb_err(0x5E);
constexpr IOReturn kIOUSBNotEnoughPowerErr = iokit_usb_err(0x5D);
constexpr IOReturn kIOUSBEndpointNotFound = iokit_usb_err(0x57);
constexpr IOReturn kIOUSBConfigNotFound = iokit_usb_err(0x56);
constexpr IOReturn kIOUSBTransactionTimeout = iokit_usb_err(0x51);
constexpr IOReturn kIOUSBTransactionReturned = iokit_usb_err(0x50);
constexpr IOReturn kIOUSBPipeStalled = iokit_usb_err(0x4F);
constexpr IOReturn kIOUSBInterfaceNotFound = iokit_usb_err(0x4E);
constexpr IOReturn kIOUSBLowLatencyBufferNotPreviouslyAllocated = iokit_usb_err(0x4D);
constexpr IOReturn kIOUSBLowLatencyFrameListNotPreviouslyAllocated = iokit_usb_err(0x4C);
constexpr IOReturn kIOUSBHighSpeedSplitError = iokit_usb_err(0x4B);
constexpr IOReturn kIOUSBSyncRequestOnWLThread = iokit_usb_err(0x4A);
constexpr IOReturn kIOUSBDeviceNotHighSpeed = iokit_usb_err(0x49);
constexpr IOReturn kIOUSBDeviceTransferredToCompanion = iokit_usb_err(0x49);
constexpr IOReturn kIOUSBClearPipeStallNotRecursive = iokit_usb_err(0x48);
constexpr IOReturn kIOUSBDevicePortWasNotSuspended = iokit_usb_err(0x47);
constexpr IOReturn kIOUSBEndpointCountExceeded = iokit_usb_err(0x46);
constexpr IOReturn kIOUSBDeviceCountExceeded = iokit_usb_err(0x45);
constexpr IOReturn kIOUSBStreamsNotSupported = iokit_usb_err(0x44);
constexpr IOReturn kIOUSBInvalidSSEndpoint = iokit_usb_err(0x43);
constexpr IOReturn kIOUSBTooManyTransactionsPending = iokit_usb_err(0x42);

// One named code with its text.
struct ReturnCodeRow {
  std::string_view name;  // the layer's own name for the code
  IOReturn code;
  std::string_view text;
};

// Every named code in the order descriptions are looked up: the first row
// whose code matches gives the text (two rows share 0xE0004049).
std::span<const ReturnCodeRow> returnCodeTable();

// The code's text, or "IOError (<signed decimal>)" for a code without one
// (0 included). Never fails, never logs.
std::string errorDescription(IOReturn code);

}  // namespace device::usb

#pragma once
// The device's result codes as the USB layer throws them: 32-bit signed
// return codes with fixed English texts. Code names follow the platform
// whose USB stack defined them; libusb results are mapped onto them
// (libusb_codes.h).

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace device::usb {

using IOReturn = std::int32_t;

constexpr IOReturn ioReturnFromBits(std::uint32_t bits) { return std::bit_cast<IOReturn>(bits); }
constexpr IOReturn generalErr(std::uint32_t n) { return ioReturnFromBits(0xE0000000u + n); }
// USB codes: 0xE0004000 OR n.
constexpr IOReturn iokit_usb_err(std::uint32_t n) { return ioReturnFromBits(0xE0004000u | n); }

constexpr IOReturn kIOReturnSuccess = 0;

constexpr IOReturn kIOReturnAborted = generalErr(0x2EB);
constexpr IOReturn kIOReturnBadArgument = generalErr(0x2C2);
constexpr IOReturn kIOReturnBadMedia = generalErr(0x2D1);
constexpr IOReturn kIOReturnBadMessageID = generalErr(0x2C6);
constexpr IOReturn kIOReturnBusy = generalErr(0x2D5);
constexpr IOReturn kIOReturnCannotLock = generalErr(0x2CC);
constexpr IOReturn kIOReturnCannotWire = generalErr(0x2DE);
constexpr IOReturn kIOReturnDMAError = generalErr(0x2D4);
constexpr IOReturn kIOReturnDeviceError = generalErr(0x2E9);
constexpr IOReturn kIOReturnError = generalErr(0x2BC);
constexpr IOReturn kIOReturnExclusiveAccess = generalErr(0x2C5);
constexpr IOReturn kIOReturnIOError = generalErr(0x2CA);
constexpr IOReturn kIOReturnIPCError = generalErr(0x2BF);
constexpr IOReturn kIOReturnInternalError = generalErr(0x2C9);
constexpr IOReturn kIOReturnInvalid = generalErr(0x001);
constexpr IOReturn kIOReturnIsoTooNew = generalErr(0x2EF);
constexpr IOReturn kIOReturnIsoTooOld = generalErr(0x2EE);
constexpr IOReturn kIOReturnLockedRead = generalErr(0x2C3);
constexpr IOReturn kIOReturnLockedWrite = generalErr(0x2C4);
constexpr IOReturn kIOReturnMessageTooLarge = generalErr(0x2E1);
constexpr IOReturn kIOReturnNoBandwidth = generalErr(0x2EC);
constexpr IOReturn kIOReturnNoChannels = generalErr(0x2DA);
constexpr IOReturn kIOReturnNoCompletion = generalErr(0x2EA);
constexpr IOReturn kIOReturnNoDevice = generalErr(0x2C0);
constexpr IOReturn kIOReturnNoFrames = generalErr(0x2E0);
constexpr IOReturn kIOReturnNoInterrupt = generalErr(0x2DF);
constexpr IOReturn kIOReturnNoMedia = generalErr(0x2E4);
constexpr IOReturn kIOReturnNoMemory = generalErr(0x2BD);
constexpr IOReturn kIOReturnNoPower = generalErr(0x2E3);
constexpr IOReturn kIOReturnNoResources = generalErr(0x2BE);
constexpr IOReturn kIOReturnNoSpace = generalErr(0x2DB);
constexpr IOReturn kIOReturnNotAligned = generalErr(0x2D0);
constexpr IOReturn kIOReturnNotAttached = generalErr(0x2D9);
constexpr IOReturn kIOReturnNotFound = generalErr(0x2F0);
constexpr IOReturn kIOReturnNotOpen = generalErr(0x2CD);
constexpr IOReturn kIOReturnNotPermitted = generalErr(0x2E2);
constexpr IOReturn kIOReturnNotPrivileged = generalErr(0x2C1);
constexpr IOReturn kIOReturnNotReadable = generalErr(0x2CE);
constexpr IOReturn kIOReturnNotReady = generalErr(0x2D8);
constexpr IOReturn kIOReturnNotResponding = generalErr(0x2ED);
constexpr IOReturn kIOReturnNotWritable = generalErr(0x2CF);
constexpr IOReturn kIOReturnOffline = generalErr(0x2D7);
constexpr IOReturn kIOReturnOverrun = generalErr(0x2E8);
constexpr IOReturn kIOReturnPortExists = generalErr(0x2DD);
constexpr IOReturn kIOReturnRLDError = generalErr(0x2D3);
constexpr IOReturn kIOReturnStillOpen = generalErr(0x2D2);
constexpr IOReturn kIOReturnTimeout = generalErr(0x2D6);
constexpr IOReturn kIOReturnUnderrun = generalErr(0x2E7);
constexpr IOReturn kIOReturnUnformattedMedia = generalErr(0x2E5);
constexpr IOReturn kIOReturnUnsupported = generalErr(0x2C7);
constexpr IOReturn kIOReturnUnsupportedMode = generalErr(0x2E6);
constexpr IOReturn kIOReturnVMError = generalErr(0x2C8);

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

#include "device/usb/interface_handle.h"

#include <libusb.h>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>

#include "device/usb/errors.h"
#include "device/common/flavour.h"
#include "device/usb/libusb_codes.h"
#include "device/common/log.h"
#include "device/usb/timeout.h"

namespace device::usb {
namespace {

bool scanner() { return flavour() == Flavour::Scanner; }

// Pipe numbers are one byte on the wire; anything else is a caller's mistake.
void checkPipeNumber(int pipe) {
  if (pipe < 0 || pipe > 255) {
    throw std::invalid_argument("USB pipe number out of range: " + std::to_string(pipe));
  }
}

int transferLength(std::size_t length) {
  if (length > static_cast<std::size_t>(INT_MAX)) {
    throw std::invalid_argument("USB transfer too long");
  }
  return static_cast<int>(length);
}

}  // namespace

InterfaceHandle::InterfaceHandle(detail::SessionPtr session, std::uint8_t interfaceNumber,
                                 std::vector<Endpoint> endpoints)
    : session_(std::move(session)), interfaceNumber_(interfaceNumber), endpoints_(std::move(endpoints)) {}

InterfaceHandle::InterfaceHandle(InterfaceHandle&& other) noexcept
    : session_(other.session_),
      interfaceNumber_(other.interfaceNumber_),
      endpoints_(other.endpoints_),
      open_(std::exchange(other.open_, false)),
      driverDetached_(std::exchange(other.driverDetached_, false)),
      stalledPipes_(other.stalledPipes_) {}

InterfaceHandle& InterfaceHandle::operator=(InterfaceHandle&& other) noexcept {
  if (this != &other) {
    giveBack();
    session_ = other.session_;
    interfaceNumber_ = other.interfaceNumber_;
    endpoints_ = other.endpoints_;
    open_ = std::exchange(other.open_, false);
    driverDetached_ = std::exchange(other.driverDetached_, false);
    stalledPipes_ = other.stalledPipes_;
  }
  return *this;
}

InterfaceHandle::~InterfaceHandle() { giveBack(); }

void InterfaceHandle::giveBack() noexcept {
  if (open_) {
    libusb_release_interface(session_->handle(), interfaceNumber_);
    open_ = false;
  }
  if (driverDetached_) {
    libusb_attach_kernel_driver(session_->handle(), interfaceNumber_);
    driverDetached_ = false;
  }
}

void InterfaceHandle::open(bool seize) {
  libusb_device_handle* handle = session_->handle();
  IOReturn code = kIOReturnSuccess;
  // Linux binds its printer driver (usblp) to every printer-class interface, and
  // no program could ever talk to the printer beside it; so both opens take the
  // interface from a kernel driver for the exchange and give it back at close.
  // Another program's claim is not a kernel driver and still makes the open fail
  // with exclusive access: seizing differs only in how that failure is reported.
  const int active = libusb_kernel_driver_active(handle, interfaceNumber_);
  if (active == 1) {
    code = ioReturnFromLibusb(libusb_detach_kernel_driver(handle, interfaceNumber_));
    driverDetached_ = code == kIOReturnSuccess;
  } else if (active < 0 && active != LIBUSB_ERROR_NOT_SUPPORTED) {
    code = ioReturnFromLibusb(active);
  }
  if (code == kIOReturnSuccess) {
    code = ioReturnFromLibusb(libusb_claim_interface(handle, interfaceNumber_));
  }
  if (code == kIOReturnSuccess) {
    open_ = true;
    return;
  }
  giveBack();  // a driver detached for a claim that failed goes back
  if (!seize && scanner()) {
    logLine("open interface failed");
    return;
  }
  throwIfNotSuccess(code, seize ? "func open-seize-true" : "func open-seize-false");
}

void InterfaceHandle::close() {
  IOReturn code = kIOReturnNotOpen;
  if (open_) {
    code = ioReturnFromLibusb(libusb_release_interface(session_->handle(), interfaceNumber_));
    open_ = false;
    giveBack();
  }
  if (scanner()) {
    if (code != kIOReturnSuccess) {
      logLine(taggedFailureLine("func close", code));
    }
    logLine("interface closed");
  }
}

const InterfaceHandle::Endpoint* InterfaceHandle::endpointOf(int pipe) const {
  if (pipe < 1 || static_cast<std::size_t>(pipe) > endpoints_.size()) {
    return nullptr;
  }
  return &endpoints_[static_cast<std::size_t>(pipe) - 1];
}

std::optional<PipeProperties> InterfaceHandle::getPipeProperties(int pipe) const {
  const Endpoint* endpoint = endpointOf(pipe);
  if (endpoint == nullptr) {
    return std::nullopt;
  }
  return pipePropertiesFromEndpoint(endpoint->address, endpoint->attributes, endpoint->maxPacketSize,
                                    endpoint->interval);
}

PipeMap InterfaceHandle::getPipes() const {
  return buildPipeMap(endpoints_.size(), [this](int pipe) { return getPipeProperties(pipe); });
}

IOReturn InterfaceHandle::getPipeStatus(int pipe) const {
  if (endpointOf(pipe) == nullptr) {
    return pipe == 0 ? kIOReturnSuccess : kIOUSBUnknownPipeErr;
  }
  const bool stalled = std::find(stalledPipes_.begin(), stalledPipes_.end(), pipe) != stalledPipes_.end();
  return stalled ? kIOUSBPipeStalled : kIOReturnSuccess;
}

TransferResult InterfaceHandle::transfer(int pipe, bool in, std::uint8_t* data, std::size_t length,
                                         std::uint32_t noDataTimeoutMs, std::uint32_t completionTimeoutMs) {
  checkPipeNumber(pipe);
  const unsigned int timeout = transferTimeoutMs(noDataTimeoutMs, completionTimeoutMs);
  const int size = transferLength(length);
  const Endpoint* endpoint = endpointOf(pipe);
  if (endpoint == nullptr) {
    return {kIOUSBUnknownPipeErr, 0};
  }
  if (((endpoint->address & LIBUSB_ENDPOINT_IN) != 0) != in) {
    return {kIOReturnBadArgument, 0};
  }
  if (!open_) {
    return {kIOReturnNotOpen, 0};
  }
  int moved = 0;
  int result = LIBUSB_ERROR_NOT_SUPPORTED;
  switch (endpoint->attributes & LIBUSB_TRANSFER_TYPE_MASK) {
    case LIBUSB_ENDPOINT_TRANSFER_TYPE_BULK:
      result = libusb_bulk_transfer(session_->handle(), endpoint->address, data, size, &moved, timeout);
      break;
    case LIBUSB_ENDPOINT_TRANSFER_TYPE_INTERRUPT:
      result = libusb_interrupt_transfer(session_->handle(), endpoint->address, data, size, &moved, timeout);
      break;
    default:
      break;
  }
  if (result == LIBUSB_ERROR_PIPE && getPipeStatus(pipe) == kIOReturnSuccess) {
    stalledPipes_.push_back(pipe);
  }
  return {ioReturnFromLibusb(result), moved > 0 ? static_cast<std::size_t>(moved) : 0};
}

TransferResult InterfaceHandle::readPipeTO(int pipe, std::span<std::uint8_t> buffer, std::uint32_t noDataTimeoutMs,
                                           std::uint32_t completionTimeoutMs) {
  return transfer(pipe, true, buffer.data(), buffer.size(), noDataTimeoutMs, completionTimeoutMs);
}

TransferResult InterfaceHandle::writePipeTO(int pipe, std::span<const std::uint8_t> bytes,
                                            std::uint32_t noDataTimeoutMs, std::uint32_t completionTimeoutMs) {
  // libusb takes one buffer type for both directions; an OUT transfer only reads it.
  return transfer(pipe, false, const_cast<std::uint8_t*>(bytes.data()), bytes.size(), noDataTimeoutMs,
                  completionTimeoutMs);
}

void InterfaceHandle::write(std::span<const std::uint8_t> bytes, int pipe, double noDataTimeout,
                            double completionTimeout) {
  const auto result =
      writePipeTO(pipe, bytes, millisecondsFromSeconds(noDataTimeout), millisecondsFromSeconds(completionTimeout));
  IOReturn code = result.code;
  if (code == kIOReturnSuccess && result.count < bytes.size()) {
    code = kIOReturnUnderrun;  // never report a partial write as done
  }
  throwIfNotSuccess(code, "func write ");
}

std::vector<std::uint8_t> InterfaceHandle::readBytes(std::optional<std::size_t> minCount, std::size_t maxCount,
                                                     int pipe, double noDataTimeout, double completionTimeout) {
  checkPipeNumber(pipe);
  const std::uint32_t noDataMs = millisecondsFromSeconds(noDataTimeout);
  const std::uint32_t completionMs = millisecondsFromSeconds(completionTimeout);
  if (scanner()) {
    logLine("pipe status = Optional(" + std::to_string(getPipeStatus(pipe)) + ")");
  }
  std::vector<std::uint8_t> buffer(maxCount, 0);
  const auto result = readPipeTO(pipe, buffer, noDataMs, completionMs);
  throwIfNotSuccess(result.code, "func readBytes");
  if (minCount && result.count < *minCount) {
    throw QDIOException(QDIOError::couldNotGetEnoughData);
  }
  buffer.resize(std::min(maxCount, result.count));
  if (scanner()) {
    logLine("readBytes function. readlen=" + std::to_string(result.count));
    logLine("get bytes data is " + byteList(buffer));
  }
  return buffer;
}

std::uint32_t InterfaceHandle::sendControlRequest(IOUSBDevRequestTO request, int pipe) {
  if (scanner()) {
    logLine("sendControlRequest");
  }
  checkPipeNumber(pipe);
  if (request.wLength > request.pData.size()) {
    throw std::invalid_argument("control request buffer smaller than wLength");
  }
  IOReturn code = kIOUSBUnknownPipeErr;
  if (pipe == 0) {
    const unsigned int timeout = transferTimeoutMs(request.noDataTimeout, request.completionTimeout);
    const int result = libusb_control_transfer(session_->handle(), request.bmRequestType, request.bRequest,
                                               request.wValue, request.wIndex, request.pData.data(),
                                               request.wLength, timeout);
    request.wLenDone = result > 0 ? static_cast<std::uint32_t>(result) : 0;
    code = ioReturnFromLibusb(result);
  }
  throwIfControlRequestNotSuccess(code);
  return request.wLenDone;
}

void InterfaceHandle::clearPipeStall(bool bothEnds, int pipe) {
  checkPipeNumber(pipe);
  const Endpoint* endpoint = endpointOf(pipe);
  IOReturn code = kIOUSBUnknownPipeErr;
  if (endpoint != nullptr) {
    code = bothEnds ? ioReturnFromLibusb(libusb_clear_halt(session_->handle(), endpoint->address))
                    : kIOReturnSuccess;
  }
  if (code == kIOReturnSuccess) {
    std::erase(stalledPipes_, pipe);
  }
  throwIfNotSuccess(code, bothEnds ? "func clearPipeStall-true " : "func clearPipeStall-false ");
}

}  // namespace device::usb

#pragma once
// Receiving the pages of a network scan after its X command.

#include <cstddef>
#include <cstdint>

#include "device/tcp/tcp_communicator.h"
#include "scan/result.h"
#include "scan/scan_param.h"

namespace scan {

// The payload bytes a page of the scan may reach before the receipt gives
// up: three bytes a pixel, plus 1 MiB. A JPEG page is far below it; a device
// that never ends its page is not followed into exhausting the memory.
std::size_t pageLimit(const ScanParam& param);

// Payload bytes a page of the scan holds unencoded: w x rows, or the rows'
// bytes at one bit a pixel in mode "TEXT".
std::size_t expectedPageSize(const ScanParam& param);

// Reads the page data on `socket` (every read bounded by the channel's read
// time-out, a read behind a lone byte by its settle time, after which the
// byte is taken for a status byte: page_stream.h) and hands each finished
// page, numbered from 1, to saveImages at once. Results:
//   (true, page count)           the device ended the job (the byte 0x80, or
//                                 the end of the stream) between pages;
//   (false, "saveImageError")    the job ended so, but a page was not saved;
//   (false, a status key)        the device sent a failure status;
//   (false, "unexpectError")     it sent a status byte the table lacks;
//                                 a status byte is one that nothing follows;
//   (false, "scannerNetworkError") the stream failed, fell silent, or ended
//                                 (or the job ended) inside a page;
//                                 a page grew beyond pageLimit.
ResultPair receiveImages(device::tcp::TCPCommunicator& socket, const ScanParam& param);

}  // namespace scan

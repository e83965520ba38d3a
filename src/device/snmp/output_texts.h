#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The texts the SNMP client hands to its readers, and their bounds. The
// readers (printer and scanner discovery, the status poll) keep them in
// fixed buffers, so every text is cut to what its buffer holds.

namespace device::snmp {

// The discovery list: "address,sysObjectID|" per answering device. Its
// readers keep it in a 3000-byte buffer with a terminating zero byte.
inline constexpr std::size_t discoveryListBufferSize = 3000;
// An object-identifier text is rendered into 1024 bytes: at most 1023 characters.
inline constexpr std::size_t maxObjectIdTextLength = 1023;
// A value text is rendered into 200 bytes: at most 199 characters.
inline constexpr std::size_t maxValueTextLength = 199;
// What a status query gives when it gets no value.
inline constexpr std::string_view failureText = "error";

// The first maxLength characters of text.
std::string clipped(std::string_view text, std::size_t maxLength);

// What a caller's buffer of bufferSize bytes shows of text once its
// terminating zero byte is kept: at most bufferSize - 1 characters.
std::string fitToBuffer(std::string_view text, std::size_t bufferSize);

// Writes text over the start of out, as a copy into a caller's buffer does:
// a shorter text leaves the rest of out as it was.
void writeOverStart(std::string& out, std::string_view text);

// Appends the entry "address,objectId|" when it fits whole, so the list
// with its terminating zero byte stays within bufferSize; an entry that
// would not fit is left out (a cut entry would name a wrong identifier).
bool appendDiscoveryEntry(std::string& list, std::string_view address,
                          std::string_view objectId,
                          std::size_t bufferSize = discoveryListBufferSize);

}  // namespace device::snmp

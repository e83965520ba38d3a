#pragma once
// Waits on the scanner simulator's thread until the host has taken the page
// stream up to a page end, so that a byte written next reaches the host
// alone. TCP keeps no message boundaries: a host slow to read is handed a
// status byte written right behind a page-end record in the same read, and
// a read of exactly those 11 bytes drops the byte (page_stream.h). The host
// saves each page as soon as its page-end record is read, before it reads
// on, and a page file appears under its name only once whole: once the page
// is there, the record has been read, and the byte, not yet written, cannot
// join that read.

#include <chrono>
#include <filesystem>
#include <functional>

namespace sim::scanner {

// Waits until `page` (a page file as the host names it) exists, at most
// `bound`; true when it does.
bool waitUntilSaved(const std::filesystem::path& page,
                    std::chrono::milliseconds bound = std::chrono::seconds(30));

// A Script hook (beforeStopStatus) that waits so, and goes on after the
// bound all the same: the test's own checks then tell what went wrong.
std::function<void()> untilSaved(std::filesystem::path page);

}  // namespace sim::scanner

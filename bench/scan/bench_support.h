#pragma once
// What the scan benchmarks share: a scanned-looking 600 dpi A4 page, its JPEG
// coding, timing, the peak memory of the process, and quiet stretches.

#include <QImage>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace scanbench {

inline constexpr int kWidth = 4864;  // 600 dpi A4
inline constexpr int kHeight = 6882;

using Bytes = std::vector<std::uint8_t>;

double seconds(const std::function<void()>& work);

// A field of /proc/self/status ("VmRSS:", "VmHWM:") in MiB.
double statusMiB(const std::string& wanted);
// Peak resident memory above what was resident at the last reset, in MiB.
void resetPeakMemory();
double peakMemoryMiB();

// A page like a scanned document: paper tone, lines of "text", a photo-like
// gradient with grain, so the encoder has real work.
QImage scannedPage(bool colour);

Bytes turboEncode(const QImage& image, int quality);
// TurboJPEG alone: decode the page, encode it at quality 20, nothing else.
void turboDecodeEncode(const Bytes& page, bool grey);

// Runs work with standard output going nowhere: the writers log a few lines
// per page; keep the figures readable.
void quiet(const std::function<void()>& work);

}  // namespace scanbench

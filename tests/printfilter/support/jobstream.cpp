#include "jobstream.h"

#include <charconv>
#include <fstream>

extern "C" {
#include <jbig.h>
}

namespace jobstream {

namespace {

constexpr std::string_view kCancel = "CancelJob?";
constexpr std::string_view kRecord = "RasterObject.Data#";

std::optional<std::string> lookup(const std::vector<Field>& fields, std::string_view key) {
  for (const Field& f : fields)
    if (f.key == key) return f.value;
  return std::nullopt;
}

[[noreturn]] void fail(std::size_t at, const std::string& what) {
  throw ParseError("job stream, byte " + std::to_string(at) + ": " + what);
}

}  // namespace

std::optional<std::string> Page::field(std::string_view key) const { return lookup(header, key); }
std::optional<std::string> Job::field(std::string_view key) const { return lookup(header, key); }

Job parse(std::string_view s) {
  Job job;
  Page* page = nullptr;  // the page being read, while its "Event=EndOfPage;" is still to come
  std::size_t at = 0;
  while (at < s.size()) {
    if (job.ended || job.cancelled) fail(at, "data after the end of the job");
    if (s.substr(at, kCancel.size()) == kCancel) {
      job.cancelled = true;
      at += kCancel.size();
      continue;
    }
    const std::size_t eq = s.find('=', at);
    if (eq == std::string_view::npos) fail(at, "field without \"=\"");
    const std::string_view key = s.substr(at, eq - at);
    if (key.empty() || key.find(';') != std::string_view::npos) fail(at, "malformed field key");

    if (key.substr(0, kRecord.size()) == kRecord) {
      const std::string_view digits = key.substr(kRecord.size());
      std::size_t size = 0;
      const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), size);
      if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
        fail(at, "bad data record size \"" + std::string(digits) + "\"");
      if (page == nullptr) fail(at, "data record outside a page");
      if (eq + 1 + size >= s.size()) fail(at, "data record runs past the end of the stream");
      if (s[eq + 1 + size] != ';') fail(eq + 1 + size, "data record not closed by \";\"");
      page->recordSizes.push_back(size);
      page->data.append(s.substr(eq + 1, size));
      at = eq + 1 + size + 1;
      continue;
    }

    const std::size_t semicolon = s.find(';', eq + 1);
    if (semicolon == std::string_view::npos) fail(at, "field without \";\"");
    Field field{std::string(key), std::string(s.substr(eq + 1, semicolon - eq - 1))};
    at = semicolon + 1;

    if (field.key == "Event") {
      if (field.value == "StartOfJob") {
        if (job.started) fail(at, "second StartOfJob");
        job.started = true;
      } else if (field.value == "EndOfPage") {
        if (page == nullptr) fail(at, "EndOfPage outside a page");
        page->ended = true;
        page = nullptr;
      } else if (field.value == "EndOfJob") {
        if (page != nullptr) fail(at, "EndOfJob inside a page");
        job.ended = true;
      } else {
        fail(at, "unknown event \"" + field.value + "\"");
      }
      continue;
    }
    if (!job.started) fail(at, "field before StartOfJob");
    // A page header begins with its media size; fields before the first one
    // belong to the job header.
    if (field.key == "MediaSize") {
      if (page != nullptr) fail(at, "page header inside a page");
      job.pages.emplace_back();
      page = &job.pages.back();
    }
    if (page != nullptr) {
      if (!page->recordSizes.empty()) fail(at, "page header field after page data");
      page->header.push_back(std::move(field));
    } else {
      if (!job.pages.empty()) fail(at, "job header field after the first page");
      job.header.push_back(std::move(field));
    }
  }
  if (page != nullptr && !job.cancelled) fail(at, "stream ends inside a page");
  return job;
}

Bitmap decodeBie(std::string_view bie) {
  jbg_dec_state state;
  jbg_dec_init(&state);
  std::vector<unsigned char> copy(bie.begin(), bie.end());
  std::size_t used = 0;
  const int result = jbg_dec_in(&state, copy.data(), copy.size(), &used);
  if (result != JBG_EOK) {
    const std::string why = result == JBG_EAGAIN ? "BIE is incomplete" : jbg_strerror(result);
    jbg_dec_free(&state);
    throw DecodeError("JBIG decoding failed: " + why);
  }
  if (used != copy.size()) {
    jbg_dec_free(&state);
    throw DecodeError("JBIG decoding: " + std::to_string(copy.size() - used) + " bytes after the BIE");
  }
  Bitmap bitmap;
  bitmap.width = jbg_dec_getwidth(&state);
  bitmap.height = jbg_dec_getheight(&state);
  const unsigned char* image = jbg_dec_getimage(&state, 0);
  bitmap.bits.assign(image, image + bitmap.bytesPerRow() * bitmap.height);
  jbg_dec_free(&state);
  return bitmap;
}

void writePbm(const std::string& path, const Bitmap& bitmap) {
  std::ofstream out(path, std::ios::binary);
  out << "P4\n" << bitmap.width << " " << bitmap.height << "\n";
  out.write(reinterpret_cast<const char*>(bitmap.bits.data()), static_cast<std::streamsize>(bitmap.bits.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace jobstream

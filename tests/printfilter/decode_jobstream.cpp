// decode-jobstream STREAM OUTDIR: writes each page of a captured job stream
// as OUTDIR/page-NNNN.pbm and prints one line per page.

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "jobstream.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "Usage: decode-jobstream STREAM OUTDIR\n");
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    std::string stream(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    if (!in.read(stream.data(), static_cast<std::streamsize>(stream.size())))
      throw std::runtime_error(std::string("cannot read ") + argv[1]);
    const jobstream::Job job = jobstream::parse(stream);
    int number = 0;
    for (const jobstream::Page& page : job.pages) {
      ++number;
      const jobstream::Bitmap bitmap = jobstream::decodeBie(page.data);
      char name[32];
      std::snprintf(name, sizeof name, "/page-%04d.pbm", number);
      jobstream::writePbm(argv[2] + std::string(name), bitmap);
      std::printf("page %d: %zux%zu MediaSize=%s\n", number, bitmap.width, bitmap.height,
                  page.field("MediaSize").value_or("?").c_str());
    }
    std::printf("%d pages, job %s\n", number,
                job.cancelled ? "cancelled" : job.ended ? "complete" : "not ended");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "decode-jobstream: %s\n", e.what());
    return 1;
  }
  return 0;
}

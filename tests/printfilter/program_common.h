#pragma once

// Running the real filter program on a queue made from our PPD, and reading
// back what it sent.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter_process.h"
#include "jobstream.h"
#include "page_expect.h"
#include "raster_fixture.h"

namespace printfilter_test {

inline fixture::FilterCommand queueCommand(const fixture::TempDir& tmp, const std::string& options = "") {
  fixture::FilterCommand command;
  command.env = fixture::baseEnvironment(tmp.path());
  command.env["PPD"] = PRINTFILTER_PPD;
  command.options = options;
  return command;
}

struct Printed {
  fixture::FilterResult run;
  jobstream::Job job;
  std::vector<jobstream::Bitmap> pages;  // decoded, in the order sent
};

inline Printed readBack(fixture::FilterResult run) {
  Printed printed{std::move(run), {}, {}};
  try {
    printed.job = jobstream::parse(printed.run.out);
    for (const auto& page : printed.job.pages) printed.pages.push_back(jobstream::decodeBie(page.data));
  } catch (const std::exception& e) {
    ADD_FAILURE() << e.what() << "\nlog:\n" << printed.run.err;
  }
  return printed;
}

inline Printed print(const fixture::FilterCommand& command, const std::string& raster) {
  return readBack(fixture::runFilter(command, raster));
}

inline Printed print(const fixture::FilterCommand& command, const std::vector<fixture::GreyPage>& pages) {
  return print(command, fixture::rasterBytes(pages));
}

}  // namespace printfilter_test

#pragma once

#include <cstdio>

#include "printfilter/progress_language.h"

namespace printfilter {

// Progress lines shown to the user, in English or Chinese.
enum class Progress {
  StartSendPage,      // with the page number
  FinishedPage,       // with the page number
  FinishedJob,
  JobCancelled,
};

// The print service's log channel (standard error): DEBUG:/ERROR: lines and
// the progress lines in the job's language.
class Log {
 public:
  explicit Log(std::FILE* out, ProgressLanguage language = ProgressLanguage::Chinese)
      : out_(out), language_(language) {}

  void setLanguage(ProgressLanguage language) { language_ = language; }

  void line(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void progress(Progress which, int number = 0);

 private:
  std::FILE* out_;
  ProgressLanguage language_;
};

}  // namespace printfilter

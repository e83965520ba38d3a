#pragma once

#include <cups/cups.h>

typedef struct ppd_file_s ppd_file_t;

namespace printfilter {

// The queue's PPD with the job's choices marked on it: the defaults first, the
// job's options on top. Without a readable PPD every lookup finds nothing.
class PpdMarks {
 public:
  PpdMarks(const char* path, int numOptions, cups_option_t* options);
  ~PpdMarks();
  PpdMarks(const PpdMarks&) = delete;
  PpdMarks& operator=(const PpdMarks&) = delete;

  bool loaded() const { return ppd_ != nullptr; }
  // The marked choice's name for a main keyword, or null.
  const char* choice(const char* keyword) const;

 private:
  ppd_file_t* ppd_ = nullptr;
};

}  // namespace printfilter

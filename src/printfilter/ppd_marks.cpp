#include "printfilter/ppd_marks.h"

#include <cups/ppd.h>

// libcups marks its whole PPD interface deprecated, yet a filter of a
// PPD-based queue has no other way to read the job's marked choices. The
// calls are kept to this one file.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace printfilter {

PpdMarks::PpdMarks(const char* path, int numOptions, cups_option_t* options) {
  if (path == nullptr) return;
  ppd_ = ppdOpenFile(path);
  if (ppd_ == nullptr) return;
  ppdMarkDefaults(ppd_);
  cupsMarkOptions(ppd_, numOptions, options);
}

PpdMarks::~PpdMarks() {
  if (ppd_ != nullptr) ppdClose(ppd_);
}

const char* PpdMarks::choice(const char* keyword) const {
  if (ppd_ == nullptr) return nullptr;
  const ppd_choice_t* marked = ppdFindMarkedChoice(ppd_, keyword);
  return marked != nullptr ? marked->choice : nullptr;
}

}  // namespace printfilter

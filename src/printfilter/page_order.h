#pragma once

#include <vector>

#include "printfilter/job_settings.h"

namespace printfilter {

// When each page goes out. One-sided pages go as soon as they are made;
// two-sided pages go in pairs, back side first: (2, 1), (4, 3), ...; an odd
// last page is paired with a blank back side; collated copies repeat the
// whole sequence from the page files.

// Pages sent right after page `page` has been prepared.
std::vector<int> pagesSentAfter(int page, Sides sides);

// Number of the blank page completing the last sheet, or 0 when none is needed.
int blankPageNumber(int pagesRead, Sides sides);

// Pages sent after the last page was read: the last pair with its blank side.
std::vector<int> closingPages(int pagesRead, Sides sides);

// One whole copy, as sent again for each extra collated copy.
std::vector<int> copyOrder(int pagesRead, Sides sides);

// Every page the job sends, in order: the first copy, then copies 2 to
// `copies` when collated (the printer makes uncollated copies itself).
std::vector<int> jobPageOrder(int pagesRead, Sides sides, int copies, bool collate);

}  // namespace printfilter

#include "printfilter/page_order.h"

namespace printfilter {

std::vector<int> pagesSentAfter(int page, Sides sides) {
  if (sides == Sides::OneSided) return {page};
  if (page % 2 == 0) return {page, page - 1};
  return {};
}

int blankPageNumber(int pagesRead, Sides sides) {
  return sides != Sides::OneSided && pagesRead % 2 == 1 ? pagesRead + 1 : 0;
}

std::vector<int> closingPages(int pagesRead, Sides sides) {
  if (const int blank = blankPageNumber(pagesRead, sides); blank != 0) return {blank, blank - 1};
  return {};
}

std::vector<int> copyOrder(int pagesRead, Sides sides) {
  std::vector<int> order;
  for (int page = 1; page <= pagesRead; ++page)
    for (int sent : pagesSentAfter(page, sides)) order.push_back(sent);
  for (int sent : closingPages(pagesRead, sides)) order.push_back(sent);
  return order;
}

std::vector<int> jobPageOrder(int pagesRead, Sides sides, int copies, bool collate) {
  const std::vector<int> one = copyOrder(pagesRead, sides);
  std::vector<int> order = one;
  if (collate)
    for (int copy = 2; copy <= copies; ++copy) order.insert(order.end(), one.begin(), one.end());
  return order;
}

}  // namespace printfilter

#include "printfilter/filter.h"

int main(int argc, char* argv[]) { return printfilter::runFilter(argc, argv); }

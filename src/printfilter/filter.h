#pragma once

namespace printfilter {

// The whole filter: the print service's command line (queue job-id user title
// copies options [file]) and environment (PPD, TMPDIR, APPLE_LANGUAGE, LANG),
// raster pages in, the printer's job stream on standard output. Returns the
// exit status: 0 for a finished or cancelled job, 1 when it failed.
int runFilter(int argc, char* argv[]);

}  // namespace printfilter

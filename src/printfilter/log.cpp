#include "printfilter/log.h"

#include <cstdarg>

namespace printfilter {

void Log::line(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(out_, format, args);
  va_end(args);
  std::fflush(out_);
}

void Log::progress(Progress which, int number) {
  const bool english = language_ == ProgressLanguage::English;
  if (language_ == ProgressLanguage::None) return;
  switch (which) {
    case Progress::StartSendPage:
      if (english)
        line("INFO: Start to send page(%d) data\n", number);
      else
        line("INFO:开始发送第%d页的数据\n", number);
      break;
    case Progress::FinishedPage:
      if (english)
        line("INFO:Finished page %d data transformation\n", number);
      else
        line("INFO:完成第%d页的数据转换\n", number);
      break;
    case Progress::FinishedJob:
      line(english ? "INFO: Finish sending all job data.And waiting for printer to finish the job.\n"
                   : "INFO:打印数据已完成发送，等待打印机打印完成\n");
      break;
    case Progress::JobCancelled:
      line(english ? "INFO:Job Cancelled\n" : "INFO:任务已取消\n");
      break;
  }
}

}  // namespace printfilter

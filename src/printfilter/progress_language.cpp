#include "printfilter/progress_language.h"

namespace printfilter {

namespace {

bool namesLanguage(std::string_view locale) {
  return !locale.empty() && locale != "C" && locale != "POSIX" && locale.substr(0, 2) != "C.";
}

}  // namespace

std::string languageTag(const std::function<const char*(const char*)>& getenv) {
  if (const char* apple = getenv("APPLE_LANGUAGE")) return apple;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv(name);
    if (value == nullptr || *value == '\0') continue;
    // The first locale variable that is set decides, as for any program.
    if (namesLanguage(value)) return value;
    break;
  }
  return kDefaultLanguageTag;
}

ProgressLanguage progressLanguageOf(std::string_view tag) {
  const std::string_view prefix = tag.substr(0, 2);
  if (prefix == "en") return ProgressLanguage::English;
  if (prefix == "zh") return ProgressLanguage::Chinese;
  return ProgressLanguage::None;
}

}  // namespace printfilter

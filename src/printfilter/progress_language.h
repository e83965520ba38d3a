#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace printfilter {

enum class ProgressLanguage { None, English, Chinese };

inline constexpr const char* kDefaultLanguageTag = "zh-Hans";

// The language tag of the progress lines: APPLE_LANGUAGE when set; else the
// locale the print service gives the job (LC_ALL, LC_MESSAGES, LANG, in the
// order POSIX reads them; "C" and "POSIX" name no language); else "zh-Hans".
std::string languageTag(const std::function<const char*(const char*)>& getenv);

// "en..." English, "zh..." Chinese, anything else: no progress lines.
ProgressLanguage progressLanguageOf(std::string_view tag);

}  // namespace printfilter

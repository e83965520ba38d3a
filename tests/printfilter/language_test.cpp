#include <gtest/gtest.h>

#include <map>
#include <string>

#include "printfilter/progress_language.h"

namespace printfilter {
namespace {

struct LanguageCase {
  const char* name;
  std::map<std::string, std::string> env;
  std::string tag;
  ProgressLanguage language;
};

class Language : public testing::TestWithParam<LanguageCase> {};

TEST_P(Language, FromEnvironment) {
  const auto& env = GetParam().env;
  const std::string tag = languageTag([&](const char* name) -> const char* {
    const auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  });
  EXPECT_EQ(tag, GetParam().tag);
  EXPECT_EQ(progressLanguageOf(tag), GetParam().language);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, Language,
    testing::Values(
        LanguageCase{"NothingSetIsChinese", {}, "zh-Hans", ProgressLanguage::Chinese},
        LanguageCase{"AppleLanguageWins", {{"APPLE_LANGUAGE", "en-US"}, {"LANG", "zh_CN.UTF-8"}}, "en-US",
                     ProgressLanguage::English},
        LanguageCase{"LangFromPrintService", {{"LANG", "en_US.UTF-8"}}, "en_US.UTF-8", ProgressLanguage::English},
        LanguageCase{"LcAllBeforeLang", {{"LC_ALL", "zh_TW.UTF-8"}, {"LANG", "en_US.UTF-8"}}, "zh_TW.UTF-8",
                     ProgressLanguage::Chinese},
        LanguageCase{"LcMessagesBeforeLang", {{"LC_MESSAGES", "en_GB"}, {"LANG", "zh_CN"}}, "en_GB",
                     ProgressLanguage::English},
        LanguageCase{"OtherLanguageWritesNoProgress", {{"LANG", "fr_FR.UTF-8"}}, "fr_FR.UTF-8",
                     ProgressLanguage::None},
        LanguageCase{"AppleFrenchWritesNoProgress", {{"APPLE_LANGUAGE", "fr-FR"}}, "fr-FR", ProgressLanguage::None},
        LanguageCase{"PosixLocaleNamesNoLanguage", {{"LANG", "C"}}, "zh-Hans", ProgressLanguage::Chinese},
        LanguageCase{"EmptyLcAllSkipped", {{"LC_ALL", ""}, {"LANG", "en_US"}}, "en_US", ProgressLanguage::English}),
    [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace printfilter

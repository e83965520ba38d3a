// The status replies as the poll reads them.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor/status_replies.h"

namespace {

using monitor::parseDecimal;
using monitor::statusCodeFromSnmpText;
using monitor::tonerValueText;
using monitor::usbStatusFromReply;

TEST(UsbStatusReply, CodeIsLittleEndianTonerIsTheThirdByteMissingBytesAreZero) {
  const std::vector<std::uint8_t> sleep{0xD9, 0x07, 0x55, 0xAA};
  EXPECT_EQ(usbStatusFromReply(sleep).code, 2009);
  EXPECT_EQ(usbStatusFromReply(sleep).toner, 85);
  const std::vector<std::uint8_t> high{0xFF, 0xFF, 0xFF};
  EXPECT_EQ(usbStatusFromReply(high).code, 65535);
  EXPECT_EQ(usbStatusFromReply(high).toner, 255);
  const std::vector<std::uint8_t> one{0xD9};
  EXPECT_EQ(usbStatusFromReply(one).code, 0xD9);
  EXPECT_EQ(usbStatusFromReply(one).toner, 0);
  EXPECT_EQ(usbStatusFromReply({}).code, 0);
}

struct StatusText {
  const char* name;
  std::string text;
  std::optional<int> code;
};

class SnmpStatusText : public ::testing::TestWithParam<StatusText> {};

// Only the quoted form carries a code; anything else is a failed read,
// never a code made up from part of the text.
TEST_P(SnmpStatusText, GivesACodeOnlyForTheQuotedForm) {
  EXPECT_EQ(statusCodeFromSnmpText(GetParam().text), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SnmpStatusText,
    ::testing::Values(StatusText{"Quoted", "STRING: \"2009,sleep\"", 2009},
                      StatusText{"SignedCode", "STRING: \"-5,x\"", -5},
                      StatusText{"PlusSign", "STRING: \"+7,x\"", 7},
                      StatusText{"SecondCommaIgnored", "STRING: \"3017,a,b\"", 3017},
                      StatusText{"LargestCode", "STRING: \"2147483647,x\"", 2147483647},
                      StatusText{"Error", "error", std::nullopt},
                      StatusText{"IntegerValue", "INTEGER: 3017", std::nullopt},
                      StatusText{"HexString", "Hex-STRING: 07 D9 00 ", std::nullopt},
                      StatusText{"NoComma", "STRING: \"2009\"", std::nullopt},
                      StatusText{"EmptyText", "", std::nullopt},
                      StatusText{"EmptyString", "STRING: \"\"", std::nullopt},
                      StatusText{"NothingBeforeTheComma", "STRING: \",sleep\"", std::nullopt},
                      StatusText{"CommaOnlyBeforeTheQuote", "a,b \"2009", std::nullopt},
                      StatusText{"Beyond32Bits", "STRING: \"2147483648,x\"", std::nullopt},
                      StatusText{"FarBeyond", "STRING: \"99999999999999999999,x\"", std::nullopt},
                      StatusText{"Letters", "STRING: \"20a9,x\"", std::nullopt},
                      StatusText{"Space", "STRING: \" 2009,x\"", std::nullopt},
                      StatusText{"SignAlone", "STRING: \"-,x\"", std::nullopt}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct NumberText {
  const char* name;
  std::string text;
  std::optional<int> value;
};

class DeviceNumber : public ::testing::TestWithParam<NumberText> {};

// A number from the device is an optional sign, then digits only: the same
// in the status code and in the toner level.
TEST_P(DeviceNumber, IsReadTheSameInTheStatusCodeAndTheTonerLevel) {
  const NumberText& number = GetParam();
  EXPECT_EQ(statusCodeFromSnmpText("STRING: \"" + number.text + ",x\""), number.value);
  const std::string toner = "INTEGER: " + number.text;
  ASSERT_TRUE(tonerValueText(toner).has_value());
  EXPECT_EQ(parseDecimal(*tonerValueText(toner)), number.value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DeviceNumber,
    ::testing::Values(NumberText{"TwoMinusSigns", "--0", std::nullopt}, NumberText{"PlusMinus", "+-0", std::nullopt},
                      NumberText{"MinusPlus", "-+5", std::nullopt}, NumberText{"SignAlone", "-", std::nullopt},
                      NumberText{"Plus", "+7", 7}, NumberText{"Minus", "-7", -7}, NumberText{"Zero", "0", 0},
                      NumberText{"Hex", "0x10", std::nullopt}, NumberText{"LeadingSpace", " 12", std::nullopt},
                      NumberText{"TrailingSpace", "12 ", std::nullopt},
                      NumberText{"Beyond32Bits", "4294967296", std::nullopt},
                      NumberText{"LowestInt", "-2147483648", -2147483647 - 1},
                      NumberText{"BelowLowestInt", "-2147483649", std::nullopt}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(TonerText, SecondPartOnlyWhenTheTextSplitsInExactlyTwo) {
  EXPECT_EQ(tonerValueText("INTEGER: 85"), "85");
  EXPECT_EQ(tonerValueText("STRING: \"85\""), "\"85\"");
  EXPECT_EQ(tonerValueText("error"), std::nullopt);
  EXPECT_EQ(tonerValueText("STRING: \"a: b\""), std::nullopt);
  EXPECT_EQ(tonerValueText("No Such Instance currently ex"), std::nullopt);
}

}  // namespace

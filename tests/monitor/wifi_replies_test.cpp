// The Wi-Fi commands' formats.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>

#include "monitor/wifi_fields.h"
#include "monitor/wifi_replies.h"
#include "monitor_fixture.h"

namespace {

using namespace monitor::wifi;
using monitor::HotSpot;
using monitor_test::spot;

TEST(HotSpotList, ShortLinesAndLinesWithoutADigitTakeNoId) {
  EXPECT_EQ(parseHotSpotList("Home-5\r\nab\r\nOffice-2"),
            (QList<HotSpot>{spot(0, "Home", 5), spot(1, "Office", 2)}));
  EXPECT_EQ(parseHotSpotList("Cafe-x\r\n\r\nBar-9\r\n"), (QList<HotSpot>{spot(0, "Bar", 9)}));
  EXPECT_TRUE(parseHotSpotList("").isEmpty());
}

TEST(HotSpotList, CountsCharactersNotBytes) {
  EXPECT_EQ(parseHotSpotList(QString::fromUtf8("家-7\r\n网络😀-3")),
            (QList<HotSpot>{spot(0, QString::fromUtf8("家"), 7), spot(1, QString::fromUtf8("网络😀"), 3)}));
}

TEST(HotSpotReplyParts, NeedTwoPiecesAndACode) {
  const auto reply = splitHotSpotReply("8012,x;Home-5\r\nOffice-2;tail");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->code, "8012");
  EXPECT_EQ(reply->list, "Home-5\r\nOffice-2");
  EXPECT_EQ(splitHotSpotReply("8011;")->code, "8011");
  EXPECT_FALSE(splitHotSpotReply("8012"));
  EXPECT_FALSE(splitHotSpotReply(",8012;Home-5"));
  EXPECT_FALSE(splitHotSpotReply(""));
}

TEST(ReplyCode, IsTheTextBeforeTheFirstComma) {
  EXPECT_EQ(replyCode("8014,AP;x\r\n6"), "8014");
  EXPECT_EQ(replyCode("1001"), "1001");
  EXPECT_EQ(replyCode(",1001"), "");
}

TEST(TrailingNuls, AreRemovedNothingElse) {
  EXPECT_EQ(withoutTrailingNuls(QString::fromLatin1("1001\0\0\0", 7)), "1001");
  EXPECT_EQ(withoutTrailingNuls(QString::fromLatin1("a\0b\0", 4)), QString::fromLatin1("a\0b", 3));
  EXPECT_EQ(withoutTrailingNuls("8012;Home-5"), "8012;Home-5");
  EXPECT_EQ(withoutTrailingNuls(QString::fromLatin1("\0\0", 2)), "");
}

TEST(NetworkName, IsTheFirstLinesTextBetweenTheFirstTwoSemicolons) {
  EXPECT_EQ(nameAfterSemicolon("8014,x;KTR-AP"), "KTR-AP");
  EXPECT_EQ(nameAfterSemicolon("8014,x;KTR-AP;rest"), "KTR-AP");
  EXPECT_EQ(nameAfterSemicolon("8014,x;"), "");
}

TEST(SetCommand, FieldsGoOnLinesOfTheirOwnAfterTheNameAndASemicolonCloses) {
  EXPECT_EQ(setCommand("SetwifiAP", {"my;net?", "6", ""}), "SetwifiAP=my;net?\r\n6\r\n;");
  EXPECT_EQ(setCommand("SetwifiSTA", {"Home"}), "SetwifiSTA=Home;");
}

TEST(CommandBytes, QuestionMarkAndSemicolonAreReplacedButTheClosingSemicolonStays) {
  EXPECT_EQ(substituteCommandBytes("SetwifiAP=my;net?\r\n6;"), QByteArray("SetwifiAP=my\x02net\x01\r\n6;"));
  EXPECT_EQ(substituteCommandBytes("SetwifiAP=a;;"), QByteArray("SetwifiAP=a\x02;"));
  EXPECT_EQ(substituteCommandBytes(QString::fromUtf8("SetwifiSTA=网络?;")),
            QByteArray("SetwifiSTA=\xe7\xbd\x91\xe7\xbb\x9c\x01;"));
}

TEST(LineBreaks, AnyCarriageReturnOrLineFeedCounts) {
  EXPECT_FALSE(anyHoldsLineBreak({"a", "b c", ""}));
  EXPECT_TRUE(anyHoldsLineBreak({"a", "b\rc"}));
  EXPECT_TRUE(anyHoldsLineBreak({"a\n"}));
}

TEST(LogText, HidesThePasswordLineOfTheSetCommandsAndOfTheReadRepliesOnly) {
  EXPECT_EQ(forLog("SetwifiAP=n\r\n6\r\npw\r\nS\r\n1\r\n2\r\n3;", "SetwifiAP=n\r\n6\r\npw\r\nS\r\n1\r\n2\r\n3;"),
            "SetwifiAP=n\r\n6\r\n***\r\nS\r\n1\r\n2\r\n3;");
  EXPECT_EQ(forLog("SetwifiSTA=n\r\npw\r\nD;", "SetwifiSTA=n\r\npw\r\nD;"), "SetwifiSTA=n\r\n***\r\nD;");
  EXPECT_EQ(forLog("CheckwifiAP?", "8014,x;n\r\n6\r\npw\r\n1"), "8014,x;n\r\n6\r\n***\r\n1");
  EXPECT_EQ(forLog("CheckwifiSTA?", "8013,x;n\r\npw\r\nS"), "8013,x;n\r\n***\r\nS");
  // Too few lines to hold one, or a command without a password.
  EXPECT_EQ(forLog("CheckwifiAP?", "1001"), "1001");
  EXPECT_EQ(forLog("CheckwifiAP?", "CheckwifiAP?"), "CheckwifiAP?");
  EXPECT_EQ(forLog("Checkwifiserver?", "8012;Home-5\r\nOffice-2\r\nCafe-3"), "8012;Home-5\r\nOffice-2\r\nCafe-3");
}

TEST(LogText, HidesTheLineTheFieldListGivesThePassword) {
  // A list with the password moved to its end: the mask moves with it.
  const Field moved[] = {Field::NetworkName, Field::EncryptMode, Field::Address, Field::Mask, Field::Gateway,
                         Field::Password};
  const Field none[] = {Field::NetworkName, Field::Address};
  const struct {
    FieldList fields;
    QString text;
    QString shown;
  } cases[] = {
      {kApSetFields, "SetwifiAP=n\r\n6\r\npw\r\nS\r\n1\r\n2\r\n3;", "SetwifiAP=n\r\n6\r\n***\r\nS\r\n1\r\n2\r\n3;"},
      {kApReplyFields, "8014,x;n\r\n6\r\npw\r\n1\r\n2\r\n3", "8014,x;n\r\n6\r\n***\r\n1\r\n2\r\n3"},
      {kClientModeFields, "8013,x;n\r\npw\r\nS\r\n1\r\n2\r\n3", "8013,x;n\r\n***\r\nS\r\n1\r\n2\r\n3"},
      {moved, "8014,x;n\r\n6\r\n1\r\n2\r\n3\r\npw", "8014,x;n\r\n6\r\n1\r\n2\r\n3\r\n***"},
      {moved, "8014,x;n\r\n6\r\n1", "8014,x;n\r\n6\r\n1"},
      {none, "n\r\npw", "n\r\npw"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(withPasswordHidden(c.fields, c.text), c.shown) << c.text.toStdString();
  }
}

TEST(SetFields, EveryFieldOfTheListGivesALineForAFullyFilledRecord) {
  monitor::APSetting ap;
  ap.APName = "KTR-AP";
  ap.encryptMode = 6;
  ap.APPassword = "secret";
  ap.ip = "192.0.2.1";
  ap.mask = "255.255.255.0";
  ap.gateway = "192.0.2.254";
  monitor::ClietModeSetting client;
  client.WifiName = "ignored: the name comes from the hot-spot list";
  client.WifiPassword = "secret";
  client.ipSetType = "S";
  client.ip = "192.0.2.2";
  client.mask = "255.255.255.0";
  client.gateway = "192.0.2.254";
  const struct {
    const char* name;
    FieldList fields;
    QStringList lines;
  } cases[] = {
      {"SetwifiAP", kApSetFields, apSetFields(ap)},
      {"SetwifiSTA", kClientModeFields, clientModeSetFields(client, "Home")},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(c.lines.size(), static_cast<qsizetype>(c.fields.size())) << c.name;
    for (qsizetype line = 0; line < c.lines.size(); ++line) {
      EXPECT_FALSE(c.lines.at(line).isEmpty()) << c.name << " line " << line;
    }
  }
}

TEST(ReplyFields, EveryFieldOfTheListIsReadFromAReplyWithEveryLineFilled) {
  const monitor::APSetting ap =
      apSettingFrom({"8014,x;KTR-AP", "6", "secret", "192.0.2.1", "255.255.255.0", "192.0.2.254"});
  EXPECT_EQ(ap.APName, "KTR-AP");
  EXPECT_EQ(ap.encryptMode, 1);
  EXPECT_EQ(ap.APPassword, "secret");
  EXPECT_EQ(ap.ip, "192.0.2.1");
  EXPECT_EQ(ap.mask, "255.255.255.0");
  EXPECT_EQ(ap.gateway, "192.0.2.254");
  const monitor::ClietModeSetting client =
      clientModeSettingFrom({"8013,x;Home", "secret", "D", "192.0.2.2", "255.255.255.0", "192.0.2.254"}, {});
  EXPECT_EQ(client.WifiName, "Home");
  EXPECT_EQ(client.WifiPassword, "secret");
  EXPECT_EQ(client.ipSetType, "D");
  EXPECT_EQ(client.ip, "192.0.2.2");
  EXPECT_EQ(client.mask, "255.255.255.0");
  EXPECT_EQ(client.gateway, "192.0.2.254");
}

}  // namespace

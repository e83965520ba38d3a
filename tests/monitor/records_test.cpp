// The records the models share with the window.
#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QVariant>

#include "monitor/printer.h"
#include "monitor/supported_models.h"

namespace {

using monitor::Printer;

TEST(PrinterRecord, PlaceholderHasNoTypeAndAVendorDiscoveryNeverMatches) {
  const Printer placeholder(QString{});
  EXPECT_TRUE(placeholder.name.isEmpty());
  EXPECT_TRUE(placeholder.label.isEmpty());
  EXPECT_TRUE(placeholder.type.isEmpty());
  EXPECT_TRUE(placeholder.ip.isEmpty());
  EXPECT_EQ(placeholder.PID, 0);
  EXPECT_EQ(placeholder.VID, 27417);
  EXPECT_FALSE(placeholder.id.isNull());
}

TEST(PrinterRecord, RecordsBuiltSeparatelyDifferACopyIsEqual) {
  const Printer first("KTR6620LXV", "KTR6620LXV(USB)", "USB", "", 52, 23102);
  const Printer second("KTR6620LXV", "KTR6620LXV(USB)", "USB", "", 52, 23102);
  const Printer copy = first;
  EXPECT_NE(first, second);
  EXPECT_NE(qHash(first), qHash(second));
  EXPECT_EQ(copy, first);
  EXPECT_EQ(qHash(copy), qHash(first));
}

// The window reads the records through Qt's meta-object system.
TEST(PrinterRecord, FieldsAreReadableByName) {
  const Printer printer("KTR6620LXV", "KTR6620LXV(192.0.2.11)", "Net", "192.0.2.11", 52, 23102);
  const QVariant value = QVariant::fromValue(printer);
  EXPECT_EQ(value.value<Printer>(), printer);
  const QMetaObject& meta = Printer::staticMetaObject;
  EXPECT_EQ(meta.property(meta.indexOfProperty("label")).readOnGadget(&printer).toString(),
            "KTR6620LXV(192.0.2.11)");
  EXPECT_EQ(meta.property(meta.indexOfProperty("VID")).readOnGadget(&printer).toInt(), 23102);
}

TEST(SupportedModels, OneRow) {
  const auto& list = monitor::BRELPrinterList();
  ASSERT_EQ(list.size(), 1);
  EXPECT_EQ(list.front().printerName, "KTR6620LXV");
  EXPECT_EQ(list.front().oid, "48117.4.7.1.8");
  EXPECT_EQ(list.front().PID, 52);
}

}  // namespace

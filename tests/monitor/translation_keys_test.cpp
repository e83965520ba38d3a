// Every text the models publish or look up is a key the translation tools
// find: the string table the window ships (written by lupdate from the
// sources, context "Localizable") must be able to hold each of them.
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

#include <cstdlib>

#include "monitor/status_table.h"

namespace {

QSet<QString> keysOf(const char* path) {
  QSet<QString> keys;
  QFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::ReadOnly)) return keys;
  QXmlStreamReader ts(&file);
  QString context;
  while (!ts.atEnd()) {
    ts.readNext();
    if (!ts.isStartElement()) continue;
    if (ts.name() == QLatin1String("name")) {
      context = ts.readElementText();
    } else if (ts.name() == QLatin1String("source") && context == QLatin1String("Localizable")) {
      keys.insert(ts.readElementText());
    }
  }
  return keys;
}

class TranslationKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("MONITOR_TS");
    ASSERT_NE(path, nullptr) << "MONITOR_TS names the table lupdate wrote";
    keys = keysOf(path);
    ASSERT_FALSE(keys.isEmpty()) << path;
  }
  QSet<QString> keys;
};

TEST_F(TranslationKeys, EveryStatusTextIsMarked) {
  for (const auto& [code, entry] : monitor::KTR6620LXVStatus()) {
    EXPECT_TRUE(keys.contains(entry.message)) << code;
    EXPECT_TRUE(entry.description.isEmpty() || keys.contains(entry.description)) << code;
  }
}

TEST_F(TranslationKeys, EveryFixedTextOfTheModelsIsMarked) {
  for (const char* text :
       {"正在连接", "没有连接的设备", "请刷新打印机列表或检查设备连接状态", "连接断开", "请检查设备的连接情况",
        "连接断开，请查看设备的网络连接情况", "错误码", "请重启设备，如果错误还存在，请联系厂家", "错误", "Error",
        "设备忙,打印中", "当前wifi模式不支持", "数据解析错误", "设置成功", "已成功设置热点信息", "打印中，无法设置",
        "设置的参数有误", "wifi模式不支持", "AP设置返回数据解析错误", "获取客户端模式数据出错",
        "数据解析出错，请重试"}) {
    EXPECT_TRUE(keys.contains(QString::fromUtf8(text))) << text;
  }
}

}  // namespace

#include "scanner_app/string_table.h"

#include <QCoreApplication>
#include <string>

// Outside any namespace, as rcc names it.
static void initStringTableResource() { Q_INIT_RESOURCE(scanner_strings); }

namespace scanner_app {
namespace {

desktop::StringTables stringTables() {
  initStringTableResource();
  return {QStringLiteral(":/translations/scanner_en.qm"), QStringLiteral(":/translations/scanner_zh_CN.qm")};
}

}  // namespace

bool loadStringTable(QTranslator& table, Language language) {
  return desktop::loadOwnTable(table, stringTables(), language);
}

bool installStringTable(QObject& owner, const QStringList& uiLanguages) {
  return desktop::installTables(owner, uiLanguages, stringTables());
}

QString text(const char* key) { return QCoreApplication::translate("Localizable", key); }

QString text(std::string_view key) { return text(std::string(key).c_str()); }

}  // namespace scanner_app

#include "scanner_app/content_view.h"

#include <QVBoxLayout>

#include "scanner_app/pictures/application_icon.h"
#include "scanner_app/string_table.h"

namespace scanner_app {
namespace {

constexpr int kMargin = 5;

}  // namespace

ContentView::ContentView(ScreenOptions options, QWidget* parent) : QWidget(parent) {
  settingView_ = new SettingView(std::move(options), this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  // The window's limits are the screen's, which come from its rows.
  layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
  layout->addWidget(settingView_);
  resize(sizeHint());
  setWindowIcon(applicationIcon());
  // The entry's name in the menu, in the user's language, where a title
  // bar or task bar would show the program's file name.
  setWindowTitle(text("windowTitle"));
}

}  // namespace scanner_app

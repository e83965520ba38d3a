#include "scanner_app/content_view.h"

#include <QVBoxLayout>

#include "scanner_app/pictures/application_icon.h"

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
}

}  // namespace scanner_app

#include "scanner_app/content_view.h"

#include <QVBoxLayout>

#include "scanner_app/pictures/application_icon.h"

namespace scanner_app {
namespace {

constexpr int kMargin = 5;
constexpr QSize kMinimum(350, 400);
constexpr QSize kIdeal(450, 400);
constexpr QSize kMaximum(750, 600);

}  // namespace

ContentView::ContentView(ScreenOptions options, QWidget* parent) : QWidget(parent) {
  settingView_ = new SettingView(std::move(options), this);
  settingView_->setMinimumSize(kMinimum);
  settingView_->setMaximumSize(kMaximum);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
  layout->addWidget(settingView_);
  resize(kIdeal + QSize(2 * kMargin, 2 * kMargin));
  setWindowIcon(applicationIcon());
}

}  // namespace scanner_app

#pragma once
// The application's window: the settings screen with a margin of 5 on every
// side. The screen is 350 to 750 wide and 400 to 600 high, 450 by 400 at
// first, and the window takes its size limits from it.

#include <QWidget>

#include "scanner_app/setting_view.h"

namespace scanner_app {

class ContentView : public QWidget {
  Q_OBJECT

 public:
  explicit ContentView(ScreenOptions options = {}, QWidget* parent = nullptr);

  SettingView& settingView() const { return *settingView_; }

 private:
  SettingView* settingView_;
};

}  // namespace scanner_app

#pragma once
// The application's window: the settings screen with a margin of 5 on every
// side. The window takes its size limits and its first size from the screen
// (see SettingView).

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

#pragma once
// The settings screen: the scanner picker with its refresh button, the
// option rows, the save folder and the scan button, over the screen's own
// scanner model and settings state. The screen shows the model's alert.
//
// Discovery and scans block the GUI thread, as the model runs them. For
// each of them the screen is disabled, and the clicks and keys that piled up
// meanwhile reach only disabled widgets and are dropped before it is enabled
// again: a click made during a scan starts no second scan.

#include <QWidget>
#include <optional>

#include "scanner/scanner_model.h"
#include "scanner_app/folder_chooser.h"
#include "scanner_app/settings_state.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace desktop {
class Alert;
}

namespace scanner_app {

// What the screen reaches the world through; the defaults are the
// application's, tests put their own.
struct ScreenOptions {
  scan::ScannerModelOptions model{};
  FolderChooser chooseFolder = chooseFolderWithDialog;
};

class SettingView : public QWidget {
  Q_OBJECT

 public:
  // Makes the model, whose first discovery runs once the screen has been
  // drawn; the save folder starts as the desktop folder (or home).
  explicit SettingView(ScreenOptions options = {}, QWidget* parent = nullptr);

  // At least 350 by 400, ideally 450 by 400, and never less than the rows
  // need in the language shown; at most 750 by 600.
  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

  scan::ScannerModel& model() const { return *model_; }
  SettingsState& state() const { return *state_; }
  // The alert, once one has been shown.
  desktop::Alert* alertView() const { return alert_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* label(const char* key, QWidget* buddy);
  // A row of the settings column: the key's label and a picker whose choices
  // go to `choose`.
  QComboBox* optionRow(const char* key, const char* name, void (SettingsState::*choose)(int));
  QWidget* buildColumn();
  QWidget* buildSaveFolderRow();

  void syncFromState();
  void syncScannerPicker();
  void refresh();
  void discover();
  void chooseFolder();
  void scan();
  void presentAlert();
  void updateAlertTexts();
  template <typename Work>
  void whileBusy(Work&& work);

  FolderChooser chooseFolder_;
  scan::ScannerModel* model_;
  SettingsState* state_;
  bool built_ = false;
  bool startupDiscovery_ = true;
  desktop::Alert* alert_ = nullptr;

  QFormLayout* column_ = nullptr;
  QComboBox* scannerPicker_ = nullptr;
  QPushButton* refreshButton_ = nullptr;
  QComboBox* sourcePicker_ = nullptr;
  QComboBox* colorPicker_ = nullptr;
  QComboBox* contentPicker_ = nullptr;
  QComboBox* resolutionPicker_ = nullptr;
  QComboBox* combinePicker_ = nullptr;
  QComboBox* pageSizePicker_ = nullptr;
  QComboBox* fileTypePicker_ = nullptr;
  QComboBox* rotationPicker_ = nullptr;
  QLineEdit* prefixField_ = nullptr;
  QLineEdit* saveDirField_ = nullptr;
  QPushButton* browseButton_ = nullptr;
  QPushButton* scanButton_ = nullptr;
};

}  // namespace scanner_app

#include "scanner_app/setting_view.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cstddef>

#include "desktop/alert.h"
#include "device/common/log.h"
#include "scan/message_keys.h"
#include "scanner/picker_options.h"
#include "scanner_app/save_folder.h"
#include "scanner_app/scan_checks.h"
#include "scanner_app/string_table.h"
#include "scanner_app/view_keys.h"

namespace scanner_app {
namespace {

constexpr int kControlWidth = 230;
constexpr QSize kMinimum(350, 400);
constexpr QSize kIdeal(450, 400);
constexpr QSize kMaximum(750, 600);

// One row per entry of an option list, showing the entry's text from the
// string table, its position as the row's tag.
template <typename List>
void addOptionRows(QComboBox* picker, const List& list) {
  for (std::size_t i = 0; i < list.size(); ++i) picker->addItem(text(list[i]), static_cast<int>(i));
}

void selectTag(QComboBox* picker, int tag) { picker->setCurrentIndex(picker->findData(tag)); }

void setTextIfChanged(QLineEdit* field, const QString& value) {
  if (field->text() != value) field->setText(value);
}

}  // namespace

SettingView::SettingView(ScreenOptions options, QWidget* parent)
    : QWidget(parent), chooseFolder_(std::move(options.chooseFolder)) {
  model_ = new scan::ScannerModel(std::move(options.model), this);
  // The model queues its first discovery as it is made. That discovery
  // blocks the GUI thread for seconds, so it waits until the window has been
  // drawn once, and then runs like every later one (paintEvent).
  QCoreApplication::removePostedEvents(model_, QEvent::MetaCall);
  state_ = new SettingsState(defaultSaveDir(), this);

  auto* screen = new QVBoxLayout(this);
  screen->setContentsMargins(0, 0, 0, 0);
  screen->addStretch(1);
  screen->addWidget(buildColumn(), 0, Qt::AlignHCenter);
  screen->addWidget(buildSaveFolderRow(), 0, Qt::AlignHCenter);
  scanButton_ = new QPushButton(text(keys::kScan), this);
  scanButton_->setObjectName(QStringLiteral("scanButton"));
  screen->addWidget(scanButton_, 0, Qt::AlignHCenter);
  screen->addStretch(1);

  connect(refreshButton_, &QPushButton::clicked, this, &SettingView::refresh);
  connect(browseButton_, &QPushButton::clicked, this, &SettingView::chooseFolder);
  connect(scanButton_, &QPushButton::clicked, this, &SettingView::scan);
  connect(scannerPicker_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) state_->setScannerIndex(index);
  });
  connect(prefixField_, &QLineEdit::textEdited, state_, &SettingsState::setSavePrefix);
  connect(saveDirField_, &QLineEdit::textEdited, state_, &SettingsState::setSaveDir);
  connect(state_, &SettingsState::changed, this, &SettingView::syncFromState);

  connect(model_, &scan::ScannerModel::scannerListChanged, this, &SettingView::syncScannerPicker);
  // The alert shows once the work that raised it has returned.
  connect(model_, &scan::ScannerModel::showAlertChanged, this, [this] {
    if (model_->showAlert()) QMetaObject::invokeMethod(this, &SettingView::presentAlert, Qt::QueuedConnection);
  });
  connect(model_, &scan::ScannerModel::alertTitleChanged, this, &SettingView::updateAlertTexts);
  connect(model_, &scan::ScannerModel::alertMessageChanged, this, &SettingView::updateAlertTexts);

  setMaximumSize(kMaximum);
  built_ = true;
  syncScannerPicker();
}

QSize SettingView::minimumSizeHint() const { return layout()->minimumSize().expandedTo(kMinimum); }

QSize SettingView::sizeHint() const { return kIdeal.expandedTo(minimumSizeHint()); }

QLabel* SettingView::label(const char* key, QWidget* buddy) {
  auto* label = new QLabel(text(key), this);
  label->setTextFormat(Qt::PlainText);
  label->setBuddy(buddy);
  return label;
}

QComboBox* SettingView::optionRow(const char* key, const char* name, void (SettingsState::*choose)(int)) {
  auto* picker = new QComboBox(this);
  picker->setObjectName(QLatin1String(name));
  picker->setFixedWidth(kControlWidth);
  picker->setAccessibleName(text(key));
  connect(picker, &QComboBox::currentIndexChanged, this, [this, picker, choose](int index) {
    // Rows added while the screen is built are no choices.
    if (index < 0 || !built_) return;
    (state_->*choose)(picker->itemData(index).toInt());
    // A choice the state refuses leaves the picker where the state stands.
    syncFromState();
  });
  column_->addRow(label(key, picker), picker);
  return picker;
}

QWidget* SettingView::buildColumn() {
  auto* widget = new QWidget(this);
  column_ = new QFormLayout(widget);
  column_->setContentsMargins(0, 0, 0, 0);
  column_->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  column_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);

  scannerPicker_ = new QComboBox(widget);
  scannerPicker_->setObjectName(QStringLiteral("scannerPicker"));
  scannerPicker_->setFixedWidth(kControlWidth);
  scannerPicker_->setAccessibleName(text(keys::kScanner));
  refreshButton_ = new QPushButton(text(keys::kRefreshScanner), widget);
  refreshButton_->setObjectName(QStringLiteral("refreshButton"));
  auto* scannerRow = new QHBoxLayout;
  scannerRow->addWidget(scannerPicker_);
  scannerRow->addWidget(refreshButton_);
  column_->addRow(label(keys::kScanner, scannerPicker_), scannerRow);

  sourcePicker_ = optionRow(keys::kScanSource, "scanSourcePicker", &SettingsState::setScanSource);
  colorPicker_ = optionRow(keys::kColorMode, "colorModePicker", &SettingsState::setColorMode);
  contentPicker_ = optionRow(keys::kContentType, "contentTypePicker", &SettingsState::setContentType);
  resolutionPicker_ = optionRow(keys::kResolution, "resolutionPicker", &SettingsState::setResolution);
  combinePicker_ = optionRow(keys::kCombineType, "combineTypePicker", &SettingsState::setCombineType);
  pageSizePicker_ = optionRow(keys::kPageSize, "pageSizePicker", &SettingsState::setPageSize);
  fileTypePicker_ = optionRow(keys::kSaveFileType, "saveFileTypePicker", &SettingsState::setSaveType);
  rotationPicker_ = optionRow(keys::kRotateAngle, "rotateAnglePicker", &SettingsState::setRotateAngle);

  addOptionRows(sourcePicker_, scan::scanSourceOption);
  addOptionRows(colorPicker_, scan::colorModeOption);
  addOptionRows(contentPicker_, scan::typeOption);
  // The resolution rows are made by syncFromState: they depend on the source.
  addOptionRows(combinePicker_, scan::combineTypeOption);
  addOptionRows(pageSizePicker_, scan::pageSizeOption);
  fileTypePicker_->addItem(QString(), 0);  // named by syncFromState: it depends on the mode
  fileTypePicker_->addItem(text(keys::kPdf), 1);
  for (int tag = 0; tag < static_cast<int>(std::size(keys::kRotations)); ++tag) {
    rotationPicker_->addItem(text(keys::kRotations[tag]), tag);
  }

  prefixField_ = new QLineEdit(widget);
  prefixField_->setObjectName(QStringLiteral("saveFileNameField"));
  prefixField_->setFixedWidth(kControlWidth);
  prefixField_->setPlaceholderText(text(keys::kSaveFileName));
  prefixField_->setAccessibleName(text(keys::kSaveFileName));
  column_->addRow(label(keys::kSaveFileName, prefixField_), prefixField_);
  return widget;
}

QWidget* SettingView::buildSaveFolderRow() {
  auto* widget = new QWidget(this);
  auto* row = new QHBoxLayout(widget);
  row->setContentsMargins(0, 0, 0, 0);
  saveDirField_ = new QLineEdit(widget);
  saveDirField_->setObjectName(QStringLiteral("saveDirField"));
  saveDirField_->setFixedWidth(kControlWidth);
  saveDirField_->setPlaceholderText(text(keys::kSaveTo));
  saveDirField_->setAccessibleName(text(keys::kSaveTo));
  browseButton_ = new QPushButton(text(keys::kBrowser), widget);
  browseButton_->setObjectName(QStringLiteral("browseButton"));
  row->addWidget(label(keys::kSaveTo, saveDirField_));
  row->addWidget(saveDirField_);
  row->addWidget(browseButton_);
  return widget;
}

void SettingView::syncFromState() {
  const SettingsState& s = *state_;
  const QSignalBlocker blockers[] = {
      QSignalBlocker(scannerPicker_), QSignalBlocker(sourcePicker_),  QSignalBlocker(colorPicker_),
      QSignalBlocker(contentPicker_), QSignalBlocker(resolutionPicker_), QSignalBlocker(combinePicker_),
      QSignalBlocker(pageSizePicker_), QSignalBlocker(fileTypePicker_), QSignalBlocker(rotationPicker_)};

  scannerPicker_->setCurrentIndex(s.scannerIndex() < scannerPicker_->count() ? s.scannerIndex() : -1);
  selectTag(sourcePicker_, s.scanSource());
  sourcePicker_->setEnabled(s.scanSourceEnabled());
  selectTag(colorPicker_, s.colorMode());
  selectTag(contentPicker_, s.contentType());

  // The resolution texts are shown as they are, not through the table.
  resolutionPicker_->clear();
  for (const int tag : s.resolutionChoices()) {
    resolutionPicker_->addItem(QString::fromUtf8(scan::resolutionOption[static_cast<std::size_t>(tag)]), tag);
  }
  selectTag(resolutionPicker_, s.resolution());

  selectTag(combinePicker_, s.combineType());
  selectTag(pageSizePicker_, s.pageSize());
  pageSizePicker_->setEnabled(s.pageSizeEnabled());
  fileTypePicker_->setItemText(0, text(s.imageFormatKey()));
  selectTag(fileTypePicker_, s.saveType());
  fileTypePicker_->setEnabled(s.saveTypeEnabled());
  selectTag(rotationPicker_, s.rotateAngle());
  column_->setRowVisible(rotationPicker_, s.rotationShown());
  column_->setRowVisible(prefixField_, s.fileNameShown());

  setTextIfChanged(prefixField_, s.savePrefix());
  setTextIfChanged(saveDirField_, s.saveDir());
}

void SettingView::syncScannerPicker() {
  {
    const QSignalBlocker blocker(scannerPicker_);
    scannerPicker_->clear();
    const QList<scan::Device> scanners = model_->scannerList();
    // Labels come from the network: shown as they are, never as markup.
    for (int i = 0; i < scanners.size(); ++i) {
      scannerPicker_->addItem(QString::fromStdString(scanners[i].label), i);
    }
  }
  syncFromState();
}

void SettingView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (startupDiscovery_) {
    startupDiscovery_ = false;
    QMetaObject::invokeMethod(this, &SettingView::discover, Qt::QueuedConnection);
  }
}

template <typename Work>
void SettingView::whileBusy(Work&& work) {
  setEnabled(false);
  repaint();
  work();
  // Input that came while the GUI thread was blocked reaches only disabled
  // widgets now, which drop it.
  QCoreApplication::processEvents();
  setEnabled(true);
}

void SettingView::refresh() {
  state_->setScannerIndex(0);
  model_->setScannerList({});
  // Runs after this action has returned, so the emptied picker is drawn first.
  QMetaObject::invokeMethod(this, &SettingView::discover, Qt::QueuedConnection);
}

void SettingView::discover() {
  whileBusy([this] {
    model_->autoDetectScanners();
    // The model's discovery is a queued work item: run it here, inside the
    // busy time.
    QCoreApplication::sendPostedEvents(model_, QEvent::MetaCall);
  });
}

void SettingView::chooseFolder() {
  const std::optional<QString> chosen = chooseFolder_(window(), state_->saveDir());
  if (!chosen) return;
  state_->setSaveDir(chosen->isEmpty() ? QStringLiteral("<none>") : *chosen);
  device::logLine("select file path = " + state_->saveDir().toStdString());
}

void SettingView::scan() {
  const QList<scan::Device> scanners = model_->scannerList();
  if (const char* blocker =
          scanBlocker(scanners.size(), state_->scannerIndex(), state_->saveDir(), state_->savePrefix())) {
    model_->raiseAlert(scan::keys::kError, blocker);
    return;
  }
  const scan::Device chosen = scanners[state_->scannerIndex()];
  model_->setSelectedScanner(chosen);
  const scan::UIParams params = state_->uiParams(chosen.name);
  whileBusy([&] { model_->startScan(params); });
}

void SettingView::presentAlert() {
  if (!model_->showAlert()) return;
  if (!alert_) {
    alert_ = new desktop::Alert(this, text(scan::keys::kOk));
    connect(alert_, &QDialog::finished, this, [this] { model_->setShowAlert(false); });
  }
  updateAlertTexts();
  if (!alert_->isVisible()) alert_->open();
}

void SettingView::updateAlertTexts() {
  if (alert_) alert_->setTexts(model_->alertTitle(), model_->alertMessage());
}

}  // namespace scanner_app

#include "scanner_app/settings_state.h"

#include <QFile>
#include <cstddef>

#include "scanner/picker_options.h"
#include "scanner_app/view_keys.h"

namespace scanner_app {
namespace {

// Positions the interlocks test by number.
constexpr int kNoCombine = 0;
constexpr int kIdCard = 3;
constexpr int kFlatbed = 2;
constexpr int kFirstPageSize = 0;
constexpr int kFirstResolution = 0;
constexpr int kImageFiles = 0;
constexpr int kPdf = 1;
static_assert(scan::combineTypeOption[kNoCombine] == "NoCombine");
static_assert(scan::combineTypeOption[kIdCard] == "IDCard");
static_assert(scan::scanSourceOption[kFlatbed] == "FB");
static_assert(scan::pageSizeOption[kFirstPageSize] == "A4");
static_assert(scan::resolutionOption[kFirstResolution] == "200dpi");

template <typename List>
bool inList(const List& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

}  // namespace

// Emits changed() once, when the outermost change of a chain ends.
class SettingsState::Change {
 public:
  explicit Change(SettingsState& state) : state_(state) { ++state_.depth_; }
  ~Change() {
    if (--state_.depth_ == 0 && state_.dirty_) {
      state_.dirty_ = false;
      emit state_.changed();
    }
  }
  Change(const Change&) = delete;
  Change& operator=(const Change&) = delete;

 private:
  SettingsState& state_;
};

SettingsState::SettingsState(QString saveDir, QObject* parent)
    : QObject(parent), savePrefix_(QStringLiteral("file")), saveDir_(std::move(saveDir)) {}

bool SettingsState::isText() const { return scan::optionAt(scan::colorModeOption, colorMode_) == "TEXT"; }

bool SettingsState::isFlatbed() const { return scan::optionAt(scan::scanSourceOption, scanSource_) == "FB"; }

bool SettingsState::assign(int& field, int value) {
  if (field == value) return false;
  field = value;
  dirty_ = true;
  return true;
}

void SettingsState::setScannerIndex(int index) {
  Change change(*this);
  if (index >= 0) assign(scannerIndex_, index);
}

void SettingsState::setColorMode(int mode) {
  Change change(*this);
  // No interlock runs on the colour mode: a file type chosen before stays.
  if (inList(scan::colorModeOption, mode)) assign(colorMode_, mode);
}

void SettingsState::setScanSource(int source) {
  Change change(*this);
  if (inList(scan::scanSourceOption, source) && scanSourceEnabled()) assignScanSource(source);
}

void SettingsState::assignScanSource(int source) {
  if (!assign(scanSource_, source)) return;
  if (!isFlatbed()) assignResolution(kFirstResolution);
}

void SettingsState::setContentType(int type) {
  Change change(*this);
  if (inList(scan::typeOption, type)) assign(contentType_, type);
}

void SettingsState::setResolution(int resolution) {
  Change change(*this);
  if (resolutionChoices().contains(resolution)) assignResolution(resolution);
}

void SettingsState::assignResolution(int resolution) { assign(resolution_, resolution); }

void SettingsState::setPageSize(int size) {
  Change change(*this);
  if (inList(scan::pageSizeOption, size) && pageSizeEnabled()) assignPageSize(size);
}

void SettingsState::assignPageSize(int size) { assign(pageSize_, size); }

void SettingsState::setSaveType(int type) {
  Change change(*this);
  if ((type == kImageFiles || type == kPdf) && saveTypeEnabled()) assignSaveType(type);
}

void SettingsState::assignSaveType(int type) { assign(saveType_, type); }

void SettingsState::setRotateAngle(int angle) {
  Change change(*this);
  if (inList(scan::rotateOption, angle)) assign(rotateAngle_, angle);
}

void SettingsState::setCombineType(int combine) {
  Change change(*this);
  if (inList(scan::combineTypeOption, combine)) assignCombineType(combine);
}

void SettingsState::assignCombineType(int combine) {
  if (!assign(combineType_, combine)) return;
  // Going back to no merge restores nothing.
  if (scan::optionAt(scan::combineTypeOption, combine) == "NoCombine") return;
  assignPageSize(kFirstPageSize);
  if (isText()) assignSaveType(kImageFiles);
  if (combineType_ == kIdCard) assignScanSource(kFlatbed);
}

void SettingsState::setSavePrefix(const QString& prefix) {
  Change change(*this);
  if (prefix == savePrefix_) return;
  savePrefix_ = prefix;
  dirty_ = true;
}

void SettingsState::setSaveDir(const QString& folder) {
  Change change(*this);
  if (folder == saveDir_) return;
  saveDir_ = folder;
  dirty_ = true;
}

bool SettingsState::scanSourceEnabled() const { return combineType_ != kIdCard; }

bool SettingsState::pageSizeEnabled() const { return combineType_ == kNoCombine; }

bool SettingsState::saveTypeEnabled() const { return !(isText() && combineType_ != kNoCombine); }

bool SettingsState::rotationShown() const { return !isText() && combineType_ == kNoCombine; }

bool SettingsState::fileNameShown() const { return saveType_ != kPdf; }

QList<int> SettingsState::resolutionChoices() const {
  QList<int> choices;
  for (std::size_t i = 0; i < scan::resolutionOption.size(); ++i) {
    if (scan::resolutionOption[i] == "1200dpi" && !isFlatbed()) continue;
    choices.append(static_cast<int>(i));
  }
  return choices;
}

const char* SettingsState::imageFormatKey() const { return isText() ? keys::kBmp : keys::kJpeg; }

scan::UIParams SettingsState::uiParams(const std::string& scannerName) const {
  scan::UIParams params;
  params.scannerName = scannerName;
  params.scanSourceIndex = scanSource_;
  params.colorModeIndex = colorMode_;
  params.resolutionIndex = resolution_;
  params.pageSizeIndex = pageSize_;
  params.saveTypeIndex = saveType_;
  params.contentTypeIndex = contentType_;
  params.rotateAngleIndex = rotationShown() ? rotateAngle_ : 0;
  params.combineTypeIndex = combineType_;
  params.savePrefix = QFile::encodeName(savePrefix_).toStdString();
  params.saveDir = QFile::encodeName(saveDir_).toStdString();
  params.saveFileName = params.savePrefix;
  return params;
}

}  // namespace scanner_app

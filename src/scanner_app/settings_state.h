#pragma once
// The settings screen's choices, without widgets: the picker positions, the
// file-name prefix and the save folder, and the interlocks between them.
//
// The set* operations are the user's choices. Each acts only on a real
// change: a value equal to the current one, outside its option list, or
// refused by a lock changes nothing and emits nothing. A change runs the
// interlocks at once; changed() is emitted once when the whole chain is
// done, so a view redraws from a consistent state.
//
// Interlocks:
//   source away from "FB"            -> resolution back to "200dpi"
//   "1200dpi"                        -> offered only with the source "FB"
//   any merge                        -> page size "A4", page-size picker locked
//   a merge in colour mode "TEXT"    -> file type back to its first row, locked
//   "IDCard"                         -> source "FB", source picker locked
//   "TEXT" or a merge                -> rotation row hidden
//   PDF                              -> file-name row hidden
//   back to "NoCombine"              -> nothing is restored

#include <QList>
#include <QObject>
#include <QString>
#include <string>

#include "scanner/ui_params.h"

namespace scanner_app {

class SettingsState : public QObject {
  Q_OBJECT
  Q_PROPERTY(int scannerIndex READ scannerIndex WRITE setScannerIndex NOTIFY changed)
  Q_PROPERTY(int colorMode READ colorMode WRITE setColorMode NOTIFY changed)
  Q_PROPERTY(int scanSource READ scanSource WRITE setScanSource NOTIFY changed)
  Q_PROPERTY(int contentType READ contentType WRITE setContentType NOTIFY changed)
  Q_PROPERTY(int resolution READ resolution WRITE setResolution NOTIFY changed)
  Q_PROPERTY(int pageSize READ pageSize WRITE setPageSize NOTIFY changed)
  Q_PROPERTY(int saveType READ saveType WRITE setSaveType NOTIFY changed)
  Q_PROPERTY(int rotateAngle READ rotateAngle WRITE setRotateAngle NOTIFY changed)
  Q_PROPERTY(int combineType READ combineType WRITE setCombineType NOTIFY changed)
  Q_PROPERTY(QString savePrefix READ savePrefix WRITE setSavePrefix NOTIFY changed)
  Q_PROPERTY(QString saveDir READ saveDir WRITE setSaveDir NOTIFY changed)

 public:
  // Every position 0, the prefix "file", the given save folder.
  explicit SettingsState(QString saveDir, QObject* parent = nullptr);

  int scannerIndex() const { return scannerIndex_; }
  int colorMode() const { return colorMode_; }
  int scanSource() const { return scanSource_; }
  int contentType() const { return contentType_; }
  int resolution() const { return resolution_; }
  int pageSize() const { return pageSize_; }
  int saveType() const { return saveType_; }
  int rotateAngle() const { return rotateAngle_; }
  int combineType() const { return combineType_; }
  QString savePrefix() const { return savePrefix_; }
  QString saveDir() const { return saveDir_; }

  // Any position from 0: the scanner list may change under it.
  void setScannerIndex(int index);
  void setColorMode(int mode);
  void setScanSource(int source);
  void setContentType(int type);
  void setResolution(int resolution);
  void setPageSize(int size);
  void setSaveType(int type);
  void setRotateAngle(int angle);
  void setCombineType(int combine);
  void setSavePrefix(const QString& prefix);
  void setSaveDir(const QString& folder);

  // What the screen shows and offers.
  bool scanSourceEnabled() const;
  bool pageSizeEnabled() const;
  bool saveTypeEnabled() const;
  bool rotationShown() const;
  bool fileNameShown() const;
  // Positions in the resolution list the resolution picker offers.
  QList<int> resolutionChoices() const;
  // The key of the file-type picker's first row: "BMP" in mode "TEXT", else "JPEG".
  const char* imageFormatKey() const;

  // The choices as the scan button hands them to the scanner model. The
  // rotation goes only while its row is shown: a turn chosen before the row
  // was hidden must not turn ID cards or merged sheets.
  scan::UIParams uiParams(const std::string& scannerName) const;

 signals:
  void changed();

 private:
  class Change;
  bool isText() const;
  bool isFlatbed() const;
  bool assign(int& field, int value);
  void assignScanSource(int source);
  void assignResolution(int resolution);
  void assignPageSize(int size);
  void assignSaveType(int type);
  void assignCombineType(int combine);

  int scannerIndex_ = 0;
  int colorMode_ = 0;
  int scanSource_ = 0;
  int contentType_ = 0;
  int resolution_ = 0;
  int pageSize_ = 0;
  int saveType_ = 0;
  int rotateAngle_ = 0;
  int combineType_ = 0;
  QString savePrefix_;
  QString saveDir_;
  int depth_ = 0;
  bool dirty_ = false;
};

}  // namespace scanner_app

#pragma once
// A label whose plain text wraps by the desktop's rule (text_wrap.h): it
// draws exactly the lines wrappedLines gives at its width and asks for the
// room those lines take, so the layouts that place it and the checks that
// judge it see what the user sees. Its text, and so what a screen reader
// reads, is the plain text given.

#include <QHash>
#include <QLabel>
#include <QStringList>

namespace desktop {

class WrappedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit WrappedLabel(QWidget* parent = nullptr);

  // The lines drawn at the label's width now.
  QStringList lines() const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  // As wide as the text on one line, up to about 80 characters.
  QSize sizeHint() const override;
  // As wide as its widest word, so a layout keeps every word whole.
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QStringList linesAt(int contentsWidth) const;
  // The label's size less its contents' size: its frame and margins.
  QSize margins() const;
  int linesHeight(const QStringList& lines) const;

  // The lines at each width asked for, for the text and font they were
  // made from.
  mutable QString wrappedText_;
  mutable QFont wrappedFont_;
  mutable QHash<int, QStringList> linesAtWidth_;
};

}  // namespace desktop

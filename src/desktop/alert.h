#pragma once
// The alert of both windowed programs: a bold title, a message and one
// button, window-modal over its window. Title and message are shown as
// plain text, exactly as given (the caller has looked them up in its string
// table already). The alert is as wide as its title needs, in its title bar
// and as its heading; its message wraps between words (text_wrap.h), a
// line break in it beginning a line, in lines of at most about 60
// characters or half the screen, where a longer word (a folder's path)
// breaks inside. It opens centred over its window, and stays so when its
// texts change while it is shown.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QScreen;

namespace desktop {

class WrappedLabel;

class Alert : public QDialog {
  Q_OBJECT

 public:
  // Over `over`'s window; not yet shown. `button` is the button's text.
  Alert(QWidget* over, const QString& button);

  void setTexts(const QString& title, const QString& message);
  QString title() const;
  QString message() const;
  QPushButton* button() const { return button_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fitTexts();
  void placeOverWindow();

  QLabel* title_;
  WrappedLabel* message_;
  QPushButton* button_;
};

}  // namespace desktop

#pragma once
// What the status panel shows of the selected printer, and the state of the
// poll timer.

#include <QMetaType>
#include <QObject>
#include <QString>

#include <utility>

namespace monitor {

Q_NAMESPACE

struct StatusInfo {
  Q_GADGET
  Q_PROPERTY(int level MEMBER level)
  Q_PROPERTY(QString message MEMBER message)
  Q_PROPERTY(QString discription MEMBER discription)
  Q_PROPERTY(int toner MEMBER toner)

 public:
  StatusInfo() = default;
  StatusInfo(int statusLevel, QString statusMessage, QString advice, int tonerPercent)
      : level(statusLevel), message(std::move(statusMessage)), discription(std::move(advice)), toner(tonerPercent) {}

  int level = 1;        // 1 normal, 2 warning, 3 error
  QString message;      // a string-table key, e.g. "就绪"
  QString discription;  // advice, a string-table key; empty when none is due
  int toner = 0;        // percent as the printer reports it; 0 before any reading
};

// `paused` is never entered; the poll treats it as neither running nor stopped.
enum class TimerMode { running, stopped, paused };
Q_ENUM_NS(TimerMode)

}  // namespace monitor

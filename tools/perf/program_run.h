// One of the programs measured, and a run of it on the desktop.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "launch.h"
#include "trace_reading.h"

namespace starveil::perf {

struct Program {
  QString name;
  QString path;
  QString firstWindow;  // the title of the window it shows first
  QString window;       // and of the window played
  QString box;          // and of its message boxes; empty if it shows none
};

class ProgramRun {
 public:
  // Started at once, its standard error going to `output`; with the trace on it writes its timing
  // marks there.
  ProgramRun(const Program& program, bool trace, const QString& output);

  const Program& Of() const { return program_; }
  std::int64_t Pid() const { return launch_->Pid(); }
  bool Running() const { return launch_->Running(); }
  // The monotonic clock right before the program was started.
  std::int64_t StartedNs() const { return startedNs_; }
  // CPU time of all its threads so far, to the nanosecond, as the scheduler counts it.
  std::int64_t CpuNs() const;
  // How often its main thread has woken from waiting so far: its voluntary context switches, as
  // the kernel counts them.
  std::int64_t WakeUps() const;
  // Its peak resident memory so far.
  std::int64_t PeakResidentKiB() const;
  // Every mark it has written so far.
  const std::vector<TraceMark>& Marks();

 private:
  void Read();

  Program program_;
  std::int64_t startedNs_ = 0;
  std::unique_ptr<xdrive::Launch> launch_;
  QFile output_;
  QByteArray pending_;
  std::vector<TraceMark> marks_;
};

}  // namespace starveil::perf

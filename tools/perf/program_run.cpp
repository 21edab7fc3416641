#include "program_run.h"

#include <time.h>

#include <QDir>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace starveil::perf {

namespace {

// A number from a status file of /proc, or 0.
std::int64_t StatusField(const QString& path, const QRegularExpression& field) {
  QFile status(path);
  if (!status.open(QIODevice::ReadOnly)) return 0;
  return field.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

}  // namespace

ProgramRun::ProgramRun(const Program& program, bool trace, const QString& output)
    : program_(program), output_(output) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (trace) {
    env.insert("QT_LOGGING_RULES", "starveil.trace.debug=true");
    env.insert("QT_MESSAGE_PATTERN", "%{if-category}%{category}: %{endif}%{message}");
  }
  startedNs_ = MonotonicNs();
  launch_ = std::make_unique<xdrive::Launch>(program.path, env, QProcess::nullDevice(), output);
  output_.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

std::int64_t ProgramRun::CpuNs() const {
  // Each thread's first field is the time it has run; a thread that has ended is missed, but the
  // programs' threads live as long as they do.
  std::int64_t sum = 0;
  const QString tasks = QString("/proc/%1/task").arg(Pid());
  for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile schedstat(tasks + "/" + task + "/schedstat");
    if (schedstat.open(QIODevice::ReadOnly))
      sum += schedstat.readAll().split(' ').value(0).toLongLong();
  }
  return sum;
}

std::int64_t ProgramRun::WakeUps() const {
  static const QRegularExpression voluntary(R"(\bvoluntary_ctxt_switches:\s+(\d+))");
  // The main thread's task has the process's own id.
  return StatusField(QString("/proc/%1/task/%1/status").arg(Pid()), voluntary);
}

std::int64_t ProgramRun::PeakResidentKiB() const {
  static const QRegularExpression peak(R"(VmHWM:\s+(\d+) kB)");
  return StatusField(QString("/proc/%1/status").arg(Pid()), peak);
}

const std::vector<TraceMark>& ProgramRun::Marks() {
  Read();
  return marks_;
}

void ProgramRun::Read() {
  pending_ += output_.readAll();
  for (qsizetype end; (end = pending_.indexOf('\n')) >= 0; pending_.remove(0, end + 1)) {
    const QByteArray line = pending_.left(end);
    if (const std::optional<TraceMark> mark = platform::ParseTraceLine(line.toStdString()))
      marks_.push_back(*mark);
  }
}

}  // namespace starveil::perf

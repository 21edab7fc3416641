// A program started on the desktop from outside, as the display test and the measuring tool start
// the game and its yardsticks.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <cstdint>

namespace starveil::xdrive {

// Started at once with `env`, its standard output and error going to files, which never fill up
// and hold a program back as a pipe left unread would; ended when this goes, if not before.
class Launch {
 public:
  Launch(const QString& path, const QProcessEnvironment& env, const QString& output,
         const QString& errors);
  ~Launch() { End(); }
  Launch(const Launch&) = delete;
  Launch& operator=(const Launch&) = delete;

  bool Started() const { return started_; }
  bool Running() const { return process_.state() == QProcess::Running; }
  std::int64_t Pid() const { return process_.processId(); }
  // Whether it has ended, waiting up to `patienceMs` for it to.
  bool Ended(int patienceMs);
  // Once it has ended: whether a signal ended it, and that signal's number or its exit status.
  bool Signalled() const { return process_.exitStatus() == QProcess::CrashExit; }
  int ExitCode() const { return process_.exitCode(); }
  // Sends it SIGTERM, as the session's end would.
  void Terminate() { process_.terminate(); }
  // Asks it to end, and after a few seconds makes it.
  void End();

 private:
  QProcess process_;
  bool started_ = false;
};

}  // namespace starveil::xdrive

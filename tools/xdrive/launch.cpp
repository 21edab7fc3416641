#include "launch.h"

namespace starveil::xdrive {

namespace {

constexpr int kPatienceMs = 5000;

}  // namespace

Launch::Launch(const QString& path, const QProcessEnvironment& env, const QString& output,
               const QString& errors) {
  process_.setProcessEnvironment(env);
  process_.setStandardOutputFile(output);
  process_.setStandardErrorFile(errors);
  process_.start(path, {});
  started_ = process_.waitForStarted();
}

bool Launch::Ended(int patienceMs) {
  return process_.state() == QProcess::NotRunning || process_.waitForFinished(patienceMs);
}

void Launch::End() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(kPatienceMs)) process_.kill();
  process_.waitForFinished(kPatienceMs);
}

}  // namespace starveil::xdrive

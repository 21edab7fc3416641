#include "platform/trace.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QTest>

#include "platform/timer.h"
#include "platform/window.h"

namespace starveil::platform {
namespace {

// Keeps the lines the trace writes while it lives, as Qt's message pattern puts them on standard
// error, with the trace switched on or off.
class TraceCapture {
 public:
  explicit TraceCapture(bool on) {
    QLoggingCategory::setFilterRules(on ? "starveil.trace.debug=true"
                                        : "starveil.trace.debug=false");
    sink_ = &lines;
    previous_ = qInstallMessageHandler(&Keep);
  }
  ~TraceCapture() {
    qInstallMessageHandler(previous_);
    sink_ = nullptr;
    QLoggingCategory::setFilterRules({});
  }
  QStringList lines;

 private:
  static void Keep(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (sink_ && qstrcmp(context.category, "starveil.trace") == 0)
      sink_->append(qFormatLogMessage(QtDebugMsg, context, message));
  }
  static inline QStringList* sink_ = nullptr;
  QtMessageHandler previous_;
};

// The marks about `subject`, as the measuring tool reads them.
std::vector<TraceMark> MarksFor(const QStringList& lines, const std::string& subject) {
  std::vector<TraceMark> marks;
  for (const QString& line : lines) {
    const std::optional<TraceMark> mark = ParseTraceLine(line.toStdString());
    if (mark && mark->subject == subject) marks.push_back(*mark);
  }
  return marks;
}

TEST(Trace, ANamedTimerMarksTheStartAndEndOfEveryTickAroundItsWork) {
  TraceCapture trace(true);
  Window window;
  Timer timer(window, 1, true, "tmrProbe");
  std::vector<qsizetype> linesSeenByTicks;
  timer.OnTick([&] { linesSeenByTicks.push_back(trace.lines.size()); });
  window.Load();
  ASSERT_TRUE(QTest::qWaitFor([&] { return linesSeenByTicks.size() >= 2; }, 10000));
  window.Unload();

  const std::vector<TraceMark> marks = MarksFor(trace.lines, "tmrProbe");
  ASSERT_EQ(marks.size(), 2 * linesSeenByTicks.size());
  for (std::size_t i = 0; i < marks.size(); ++i) {
    EXPECT_EQ(marks[i].event, i % 2 == 0 ? "tick-start" : "tick-end");
    if (i == 0) continue;
    EXPECT_GE(marks[i].wallNs, marks[i - 1].wallNs);
    EXPECT_GE(marks[i].cpuNs, marks[i - 1].cpuNs);
  }
  EXPECT_EQ(linesSeenByTicks[0], 1) << "the tick's work runs after its start mark";
}

TEST(Trace, AWindowMarksOnlyItsFirstPaint) {
  TraceCapture trace(true);
  Window window;
  window.SetCaption("Probe card");
  window.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.repaint();
  window.repaint();
  EXPECT_EQ(MarksFor(trace.lines, "Probe card").size(), 1u);
}

TEST(Trace, WritesNothingWhileOff) {
  TraceCapture trace(false);
  Window window;
  Timer timer(window, 1, true, "tmrProbe");
  int ticks = 0;
  timer.OnTick([&] { ++ticks; });
  window.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.repaint();
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 10000));
  TraceEvent("loss-start");
  EXPECT_TRUE(trace.lines.isEmpty());
}

}  // namespace
}  // namespace starveil::platform

#include "matched_window.h"

#include <QDialog>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <string>
#include <utility>

#include "game/facts.h"
#include "matched_playfield.h"
#include "platform/qt_forms.h"
#include "platform/trace.h"
#include "yardstick_timer.h"

namespace starveil::perf {

namespace {

using platform::PixelRect;
using platform::ToQColor;
using platform::ToQFont;
using platform::TraceEvent;
using platform::TwipsToPixels;

using namespace std::chrono_literals;

constexpr const char* kTitle = "Matched yardstick";
constexpr auto kNoticeAfter = 20s;  // of playing
// Level 1 with the whole formation.
constexpr int kMarchIntervalMs = game::MarchIntervalMs(1, game::kMonsters);
using game::kCannonStepPx;

QLabel* AddPicture(QWidget* parent, const QPixmap& picture, const QRect& place) {
  auto* label = new QLabel(parent);
  label->setPixmap(picture);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(place);
  return label;
}

QLabel* AddCaption(QWidget* parent, const game::PlacedText& design, const QFont& font) {
  auto* label = new QLabel(design.text, parent);
  label->setFont(font);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(PixelRect(design.place));
  return label;
}

// Text in its own colour on a background of its own, in a black box.
QLabel* AddDisplay(QWidget* parent, const game::Display& design) {
  QLabel* label = AddCaption(parent, {design.place, design.text}, ToQFont(game::kCaptionFont));
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  label->setIndent(0);  // a boxed label would indent by half an x, and clip the score's digits
  // A frame's box takes the text's colour; only a style sheet draws it black around coloured text.
  label->setStyleSheet(
      QString("background-color: %1; color: %2; border: 1px solid black; padding: 0px 1px;")
          .arg(ToQColor(design.back).name(), ToQColor(design.fore).name()));
  return label;
}

// Centred on the screen as the window's client area; a frame, if any, is added around it.
void Centre(QWidget& window) {
  window.move(window.screen()->availableGeometry().center() - window.rect().center());
}

// The picture card shown first; it goes after five seconds, or at a click.
class Splash final : public QDialog {
 public:
  Splash() {
    setWindowTitle("Matched yardstick splash");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowIcon(QIcon(":/sprites/a3.xpm"));
    setFixedSize(game::kSplashWidthPx, game::kSplashHeightPx);
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(PixelRect(game::kSplashFrame));
    AddPicture(frame, QPixmap(":/splash.png"), PixelRect(game::kSplashPicture));
    // A dialog places itself as if a window manager framed it, which a frameless one is not.
    Centre(*this);
    // Precise, as the game's splash timer is: a coarse one may be late by a twentieth.
    QTimer::singleShot(game::kSplashShownMs, Qt::PreciseTimer, this, &QDialog::accept);
  }

 protected:
  void mousePressEvent(QMouseEvent* /*event*/) override { accept(); }

  void paintEvent(QPaintEvent* event) override {
    QDialog::paintEvent(event);
    if (std::exchange(firstPaint_, false)) TraceEvent("first-paint", windowTitle().toStdString());
  }

 private:
  bool firstPaint_ = true;
};

// The game window's controls in their places, its timers and its keys, moving pictures only.
class MainWindow final : public QWidget {
 public:
  MainWindow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void LayOutLabels();
  void LayOutControls();
  void SetUpTimer(QTimer& timer, int intervalMs, void (MainWindow::*tick)());
  void ShotTick();
  void FlickerTick();
  void MarchTick();
  void Start();
  void ActOnKey(int key);
  void ShowNotice();

  bool firstPaint_ = true;
  bool playing_ = false;
  Playfield* playfield_ = nullptr;
  QLabel* points_ = nullptr;
  QLabel* level_ = nullptr;
  QLineEdit* sink_ = nullptr;
  QPushButton* start_ = nullptr;
  QTimer shotTimer_;
  QTimer flickerTimer_;
  QTimer marchTimer_;
};

MainWindow::MainWindow() {
  setWindowTitle(kTitle);
  // A fixed frame with a close button only, as the game's window has.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setWindowIcon(QIcon(":/sprites/d2.xpm"));
  setFixedSize(TwipsToPixels(game::kClientWidth), TwipsToPixels(game::kLoadedClientHeight));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(game::kWindowGrey));
  setPalette(palette);

  // Places in pixels: the game's design in twips, divided by 15.
  playfield_ = new Playfield(this);
  playfield_->move(TwipsToPixels(game::kPlayfield.left), TwipsToPixels(game::kPlayfield.top));
  LayOutLabels();
  LayOutControls();

  SetUpTimer(shotTimer_, game::kShotIntervalMs, &MainWindow::ShotTick);
  SetUpTimer(flickerTimer_, game::kFlickerIntervalMs, &MainWindow::FlickerTick);
  SetUpTimer(marchTimer_, kMarchIntervalMs, &MainWindow::MarchTick);
  shotTimer_.start();
  flickerTimer_.start();
}

void MainWindow::LayOutLabels() {
  AddPicture(this, QPixmap(":/title.gif"), PixelRect(game::kTitlePicture));
  const QFont caption = ToQFont(game::kCaptionFont);
  AddCaption(this, game::kPointsCaption, caption);
  points_ = AddDisplay(this, game::kPointsDisplay);
  AddCaption(this, game::kLevelCaption, caption);
  level_ = AddDisplay(this, game::kLevelDisplay);
  AddCaption(this, game::kLivesCaption, caption);
  AddDisplay(this, game::kLivesDisplay);
  const QRect firstMarker = PixelRect(game::LifeMarker(0));
  const QPixmap lifeMarker = QPixmap(":/sprites/se8.xpm").scaled(firstMarker.size());
  for (int i = 0; i < game::kLifeMarkers; ++i)
    AddPicture(this, lifeMarker, PixelRect(game::LifeMarker(i)));
  AddCaption(this, game::kNoticeCaption, ToQFont(game::kNoticeFont));
}

void MainWindow::LayOutControls() {
  sink_ = new QLineEdit(game::kFocusSink.text, this);
  sink_->setGeometry(PixelRect(game::kFocusSink.place));
  sink_->setFont(ToQFont(game::kFocusSinkFont));
  // It lies wholly under the button, so repainting it at every key and caret blink shows nothing.
  sink_->setUpdatesEnabled(false);
  sink_->installEventFilter(this);
  start_ = new QPushButton(game::kStartButton.text, this);
  start_->setGeometry(PixelRect(game::kStartButton.place));
  start_->setFont(ToQFont(game::kButtonFont));
  start_->installEventFilter(this);
  connect(start_, &QPushButton::clicked, this, &MainWindow::Start);
  QLabel* logo = AddPicture(this, QPixmap(":/pellamy.jpg"), PixelRect(game::kLogo));
  logo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  logo->setLineWidth(2);
  start_->setFocus();
}

void MainWindow::SetUpTimer(QTimer& timer, int intervalMs, void (MainWindow::*tick)()) {
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(intervalMs);
  connect(&timer, &QTimer::timeout, this, tick);
}

// Each timer is off for the whole of its tick, as the game's are.
void MainWindow::ShotTick() {
  static const std::string kName = YardstickTimerName(game::kShotIntervalMs);
  TraceEvent("tick-start", kName);
  shotTimer_.stop();
  playfield_->MoveShotAndRockets();
  shotTimer_.start();
  TraceEvent("tick-end", kName);
}

// The game rewrites its score and level at every flicker, mostly to the text they show.
void MainWindow::FlickerTick() {
  flickerTimer_.stop();
  playfield_->Flicker();
  points_->setText(game::kPointsDisplay.text);
  level_->setText(game::kLevelDisplay.text);
  flickerTimer_.start();
}

void MainWindow::MarchTick() {
  marchTimer_.stop();
  playfield_->March();
  marchTimer_.start();
}

void MainWindow::Start() {
  // Keys go to the hidden line edit from now on, so Space no longer presses Start.
  sink_->setFocus();
  playfield_->Restart();
  marchTimer_.start();
  if (!std::exchange(playing_, true))
    QTimer::singleShot(kNoticeAfter, this, &MainWindow::ShowNotice);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (playing_) ActOnKey(key);
  // An arrow would move the focus off the Start button, where the game keeps it.
  const bool arrow =
      key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
  return watched == start_ && arrow;
}

void MainWindow::ActOnKey(int key) {
  if (key == Qt::Key_Left) {
    playfield_->StepCannon(-kCannonStepPx);
  } else if (key == Qt::Key_Right) {
    playfield_->StepCannon(kCannonStepPx);
  } else if (key == Qt::Key_Up || key == Qt::Key_Space) {
    playfield_->Fire();
  }
}

// Modal, as the game's boxes are; the timers run on behind it.
void MainWindow::ShowNotice() {
  QMessageBox box(QMessageBox::NoIcon, "Matched yardstick message", "Matched yardstick",
                  QMessageBox::Ok, this);
  box.exec();
  // With no window manager nothing hands the window the focus back, and the keys would go nowhere.
  activateWindow();
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (std::exchange(firstPaint_, false)) TraceEvent("first-paint", windowTitle().toStdString());
}

}  // namespace

void RunMatchedSplash() {
  Splash splash;
  splash.exec();
}

std::unique_ptr<QWidget> MatchedWindow() {
  return std::make_unique<MainWindow>();
}

void ShowCentred(QWidget& window) {
  Centre(window);
  window.show();
  // With no window manager nothing activates a window, and the keys need an active one.
  window.activateWindow();
}

}  // namespace starveil::perf

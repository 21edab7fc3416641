#include <QGuiApplication>
#include <QStyleHints>
#include <array>
#include <string>

#include "assets/pictures.h"
#include "game/facts.h"
#include "window/frm_main.h"

// The game window as designed: every control with its place, size, settings and picture, and the
// stacking order. Geometry in twips.
namespace starveil {

using game::kClientWidth;
using game::kPlayfield;
using game::kSmallSprite;
using platform::Alignment;
using platform::Font;
using platform::Rgb;

namespace {

constexpr Rgb kBlack{0, 0, 0};

// Black text on the window's grey, left-aligned and unboxed.
void DesignCaption(platform::Label& label, const game::PlacedText& design, const Font& font) {
  label.Move(design.place);
  label.SetCaption(design.text);
  label.SetFont(font);
  label.SetForeColor(kBlack);
  label.SetAlignment(Alignment::kLeft);
  label.SetBorder(false);
}

void DesignDisplay(platform::Label& label, const game::Display& design) {
  label.Move(design.place);
  label.SetCaption(design.text);
  label.SetFont(game::kCaptionFont);
  label.SetBackColor(design.back);
  label.SetForeColor(design.fore);
  label.SetAlignment(Alignment::kRight);
  label.SetBorder(true);
}

// Places a sprite and gives it its picture, whose size it takes.
void Design(platform::Sprite& sprite, float left, float top, const platform::Picture& picture) {
  sprite.Move(left, top, kSmallSprite, kSmallSprite);
  sprite.SetPicture(picture);
}

// A pool of five monster frames side by side, named a0 to a4 and so on.
void DesignFrames(game::SpritePool& pool, platform::Surface& surface, char name, float left,
                  float top) {
  for (int i = 0; i < game::kMonsterFrames; ++i) {
    Design(pool.Design(i, surface), left + kSmallSprite * static_cast<float>(i), top,
           assets::Load(std::string{name} + std::to_string(i)));
  }
}

// What a screen reader tells the player about the state of the game.
void DescribeForScreenReaders(frmMain& f) {
  // The labels show their design captions until the animation timer's first tick; what they
  // read out is the game's state from the start.
  const game::GameState& state = f.Rules().state;
  f.lblPoints.SetAccessibleName("Score");
  f.lblPoints.SetAccessibleDescription("Points scored in this game.");
  f.lblPoints.SetAccessibleReading([&state] { return std::to_string(state.Points); });
  f.lblLevel.SetAccessibleName("Level");
  f.lblLevel.SetAccessibleDescription(
      "The level being played; the monsters march faster at each new level.");
  f.lblLevel.SetAccessibleReading([&state] { return std::to_string(state.Level); });
  // The lives show as cannons on their panel, so the panel reads out how many are left.
  f.Label2.SetAccessibleName("Lives left");
  f.Label2.SetAccessibleDescription("Cannons left; the game ends when the last one is hit.");
  f.Label2.SetAccessibleReading([&f] {
    int shown = 0;
    for (int i = f.Lives.LBound(); i <= f.Lives.UBound(); ++i)
      shown += f.Lives[i].Visible() ? 1 : 0;
    return std::to_string(shown);
  });
  f.cmdStart.setAccessibleName("Start");
  f.cmdStart.setAccessibleDescription("Starts a new game with three lives on level 1.");
  f.Text1.setAccessibleName("Game keys");
  f.Text1.setAccessibleDescription("Left and Right move the cannon; Up or Space fires.");
  f.Pellamy.setAccessibleName("Pellamy logo");
}

}  // namespace

void frmMain::LayOut() {
  SetCaption("Starveil by Pellamy");
  SetBorder(Border::kFixedSingle);
  SetBackColor(game::kWindowGrey);
  SetClientSize(kClientWidth, 6360);

  Image1.Move(game::kTitlePicture);
  Image1.SetPicture(assets::Load("title"));
  DesignCaption(Label1.Design(1, *this), game::kPointsCaption, game::kCaptionFont);
  DesignDisplay(lblPoints, game::kPointsDisplay);
  DesignCaption(Label1.Design(0, *this), game::kLevelCaption, game::kCaptionFont);
  DesignDisplay(lblLevel, game::kLevelDisplay);
  DesignCaption(Label1.Design(2, *this), game::kLivesCaption, game::kCaptionFont);
  DesignDisplay(Label2, game::kLivesDisplay);
  DesignCaption(Label1.Design(3, *this), game::kNoticeCaption, game::kNoticeFont);

  Shape1.Move(0, kPlayfield.top, kPlayfield.width, kPlayfield.height);
  Shape1.SetFillColor(kBlack);
  Shape1.SetBorderColor(kBlack);

  SH.Move(2520, 4680, game::kCannonSize, game::kCannonSize);
  SH.SetPicture(assets::Load("se8"));

  // Frame pools first, so that the template monster can share the picture of D(4).
  DesignFrames(A, *this, 'a', 300, 5580);
  DesignFrames(B, *this, 'b', 1560, 5580);
  DesignFrames(C, *this, 'c', 300, 5820);
  DesignFrames(D, *this, 'd', 1560, 5820);
  Design(M.Design(0, *this), 2760, 5760, D[4].Picture());
  Design(M.Design(1, *this), 2760, 5520, platform::Picture());

  Design(MI.Design(0, *this), 3960, 5580, assets::Load("mi0"));
  Design(MI.Design(1, *this), 4140, 5580, assets::Load("mi1"));
  Design(K.Design(0, *this), 4080, 5760, assets::Load("mi1"));  // a copy, not MI(1)'s own

  Design(R.Design(0, *this), 3660, 5580, assets::Load("r0"));
  Design(R.Design(1, *this), 3780, 5580, assets::Load("r1"));
  Design(R.Design(2, *this), 3780, 5760, assets::Load("r1"));  // a copy, not R(1)'s own
  Design(R.Design(3, *this), 3600, 5760, assets::Load("r3"));

  constexpr std::array<float, game::kExplosionFrames> kExplosionTops{2040, 2580, 3180, 3780,
                                                                     4380, 4920, 5460, 6000};
  for (int i = 0; i < game::kExplosionFrames; ++i) {
    platform::Sprite& frame = SE.Design(i, *this);
    frame.Move(6060, kExplosionTops[i], game::kCannonSize, game::kCannonSize);
    frame.SetPicture(assets::Load("se" + std::to_string(i)));
  }
  platform::Sprite& cannon = SE.Design(game::kCannonPicture, *this);
  cannon.Move(6000, 1440, game::kCannonSize, game::kCannonSize);
  cannon.SetPicture(assets::Load("se8"));

  for (int i = 0; i < game::kLifeMarkers; ++i) {
    platform::Sprite& marker = Lives.Design(i, *this);
    marker.SetStretch(true);
    marker.Move(game::LifeMarker(i));
    marker.SetPicture(assets::Load("se8"));
  }

  // Stacking order, back to front.
  SendToBack(Shape1);
  for (platform::Control* control : std::initializer_list<platform::Control*>{
           &SH,       &Label1[0], &Label1[1], &Label1[2], &lblPoints, &lblLevel, &Label2, &Lives[0],
           &Lives[1], &Lives[2],  &SE[0],     &SE[1],     &SE[2],     &SE[3],    &SE[4],  &SE[5],
           &SE[6],    &SE[7],     &SE[8],     &A[0],      &A[1],      &A[2],     &A[3],   &A[4],
           &B[0],     &B[1],      &B[2],      &B[3],      &B[4],      &C[0],     &C[1],   &C[2],
           &C[3],     &C[4],      &D[0],      &D[1],      &D[2],      &D[3],     &D[4],   &M[0],
           &R[0],     &R[1],      &R[2],      &M[1],      &MI[0],     &MI[1],    &K[0],   &R[3],
           &Image1,   &Label1[3]}) {
    BringToFront(*control);
  }

  platform::PlaceWidget(Text1, game::kFocusSink.place);
  platform::SetWidgetFont(Text1, game::kFocusSinkFont);
  Text1.SetText(game::kFocusSink.text);
  // The text box lies wholly under the button, so nothing it draws ever shows; left to repaint at
  // every key and caret blink, it would make the button above it repaint each time too.
  Text1.setUpdatesEnabled(false);
  // Nor does its caret blink: unseen, each blink would only wake the program, twice a second while
  // the game rests. It is the program's only text box.
  QGuiApplication::styleHints()->setCursorFlashTime(0);
  platform::PlaceWidget(cmdStart, game::kStartButton.place);
  platform::SetWidgetFont(cmdStart, game::kButtonFont);
  cmdStart.setText(game::kStartButton.text);
  platform::PlaceWidget(Pellamy, game::kLogo);
  Pellamy.SetPicture(assets::Load("pellamy"));
  // Windowed controls, back to front; the text box hides behind the button.
  Text1.raise();
  cmdStart.raise();
  Pellamy.raise();
  setTabOrder(&cmdStart, &Text1);
  setTabOrder(&Text1, &Pellamy);
  cmdStart.setFocus();

  SetIcon(D[2].Picture());
  DescribeForScreenReaders(*this);
}

}  // namespace starveil

#include "scenes/stage_table.h"

#include "animation/animation_state.h"
#include "scenes/picture_settings.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

namespace {

bool Always() { return true; }
void Nothing() {}

// Name, tick, caption, picture, figures, has drawn, undo, finish.
const StageUnit Units[] = {
    {"rotate", TickRotate, RotateCaption, DrawOpeningPicture, DrawRotateFigures, Always, Nothing,
     Nothing},
    {"tilt", TickTilt, [] { return TiltCaption; }, nullptr, DrawTiltFigures, TiltHasDrawn, UndoTilt,
     FinishTilt},
    {"slide", TickSlide, [] { return SlideCaption; }, nullptr, DrawSlideFigures, SlideHasDrawn,
     UndoSlide, FinishSlide},
    {"pull", TickPull, [] { return PullCaption; }, nullptr, DrawPullFigures, PullHasDrawn, UndoPull,
     FinishPull},
    {"view", TickView, [] { return AnimationState.AngleStep > 0 ? ViewCaption : ViewBackCaption; },
     nullptr, DrawViewFigures, ViewHasDrawn, UndoView, FinishView},
    {"both", TickTogether, [] { return TogetherCaption; }, DrawTogetherPicture, DrawTogetherFigures,
     TogetherHasDrawn, UndoTogether, Nothing},
};

// The cycles: the designed four stages in either direction; the full lesson
// turns the view after each pull, and ends its negative cycle with both
// frequencies together.
constexpr int32_t DesignedStages = 4;
constexpr int32_t FullPositiveStages = 5;
constexpr int32_t FullNegativeStages = 6;

// The variables of stages `from` and later back to their values before them.
void UndoFrom(int32_t from) {
  for (int32_t k = CycleLength() - 1; k >= from; --k)
    CycleStage(k).Undo();
}

// Stages 0 to `stage` - 1 finished in turn, each from where the one before ended.
void FinishBefore(int32_t stage) {
  for (int32_t k = 0; k < stage; ++k)
    CycleStage(k).Finish();
}

} // namespace

std::vector<const char *> LessonCaptions() {
  std::vector<const char *> captions = {PositiveCaption, NegativeCaption, TiltCaption, SlideCaption,
                                        PullCaption};
  if (PictureSettings().FullLesson)
    captions.insert(captions.end(), {ViewCaption, ViewBackCaption, TogetherCaption});
  return captions;
}

int32_t CycleLengthOf(bool fullLesson, bool negative) {
  return !fullLesson ? DesignedStages : negative ? FullNegativeStages : FullPositiveStages;
}

int32_t CycleLength() {
  return CycleLengthOf(PictureSettings().FullLesson, AnimationState.AngleStep < 0);
}

const StageUnit &CycleStage(int32_t stage) { return Units[stage]; }

int32_t ShownStage() {
  const int32_t running = AnimationState.Stage;
  for (int32_t k = running < CycleLength() ? running : CycleLength() - 1; k > 0; --k)
    if (CycleStage(k).HasDrawn())
      return k;
  return RotateStage;
}

bool TickStage() {
  const int32_t stage = AnimationState.Stage;
  if (stage >= 0 && stage < CycleLength()) {
    CycleStage(stage).Tick();
    return false;
  }
  if (stage != CycleLength())
    return false;
  ResetCycle();
  return true;
}

void EnterNextStage() {
  AnimationStateRecord &s = AnimationState;
  if (s.Stage < CycleLength())
    s.Stage = s.Stage + 1;
  s.StageEntered = true;
}

void ResetCycle() {
  AnimationStateRecord &s = AnimationState;
  UndoFrom(0);
  s.AngleStep = -s.AngleStep;
  s.Stage = RotateStage;
  PaintScene();
}

BackStep StepBack(bool cycleBefore) {
  AnimationStateRecord &s = AnimationState;
  BackStep step = BackStep::WithinCycle;
  if (s.Stage == CycleLength()) {
    // The click from the last stage is taken back: that stage finished as it ran.
    CycleStage(s.Stage - 1).Finish();
  } else if (s.Stage > 0 && s.Stage < CycleLength()) {
    UndoFrom(0);
    FinishBefore(s.Stage);
  } else if (s.Stage == RotateStage && cycleBefore) {
    s.AngleStep = -s.AngleStep;
    UndoFrom(0);
    FinishBefore(CycleLength());
    s.Stage = CycleLength();
    step = BackStep::IntoCycleBefore;
  } else {
    return BackStep::None;
  }
  s.Stage = s.Stage - 1;
  s.StageEntered = false;
  return step;
}

void StartAtStage(int32_t stage, bool negative) {
  AnimationStateRecord &s = AnimationState;
  InitAnimationState();
  if (negative) {
    FinishBefore(CycleLength());
    UndoFrom(0);
    s.AngleStep = -s.AngleStep;
  }
  FinishBefore(stage);
  s.Stage = stage;
  s.StageEntered = stage > 0 || negative; // the click that led there (the reset keeps it)
}

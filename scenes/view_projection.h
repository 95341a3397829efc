// The full lesson's turned view (tick_view.cpp): where a point of time x,
// height y (the sine) and depth z (the cosine, toward the viewer) is drawn,
// in world units, when the view has turned by e (0: from the side, 1: turned).
#pragma once

#include <cstdint>

// Ticks of the view's turn: two seconds at the designed speed.
constexpr int32_t ViewTurnTicks = 100;

struct ViewPoint {
  double X;
  double Y;
};

ViewPoint ProjectView(double e, double x, double y, double z);

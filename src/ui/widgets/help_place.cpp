#include "ui/widgets/help_place.h"

#include <algorithm>

// The side with more room takes the help; it gets up to its wanted width of
// that room. When neither side holds kHelpLeastWidth, the help keeps that
// width at the side with more room and covers as little of the asker as it
// can. Top aligned with the asker, moved up to stay inside the work area.
HelpPlaceRect PlaceHelpWindow(const HelpPlaceRect& asker, int wantedWidth, int wantedHeight,
                              const HelpPlaceRect& work) {
  if (work.Width() <= 0 || work.Height() <= 0)
    return HelpPlaceRect{asker.right, asker.top, asker.right + wantedWidth, asker.top + wantedHeight};
  const int height = std::clamp(wantedHeight, 1, work.Height());
  const int widest = std::max(1, std::min(wantedWidth, work.Width()));
  const int roomRight = std::max(0, work.right - asker.right);
  const int roomLeft = std::max(0, asker.left - work.left);
  const bool right = roomRight >= roomLeft;
  const int room = right ? roomRight : roomLeft;
  const int width = room >= kHelpLeastWidth ? std::min(widest, room) : std::min(widest, kHelpLeastWidth);
  int left = right ? asker.right : asker.left - width;
  left = std::clamp(left, work.left, work.right - width);
  const int top = std::clamp(asker.top, work.top, work.bottom - height);
  return HelpPlaceRect{left, top, left + width, top + height};
}

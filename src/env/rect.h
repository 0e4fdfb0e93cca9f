#pragma once

// A point and a rectangle in whole pixels, as every layout of the program
// computes them. The rectangle has the platform's convention: left and top
// inside, right and bottom just outside. No window code.

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  [[nodiscard]] constexpr int Width() const { return right - left; }
  [[nodiscard]] constexpr int Height() const { return bottom - top; }
  // Nothing inside: no width or no height.
  [[nodiscard]] constexpr bool Empty() const { return right <= left || bottom <= top; }
  [[nodiscard]] constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  [[nodiscard]] constexpr bool Contains(Point p) const { return Contains(p.x, p.y); }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

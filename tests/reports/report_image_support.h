// Pages rendered to pictures and compared: where the ink lies, and how far two pictures differ.
#pragma once

#include <QImage>
#include <cstdlib>

namespace torvane::testing_support {

// The first and last rows and columns with ink (grey below 200) of a rendered page, in pixels;
// -1 for a blank page.
struct Ink {
  int left = -1, top = -1, right = -1, bottom = -1;
};

inline Ink InkOf(const QImage& page) {
  Ink ink;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) >= 200) continue;
      if (ink.top < 0) ink.top = y;
      ink.bottom = y;
      if (ink.left < 0 || x < ink.left) ink.left = x;
      if (x > ink.right) ink.right = x;
    }
  }
  return ink;
}

// The mean difference of grey per pixel of two pictures of one size.
inline double MeanGreyDifference(const QImage& a, const QImage& b) {
  double difference = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      difference += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    }
  }
  return difference / (a.width() * a.height());
}

}  // namespace torvane::testing_support

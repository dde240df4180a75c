#include "chart/wheel.h"

#include <string_view>

namespace zodivane {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kAscendantLine = "Asc";

}  // namespace

SignLists CollectSignLists(const PositionTable& positions, const WheelNames& names) {
  SignLists lists;
  // Sun to Saturn only; Uranus, Neptune and Pluto are never on the wheel.
  for (int body = 0; body < kWheelBodyCount; ++body) {
    if (const std::optional<int> sign = SignIndexOfShortText(positions[body])) {
      lists[*sign].append(kLineBreak).append(names[body]);
    }
  }
  const auto ascendant = static_cast<std::size_t>(ChartPoint::Ascendant);
  if (const std::optional<int> sign = SignIndexOfShortText(positions[ascendant])) {
    lists[*sign].append(kLineBreak).append(kAscendantLine);
  }
  return lists;
}

WheelView HouseWheel(const SignLists& lists, const PositionTable& positions) {
  // House 1 takes the first sign whose list holds the Ascendant's line;
  // without one the wheel is not turned.
  int first = 0;
  for (int sign = 0; sign < kSignCount; ++sign) {
    if (lists[sign].find(kAscendantLine) != std::string::npos) {
      first = sign;
      break;
    }
  }

  WheelView view;
  for (int house = 0; house < kSignCount; ++house) {
    view.houseTexts[house] = lists[(first + house) % kSignCount];
  }

  // The glyphs follow the Ascendant's own sign characters; when they name
  // no sign the pictures are left as designed.
  const auto ascendant = static_cast<std::size_t>(ChartPoint::Ascendant);
  if (const std::optional<int> sign = SignIndexOfShortText(positions[ascendant])) {
    std::array<int, kSignCount> pictures{};
    for (int house = 0; house < kSignCount; ++house) {
      pictures[house] = (*sign + house) % kSignCount + 1;
    }
    view.pictures = pictures;
  }
  return view;
}

}  // namespace zodivane

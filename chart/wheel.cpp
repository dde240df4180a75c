// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/wheel.h"

#include <cstddef>
#include <string_view>
#include <utility>

namespace zodivane {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kAscendantLine = "Asc";

/// Sun to Saturn, then the Ascendant: the entries the wheel can list.
constexpr int kEntryCount = kWheelBodyCount + 1;

/// The sign of each entry the wheel can list, from the characters of its
/// position text; none where they name no sign.
std::array<std::optional<int>, kEntryCount> EntrySigns(const PositionTable& positions) {
  // Sun to Saturn only; Uranus, Neptune and Pluto are never on the wheel.
  // The Ascendant's line comes last.
  std::array<std::optional<int>, kEntryCount> signs;
  for (int body = 0; body < kWheelBodyCount; ++body) {
    signs[body] = SignIndexOfShortText(positions[body]);
  }
  signs[kWheelBodyCount] =
      SignIndexOfShortText(positions[static_cast<std::size_t>(ChartPoint::Ascendant)]);
  return signs;
}

}  // namespace

SignLists CollectSignLists(const PositionTable& positions, const WheelNames& names) {
  // Each entry's sign is found once, and every list is sized before it is
  // filled.
  const std::array<std::optional<int>, kEntryCount> signs = EntrySigns(positions);
  std::array<std::string_view, kEntryCount> lines;
  for (int body = 0; body < kWheelBodyCount; ++body) {
    lines[body] = names[body];
  }
  lines[kWheelBodyCount] = kAscendantLine;

  std::array<std::size_t, kSignCount> lengths{};
  for (int entry = 0; entry < kEntryCount; ++entry) {
    if (signs[entry]) {
      lengths[*signs[entry]] += kLineBreak.size() + lines[entry].size();
    }
  }
  SignLists lists;
  for (int sign = 0; sign < kSignCount; ++sign) {
    lists[sign].reserve(lengths[sign]);
  }
  for (int entry = 0; entry < kEntryCount; ++entry) {
    if (signs[entry]) {
      lists[*signs[entry]].append(kLineBreak).append(lines[entry]);
    }
  }
  return lists;
}

SignEntries CollectSignEntries(const PositionTable& positions, const RetrogradeFlags& retrograde) {
  const std::array<std::optional<int>, kEntryCount> signs = EntrySigns(positions);
  SignEntries entries;
  for (int entry = 0; entry < kEntryCount; ++entry) {
    if (!signs[entry]) {
      continue;
    }
    const bool isBody = entry < kWheelBodyCount;
    entries[*signs[entry]].push_back(
        WheelEntry{isBody ? static_cast<ChartPoint>(entry) : ChartPoint::Ascendant,
                   isBody && retrograde[entry]});
  }
  return entries;
}

WheelView HouseWheel(SignLists lists, const PositionTable& positions, SignEntries entries) {
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
    view.houseTexts[house] = std::move(lists[(first + house) % kSignCount]);
    view.houseEntries[house] = std::move(entries[(first + house) % kSignCount]);
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

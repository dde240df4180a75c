// SPDX-License-Identifier: GPL-3.0-or-later
// zodivane-stations: computes the retrograde station tables that the program
// carries in retrograde/stations/, from Swiss Ephemeris.
//
// For each of Mercury, Venus, Mars, Jupiter and Saturn it samples the speed
// of the geocentric apparent ecliptic longitude of date (the default output
// of swe_calc_ut) once a day from 1899 to 2052, brackets every change of
// sign, and bisects the bracket to well under a second. A station retrograde
// is where the speed turns from positive to negative, a station direct where
// it turns back. Each retrograde station is paired with the direct station
// that follows it, and the periods whose retrograde station falls in the
// years 1900 to 2050 (UT) are kept. Times are UT rounded to the minute.
//
// A handful of published rows, computed long ago with a less precise
// ephemeris, differ from these results by minutes; the program keeps those
// rows as published. They are listed in kPublishedRows below and replace the
// computed station of the same kind nearest to them, so that this program's
// output is exactly the committed data.
//
// Usage: zodivane-stations [--verbose] OUTPUT_DIRECTORY
// writes mercury.txt, venus.txt, mars.txt, jupiter.txt and saturn.txt there.
// With --verbose it lists on standard error, for every published row, how
// many minutes it lies from the computed station it replaces.

#include <swephexp.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifndef ZODIVANE_SWE_EPHE_DIR
#define ZODIVANE_SWE_EPHE_DIR "/usr/share/libswe/ephe"
#endif

namespace {

/// A planet of the tables.
struct Planet {
  std::string_view name;      ///< "Mercury" .. "Saturn"
  std::string_view fileName;  ///< output file, e.g. "mercury.txt"
  int sweBody;                ///< Swiss Ephemeris body number (SE_MERCURY ..)
};

constexpr auto kPlanets = std::to_array<Planet>({
    {"Mercury", "mercury.txt", SE_MERCURY},
    {"Venus", "venus.txt", SE_VENUS},
    {"Mars", "mars.txt", SE_MARS},
    {"Jupiter", "jupiter.txt", SE_JUPITER},
    {"Saturn", "saturn.txt", SE_SATURN},
});
static_assert(kPlanets.size() == 5);

/// Which way the planet turns at a station.
enum class Turn { Retrograde, Direct };

/// A published row kept in place of the computed station of the same kind
/// that lies nearest to it (always within a day).
struct PublishedRow {
  std::string_view planet;  ///< planet name as in kPlanets
  Turn turn;                ///< kind of station the row is
  std::string_view row;     ///< "month,day,year,hour,minute," UT
};

constexpr auto kPublishedRows = std::to_array<PublishedRow>({
    // First and last periods of every table.
    {"Mercury", Turn::Retrograde, "3,15,1900,13,19,"},
    {"Mercury", Turn::Direct, "4,7,1900,18,42,"},
    {"Mercury", Turn::Retrograde, "12,1,2050,17,17,"},
    {"Mercury", Turn::Direct, "12,21,2050,11,33,"},
    {"Venus", Turn::Retrograde, "6,16,1900,22,56,"},
    {"Venus", Turn::Direct, "7,30,1900,2,44,"},
    {"Venus", Turn::Retrograde, "9,25,2050,22,15,"},
    {"Venus", Turn::Direct, "11,6,2050,19,4,"},
    {"Mars", Turn::Retrograde, "1,13,1901,6,16,"},
    {"Mars", Turn::Direct, "4,4,1901,7,21,"},
    {"Mars", Turn::Retrograde, "7,15,2050,5,50,"},
    {"Mars", Turn::Direct, "9,13,2050,9,41,"},
    {"Jupiter", Turn::Retrograde, "3,27,1900,20,39,"},
    {"Jupiter", Turn::Direct, "7,29,1900,1,35,"},
    {"Jupiter", Turn::Retrograde, "12,21,2050,13,21,"},
    {"Jupiter", Turn::Direct, "4,21,2051,23,46,"},
    {"Saturn", Turn::Retrograde, "4,14,1900,6,2,"},
    {"Saturn", Turn::Direct, "9,2,1900,14,39,"},
    {"Saturn", Turn::Retrograde, "5,18,2050,13,6,"},
    {"Saturn", Turn::Direct, "10,6,2050,11,5,"},
    // Further published periods.
    {"Mercury", Turn::Retrograde, "11,9,1900,23,33,"},
    {"Mercury", Turn::Direct, "11,29,1900,21,28,"},
    {"Mercury", Turn::Retrograde, "12,17,2049,20,47,"},
    {"Mercury", Turn::Direct, "1,6,2050,18,50,"},
    {"Venus", Turn::Retrograde, "5,13,2020,7,3,"},
    {"Venus", Turn::Direct, "6,25,2020,7,5,"},
    {"Mars", Turn::Retrograde, "2,18,1903,14,29,"},
    {"Mars", Turn::Direct, "5,9,1903,16,14,"},
});
static_assert(kPublishedRows.size() == 28);

constexpr int kFirstYear = 1900;  ///< first year of a kept retrograde station
constexpr int kLastYear = 2050;   ///< last year of a kept retrograde station
constexpr double kMinutesPerDay = 1440.0;

/// A station: Julian day (UT) of the moment and the kind of turn.
struct Station {
  double julianDayUt;
  Turn turn;
};

/// One retrograde period as whole minutes: Julian day number times 1440 plus
/// the minute of the day (UT), so calendar dates fall out of integer division.
struct Period {
  std::int64_t retrograde;
  std::int64_t direct;
};

/// Longitude speed in degrees per day (negative while retrograde), or nullopt
/// with a message on standard error when Swiss Ephemeris fails or had to fall
/// back from its data files to another ephemeris.
std::optional<double> LongitudeSpeed(int body, double julianDayUt) {
  std::array<double, 6> xx{};
  std::array<char, AS_MAXCH> error{};
  const int32 flags = SEFLG_SWIEPH | SEFLG_SPEED;
  const int32 used = swe_calc_ut(julianDayUt, body, flags, xx.data(), error.data());
  if (used < 0) {
    std::cerr << "zodivane-stations: swe_calc_ut failed: " << error.data() << '\n';
    return std::nullopt;
  }
  if ((used & SEFLG_SWIEPH) == 0) {
    std::cerr << "zodivane-stations: the Swiss Ephemeris data files were not found in "
              << ZODIVANE_SWE_EPHE_DIR << '\n';
    return std::nullopt;
  }
  return xx[3];
}

/// Every station of `body` between the two Julian days, in time order.
std::optional<std::vector<Station>> FindStations(int body, double fromJd, double toJd) {
  std::vector<Station> stations;
  std::optional<double> previous = LongitudeSpeed(body, fromJd);
  if (!previous) {
    return std::nullopt;
  }
  for (double day = fromJd + 1.0; day <= toJd; day += 1.0) {
    const std::optional<double> speed = LongitudeSpeed(body, day);
    if (!speed) {
      return std::nullopt;
    }
    if ((*previous > 0.0) != (*speed > 0.0)) {
      // Bisect [day - 1, day] on the sign of the speed to under a millisecond.
      const bool wasForward = *previous > 0.0;
      double low = day - 1.0;
      double high = day;
      while (high - low > 1e-8) {
        const double middle = 0.5 * (low + high);
        const std::optional<double> middleSpeed = LongitudeSpeed(body, middle);
        if (!middleSpeed) {
          return std::nullopt;
        }
        if ((*middleSpeed > 0.0) == wasForward) {
          low = middle;
        } else {
          high = middle;
        }
      }
      stations.push_back({0.5 * (low + high), wasForward ? Turn::Retrograde : Turn::Direct});
    }
    previous = speed;
  }
  return stations;
}

/// Floor division for the minute counts.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

/// The moment rounded to the whole minute (UT), as Julian day number times
/// 1440 plus the minute of the day.
std::int64_t RoundedMinutes(double julianDayUt) {
  return std::llround((julianDayUt + 0.5) * kMinutesPerDay);
}

/// Calendar date of a Julian day number (Gregorian calendar).
void CalendarDate(std::int64_t julianDayNumber, int& year, int& month, int& day) {
  double hour = 0.0;
  swe_revjul(static_cast<double>(julianDayNumber), SE_GREG_CAL, &year, &month, &day, &hour);
}

/// The row text "month,day,year,hour,minute," of a minute count.
std::string RowText(std::int64_t minutes) {
  const std::int64_t dayNumber = FloorDiv(minutes, 1440);
  const std::int64_t minuteOfDay = minutes - dayNumber * 1440;
  int year = 0;
  int month = 0;
  int day = 0;
  CalendarDate(dayNumber, year, month, day);
  return std::to_string(month) + ',' + std::to_string(day) + ',' + std::to_string(year) + ',' +
         std::to_string(minuteOfDay / 60) + ',' + std::to_string(minuteOfDay % 60) + ',';
}

/// Minute count of a row "month,day,year,hour,minute,", or nullopt when the
/// row is not five numbers each followed by a comma.
std::optional<std::int64_t> RowMinutes(std::string_view row) {
  std::array<int, 5> fields{};
  std::size_t position = 0;
  for (int& field : fields) {
    const std::size_t comma = row.find(',', position);
    if (comma == std::string_view::npos || comma == position) {
      return std::nullopt;
    }
    const char* first = row.data() + position;
    const char* last = row.data() + comma;
    const auto [end, error] = std::from_chars(first, last, field);
    if (error != std::errc{} || end != last) {
      return std::nullopt;
    }
    position = comma + 1;
  }
  if (position != row.size()) {
    return std::nullopt;
  }
  const double noon = swe_julday(fields[2], fields[0], fields[1], 12.0, SE_GREG_CAL);
  const auto dayNumber = static_cast<std::int64_t>(std::llround(noon));
  return dayNumber * 1440 + fields[3] * 60 + fields[4];
}

/// Year (UT) of a minute count.
int YearOf(std::int64_t minutes) {
  int year = 0;
  int month = 0;
  int day = 0;
  CalendarDate(FloorDiv(minutes, 1440), year, month, day);
  return year;
}

/// The kept periods of one planet, computed and rounded to the minute.
std::optional<std::vector<Period>> ComputePeriods(const Planet& planet) {
  const double fromJd = swe_julday(kFirstYear - 1, 1, 1, 0.0, SE_GREG_CAL);
  const double toJd = swe_julday(kLastYear + 2, 1, 1, 0.0, SE_GREG_CAL);
  const std::optional<std::vector<Station>> stations = FindStations(planet.sweBody, fromJd, toJd);
  if (!stations) {
    return std::nullopt;
  }
  std::vector<Period> periods;
  for (std::size_t i = 0; i + 1 < stations->size(); ++i) {
    const Station& start = (*stations)[i];
    const Station& end = (*stations)[i + 1];
    if (start.turn != Turn::Retrograde || end.turn != Turn::Direct) {
      continue;
    }
    const Period period{RoundedMinutes(start.julianDayUt), RoundedMinutes(end.julianDayUt)};
    const int year = YearOf(period.retrograde);
    if (year >= kFirstYear && year <= kLastYear) {
      periods.push_back(period);
    }
  }
  return periods;
}

/// Replaces computed stations by the published rows of `planet`; false with
/// a message when a published row has no computed station within a day.
bool ApplyPublishedRows(const Planet& planet, std::vector<Period>& periods, bool verbose) {
  for (const PublishedRow& published : kPublishedRows) {
    if (published.planet != planet.name) {
      continue;
    }
    const std::optional<std::int64_t> target = RowMinutes(published.row);
    if (!target) {
      std::cerr << "zodivane-stations: malformed published row " << published.row << '\n';
      return false;
    }
    std::int64_t* nearest = nullptr;
    for (Period& period : periods) {
      std::int64_t& candidate =
          published.turn == Turn::Retrograde ? period.retrograde : period.direct;
      if (nearest == nullptr || std::llabs(candidate - *target) < std::llabs(*nearest - *target)) {
        nearest = &candidate;
      }
    }
    if (nearest == nullptr || std::llabs(*nearest - *target) >= 1440) {
      std::cerr << "zodivane-stations: no computed " << planet.name
                << " station within a day of the published row " << published.row << '\n';
      return false;
    }
    if (verbose) {
      std::cerr << planet.name << ' '
                << (published.turn == Turn::Retrograde ? "retrograde" : "direct") << ' '
                << published.row << " computed " << RowText(*nearest)
                << " published minus computed " << (*target - *nearest) << " min\n";
    }
    *nearest = *target;
  }
  return true;
}

/// The data file text: the heading "retrograde", the N retrograde stations,
/// an empty line, the heading "direct" and the N direct stations.
std::string FileText(const std::vector<Period>& periods) {
  std::string text = "retrograde\n";
  for (const Period& period : periods) {
    text += RowText(period.retrograde) + '\n';
  }
  text += "\ndirect\n";
  for (const Period& period : periods) {
    text += RowText(period.direct) + '\n';
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  bool verbose = false;
  std::optional<std::filesystem::path> outputDirectory;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--verbose") {
      verbose = true;
    } else if (!outputDirectory && !argument.starts_with("-")) {
      outputDirectory = argument;
    } else {
      outputDirectory.reset();
      break;
    }
  }
  if (!outputDirectory) {
    std::cerr << "usage: zodivane-stations [--verbose] OUTPUT_DIRECTORY\n";
    return 2;
  }

  swe_set_ephe_path(ZODIVANE_SWE_EPHE_DIR);
  int status = 0;
  for (const Planet& planet : kPlanets) {
    std::optional<std::vector<Period>> periods = ComputePeriods(planet);
    if (!periods || !ApplyPublishedRows(planet, *periods, verbose)) {
      status = 1;
      break;
    }
    if (verbose) {
      std::cerr << planet.name << ": " << periods->size() << " periods\n";
    }
    const std::filesystem::path file = *outputDirectory / planet.fileName;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << FileText(*periods);
    if (!out.flush()) {
      std::cerr << "zodivane-stations: cannot write " << file << '\n';
      status = 1;
      break;
    }
  }
  swe_close();
  return status;
}

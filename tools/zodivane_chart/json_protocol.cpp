// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/zodivane_chart/json_protocol.h"

#include "places/gazetteer.h"
#include "places/zone_history.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <functional>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

#include "chartfile/json_depth.h"
#include "tools/zodivane_chart/answers.h"
#include "tools/zodivane_chart/aspect_output.h"
#include "tools/zodivane_chart/sensitivity_output.h"
#include "tools/zodivane_chart/tool.h"
#include "tools/zodivane_chart/transit_output.h"

namespace zodivane::chart_tool {
namespace {

bool IsBlank(std::string_view line) noexcept {
  return line.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

/// Most lines answered in one go; bounds the memory a batch takes.
constexpr std::size_t kBatchLines = 256;
/// Fewest waiting lines worth sharing between threads.
constexpr std::size_t kLinesPerThread = 16;
/// Answers are written once this much has gathered.
constexpr std::size_t kWriteBytes = 256 * 1024;
/// Bytes asked of the input at once.
constexpr std::size_t kReadBytes = 256 * 1024;

/// Helper threads that each run a part of a job while the calling thread
/// runs part 0.
class Helpers {
 public:
  explicit Helpers(unsigned count) {
    for (unsigned i = 1; i <= count; ++i)
      threads_.emplace_back([this, i](std::stop_token stop) { Work(stop, i); });
  }
  Helpers(const Helpers&) = delete;
  Helpers& operator=(const Helpers&) = delete;
  ~Helpers() {
    {
      // Under the lock, so that no helper misses the request between
      // looking at it and starting to wait.
      std::lock_guard lock(mutex_);
      for (auto& thread : threads_)
        thread.request_stop();
    }
    wake_.notify_all();
  }

  /// Runs job(0) here and job(1..count) on the helpers; returns when all are done.
  void RunAll(const std::function<void(unsigned)>& job) {
    {
      std::lock_guard lock(mutex_);
      job_ = &job;
      pending_ = threads_.size();
      ++generation_;
    }
    wake_.notify_all();
    job(0);
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return pending_ == 0; });
    job_ = nullptr;
  }

 private:
  void Work(const std::stop_token& stop, unsigned part) {
    std::uint64_t seen = 0;
    while (true) {
      const std::function<void(unsigned)>* job = nullptr;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return stop.stop_requested() || generation_ != seen; });
        if (stop.stop_requested())
          return;
        seen = generation_;
        job = job_;
      }
      (*job)(part);
      std::lock_guard lock(mutex_);
      if (--pending_ == 0)
        done_.notify_one();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  const std::function<void(unsigned)>* job_ = nullptr;
  std::size_t pending_ = 0;
  std::uint64_t generation_ = 0;
  std::vector<std::jthread> threads_;  // last: stopped and joined first
};

/// What one thread keeps between batches.
struct Worker {
  Worker(bool withReport, PlaceBook* places) : answerer(withReport, places) {}
  LineAnswerer answerer;
  std::string answers;
  bool failed = false;
};

/// Reads lines, answers them, writes the answers.
class JsonRunner {
 public:
  JsonRunner(InputSource& in, OutputSink& out, const JsonOptions& options)
      : in_(in), out_(out), buffer_(kReadBytes + kMaxLineBytes + 2) {
    const unsigned threads = std::max(1u, options.threads);
    for (unsigned i = 0; i < threads; ++i)
      workers_.push_back(std::make_unique<Worker>(options.withReport, options.places));
    if (threads > 1)
      helpers_ = std::make_unique<Helpers>(threads - 1);
  }

  /// Throws IoError.
  bool Run() {
    bool ended = false;
    while (true) {
      TakeLines(ended);
      if (!lines_.empty()) {
        AnswerLines();
        if (pending_.size() >= kWriteBytes)
          WritePending();
        continue;
      }
      if (ended)
        break;
      ended = !Fill();
    }
    WritePending();
    return anyFailed_;
  }

 private:
  /// Collects up to kBatchLines complete non-blank lines from the buffer;
  /// at the end of the input the last line needs no line feed.
  void TakeLines(bool ended) {
    lines_.clear();
    while (lines_.size() < kBatchLines && begin_ < end_) {
      const char* start = buffer_.data() + begin_;
      const auto* feed = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
      if (feed == nullptr && !ended)
        return;
      const std::size_t length =
          feed == nullptr ? end_ - begin_ : static_cast<std::size_t>(feed - start);
      begin_ += length + (feed == nullptr ? 0 : 1);
      const std::string_view line(start, length);
      if (skipping_) {  // the end of a line too long to answer
        skipping_ = false;
        continue;
      }
      if (WithoutCarriageReturn(line).size() > kMaxLineBytes)
        lines_.push_back(std::string_view{});  // answered as too long
      else if (!IsBlank(line))
        lines_.push_back(line);
    }
  }

  /// Reads more input after the unfinished line; false at the end. Writes
  /// the gathered answers first when the input would make the tool wait.
  bool Fill() {
    std::size_t kept = end_ - begin_;
    if (skipping_) {
      kept = 0;
    } else if (kept > kMaxLineBytes + 1) {  // room for the CR of a CR LF end
      // A line too long to answer: say so now, and drop the rest of it
      // as it comes.
      AppendErrorAnswer(pending_, TooLongMessage());
      anyFailed_ = true;
      skipping_ = true;
      kept = 0;
    }
    std::memmove(buffer_.data(), buffer_.data() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    if (!in_.Ready())
      WritePending();
    const std::size_t count = in_.Read(buffer_.data() + end_, buffer_.size() - end_);
    end_ += count;
    return count > 0;
  }

  /// A line as its length is judged: the CR of a CR LF end does not count.
  static std::string_view WithoutCarriageReturn(std::string_view line) noexcept {
    return !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
  }

  static std::string TooLongMessage() {
    return "line is longer than " + std::to_string(kMaxLineBytes) + " bytes";
  }

  /// Answers lines_ in order into pending_.
  void AnswerLines() {
    const std::size_t parts = ThreadsForLines(lines_, workers_.size());
    const auto answerPart = [this, parts](unsigned part) {
      if (part >= parts)
        return;
      Worker& worker = *workers_[part];
      // One thread answers straight into the output; several each into
      // their own buffer, joined in order afterwards.
      std::string& answers = parts == 1 ? pending_ : worker.answers;
      if (parts > 1)
        answers.clear();
      worker.failed = false;
      const std::size_t from = lines_.size() * part / parts;
      const std::size_t to = lines_.size() * (part + 1) / parts;
      for (std::size_t i = from; i < to; ++i) {
        if (lines_[i].data() == nullptr) {
          AppendErrorAnswer(answers, TooLongMessage());
          worker.failed = true;
        } else if (!worker.answerer.Answer(lines_[i], answers)) {
          worker.failed = true;
        }
      }
    };
    if (parts > 1)
      helpers_->RunAll(answerPart);
    else
      answerPart(0);
    for (std::size_t part = 0; part < parts; ++part) {
      if (parts > 1)
        pending_ += workers_[part]->answers;
      anyFailed_ = anyFailed_ || workers_[part]->failed;
    }
    lines_.clear();
  }

  void WritePending() {
    if (pending_.empty())
      return;
    out_.Write(pending_);
    pending_.clear();
  }

  InputSource& in_;
  OutputSink& out_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;   ///< first byte not yet taken
  std::size_t end_ = 0;     ///< end of the bytes read
  bool skipping_ = false;   ///< dropping the rest of a line too long to answer
  bool anyFailed_ = false;  ///< some line got an error answer
  std::vector<std::string_view> lines_;
  std::string pending_;  ///< answers not yet written
  std::vector<std::unique_ptr<Worker>> workers_;
  std::unique_ptr<Helpers> helpers_;  // last: its threads stop before the workers go
};

}  // namespace

std::size_t ThreadsForLines(std::span<const std::string_view> lines, std::size_t threads) {
  // A line's work: its cast, and reading it (a kibibyte of text costs about
  // a cast). Long lines share the threads as many short ones do.
  constexpr std::size_t kBytesPerCast = 1024;
  std::size_t work = 0;
  for (const std::string_view line : lines) {
    work += 1 + line.size() / kBytesPerCast;
  }
  const std::size_t wanted = std::max<std::size_t>(1, work / kLinesPerThread);
  return std::max<std::size_t>(1, std::min({threads, wanted, lines.size()}));
}

namespace {

/// The keys a line may hold beside the form entries, as Other() numbers them.
constexpr std::array<std::string_view, 8> kOtherKeys{
    "place", "sensitivity", "aspects", "orbs", "aspectSet", "ephemeris", "points", "transits"};
constexpr std::size_t kPlaceKey = 0;
constexpr std::size_t kSensitivityKey = 1;
constexpr std::size_t kAspectsKey = 2;
constexpr std::size_t kOrbsKey = 3;
constexpr std::size_t kAspectSetKey = 4;
constexpr std::size_t kEphemerisKey = 5;
constexpr std::size_t kPointsKey = 6;
constexpr std::size_t kTransitsKey = 7;

/// Whether the line holds `key` as written: the key between quotes.
bool Written(std::string_view line, const chartfile::LineValue& value, std::string_view key) {
  return value.kind != chartfile::LineValue::Kind::Missing &&
         line.find("\"" + std::string(key) + "\"") != std::string_view::npos;
}

/// The engine a line asks for: none when it names none, or the error text.
std::variant<std::optional<Ephemeris>, std::string> EphemerisOfLine(
    std::string_view line, const chartfile::LineValue& value) {
  if (!Written(line, value, kOtherKeys[kEphemerisKey]))
    return std::optional<Ephemeris>();
  const std::optional<Ephemeris> ephemeris = value.kind == chartfile::LineValue::Kind::String
                                                 ? EphemerisFromName(value.text)
                                                 : std::nullopt;
  if (!ephemeris) {
    return std::string("key \"ephemeris\" must be \"builtin\" or \"swiss\"");
  }
  return ephemeris;
}

/// The moment of the transits a line asks for: none when it asks for none
/// (no key, or false), the moment the tool runs for true, else the date or
/// moment given; or the error text.
std::variant<std::optional<double>, std::string> TransitsOfLine(std::string_view line,
                                                                const chartfile::LineValue& value) {
  if (!Written(line, value, kOtherKeys[kTransitsKey]))
    return std::optional<double>();
  if (value.kind == chartfile::LineValue::Kind::Boolean)
    return value.boolean ? std::optional<double>(TransitMomentNow()) : std::nullopt;
  if (value.kind != chartfile::LineValue::Kind::String) {
    return std::string(
        "key \"transits\" must be a UT date YYYY-MM-DD or moment YYYY-MM-DDTHH:MM, or true "
        "for now");
  }
  auto at = ReadTransitMoment(value.text);
  if (const auto* reason = std::get_if<std::string>(&at))
    return "key \"transits\"" + *reason;
  return std::optional<double>(std::get<double>(at));
}

}  // namespace

bool LineAnswerer::Answer(std::string_view line, std::string& out) {
  const std::size_t start = out.size();
  try {
    if (std::optional<std::string> error = reader_.Parse(line, kOtherKeys)) {
      AppendErrorAnswer(out, *error);
      return false;
    }
    // A line with a "place" key may leave out the entries the finder fills.
    // Only the key as written counts, and not in a line nested too deep.
    std::optional<PlaceRequest> request;
    if (places_ != nullptr &&
        reader_.Other(kPlaceKey).kind != chartfile::LineValue::Kind::Missing &&
        line.find("\"place\"") != std::string_view::npos &&
        !chartfile::NestsDeeperThan(line, chartfile::kMostJsonNesting)) {
      auto read = ReadPlaceRequest(reader_.Other(kPlaceKey), reader_);
      if (const auto* message = std::get_if<std::string>(&read)) {
        AppendErrorAnswer(out, *message);
        return false;
      }
      request = std::move(std::get<PlaceRequest>(read));
    }
    // Only the keys as written ask for aspects, and not in a line nested too deep.
    std::optional<AspectSettings> aspectSettings;
    if (!chartfile::NestsDeeperThan(line, chartfile::kMostJsonNesting)) {
      auto settings = SettingsFromLine(line, reader_.Other(kAspectsKey), reader_.Other(kOrbsKey),
                                       reader_.Other(kAspectSetKey));
      if (const auto* message = std::get_if<std::string>(&settings)) {
        AppendErrorAnswer(out, *message);
        return false;
      }
      aspectSettings = std::get<std::optional<AspectSettings>>(settings);
    }
    auto engine = EphemerisOfLine(line, reader_.Other(kEphemerisKey));
    if (const auto* message = std::get_if<std::string>(&engine)) {
      AppendErrorAnswer(out, *message);
      return false;
    }
    const std::optional<Ephemeris> ephemeris = std::get<std::optional<Ephemeris>>(engine);
    auto transitsAt = TransitsOfLine(line, reader_.Other(kTransitsKey));
    if (const auto* message = std::get_if<std::string>(&transitsAt)) {
      AppendErrorAnswer(out, *message);
      return false;
    }
    // The boolean keys answer a value of another kind with an error, as
    // "aspects" does.
    const auto points = BooleanOfLine(line, reader_.Other(kPointsKey), kOtherKeys[kPointsKey]);
    const auto sensitivityAsked =
        BooleanOfLine(line, reader_.Other(kSensitivityKey), kOtherKeys[kSensitivityKey]);
    for (const auto* asked : {&points, &sensitivityAsked}) {
      if (const auto* message = std::get_if<std::string>(asked)) {
        AppendErrorAnswer(out, *message);
        return false;
      }
    }
    const bool withPoints = std::get<bool>(points);
    chartfile::EntriesOrError parsed =
        request ? reader_.Entries(PlaceFieldKeys()) : reader_.Entries();
    if (const auto* message = std::get_if<std::string>(&parsed)) {
      AppendErrorAnswer(out, *message);
      return false;
    }
    FormEntries& entries = std::get<FormEntries>(parsed);
    std::optional<PlaceChoice> choice;
    if (request) {
      SetPlaceholders(request->leftOut, entries);
      if (const std::optional<std::string> problem = places::QueryProblem(request->query)) {
        AppendErrorAnswer(out, "key \"place\": " + *problem);
        return false;
      }
      auto found = FindPlace(*places_, request->query);
      if (const auto* message = std::get_if<std::string>(&found)) {
        AppendErrorAnswer(out, *message);
        return false;
      }
      choice = ChoosePlace(std::get<places::Place>(found), entries);
      FillFromPlace(*choice, request->leftOut, entries);
    }
    const std::optional<AnswerZone> zone =
        choice ? std::optional<AnswerZone>(AnswerZone{*choice, entries}) : std::nullopt;
    const CastResult result = session_.CastChart(entries, ephemeris.value_or(Ephemeris::BuiltIn));
    if (const auto* rejection = std::get_if<Rejection>(&result)) {
      AppendRejectionAnswer(out, *rejection, zone ? &*zone : nullptr);
    } else {
      // With a chosen place, sensitivity times are its own clock's. Only the
      // word as written asks for them.
      const chartfile::LineValue& sensitivity = reader_.Other(kSensitivityKey);
      const bool withSensitivity = sensitivity.kind == chartfile::LineValue::Kind::Boolean &&
                                   sensitivity.boolean &&
                                   line.find("sensitivity") != std::string_view::npos;
      const PlaceClock clock = choice ? places::ClockOfZone(choice->place.zone) : PlaceClock();
      const std::optional<ChartAspects> aspects =
          aspectSettings
              ? std::optional<ChartAspects>(session_.Aspects(*aspectSettings, withPoints))
              : std::nullopt;
      AppendChartAnswer(out, std::get<ChartView>(result), session_, withReport_, withSensitivity,
                        choice ? &clock : nullptr, zone ? &*zone : nullptr,
                        aspects ? &*aspects : nullptr, ephemeris.has_value(), withPoints);
      if (const std::optional<double> at = std::get<std::optional<double>>(transitsAt)) {
        // The transits join the answer's object as its last member.
        std::string member;
        if (const auto message = AppendTransitsMember(
                member, session_, aspectSettings.value_or(DefaultAspectSettings()), *at)) {
          out.resize(start);
          AppendErrorAnswer(out, "key \"transits\": " + *message);
          return false;
        }
        out.resize(out.size() - 2);  // the answer's closing "}\n"
        out += ',' + member + "}\n";
      }
    }
    return true;
  } catch (const std::exception& error) {
    out.resize(start);
    AppendErrorAnswer(out, std::string("the chart could not be cast: ") + error.what());
    return false;
  }
}

int RunJson(InputSource& in, OutputSink& out, std::ostream& err, const JsonOptions& options) {
  try {
    JsonRunner runner(in, out, options);
    return runner.Run() ? kExitFailed : kExitOk;
  } catch (const IoError& error) {
    err << "zodivane-chart: " << error.what() << '\n';
    return kExitFailed;
  }
}

}  // namespace zodivane::chart_tool

// Timing, summaries of repeated samples and the report table.
#pragma once

#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// Milliseconds since an arbitrary start, from the performance counter.
double NowMs();

class Stopwatch {
 public:
  Stopwatch() : start_(NowMs()) {}
  double Ms() const { return NowMs() - start_; }

 private:
  double start_;
};

struct Summary {
  double median = 0;
  double min = 0;
  double max = 0;
  int count = 0;
};

// The median (the mean of the middle two for an even count), minimum and maximum.
Summary Summarize(std::vector<double> samples);

// One line of the report: the measure, the folder it was taken on, its figures and,
// where a target is set, the ratio or difference the target is about and the verdict.
struct Row {
  std::string measure;
  std::string size;
  std::optional<Summary> value;
  std::string unit;
  std::string ratio;
  std::string target;
};

// The table with a head of free lines above it; plain ASCII, one row per line.
std::string FormatTable(const std::vector<std::string>& head, const std::vector<Row>& rows);

// Numbers as the report writes them: "1,234.5" style with the given decimals.
std::string Fixed(double value, int decimals);
std::string Count(long long value);

// Progress goes to a file that the running script shows as it grows, or else to stderr;
// each line carries the seconds since the program started.
class Progress {
 public:
  explicit Progress(const std::wstring& path);
  void operator()(const std::string& line);

 private:
  std::ofstream file_;
  Stopwatch clock_;
};

}  // namespace bench

#include "Measure.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace bench {

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

Summary Summarize(std::vector<double> samples) {
  Summary s;
  if (samples.empty()) return s;
  std::sort(samples.begin(), samples.end());
  const size_t n = samples.size();
  s.count = static_cast<int>(n);
  s.min = samples.front();
  s.max = samples.back();
  s.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
  return s;
}

std::string Count(long long value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
    digits.insert(static_cast<size_t>(i), ",");
  return value < 0 ? "-" + digits : digits;
}

std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
  const std::string text = buffer;
  const size_t point = text.find('.');
  const std::string result = Count(std::stoll(text.substr(0, point))) +
                             (point == std::string::npos ? "" : text.substr(point));
  // A value that rounds to zero shows no sign.
  const bool negative = value < 0 && result.find_first_not_of("0.,") != std::string::npos;
  return negative ? "-" + result : result;
}

namespace {

std::string Figure(double value) {
  // Three significant figures are plenty for repeated timings under Wine.
  if (value >= 100) return Fixed(value, 0);
  if (value >= 10) return Fixed(value, 1);
  return Fixed(value, 2);
}

std::string Pad(const std::string& text, size_t width, bool right) {
  if (text.size() >= width) return text;
  const std::string fill(width - text.size(), ' ');
  return right ? fill + text : text + fill;
}

}  // namespace

std::string FormatTable(const std::vector<std::string>& head, const std::vector<Row>& rows) {
  const std::vector<std::string> titles = {"measure", "size",  "median", "min",
                                           "max",     "ratio", "target"};
  std::vector<std::vector<std::string>> cells;
  for (const Row& row : rows) {
    std::vector<std::string> line = {row.measure, row.size, "-", "-", "-", row.ratio, row.target};
    if (row.value) {
      line[2] = Figure(row.value->median) + " " + row.unit;
      line[3] = Figure(row.value->min);
      line[4] = Figure(row.value->max);
    }
    cells.push_back(line);
  }
  std::vector<size_t> widths;
  for (const auto& title : titles) widths.push_back(title.size());
  for (const auto& line : cells) {
    for (size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], line[i].size());
  }
  // Figures line up on the right, words on the left.
  const std::vector<bool> right = {false, true, true, true, true, false, false};
  auto format = [&](const std::vector<std::string>& line) {
    std::string text;
    for (size_t i = 0; i < line.size(); ++i) {
      if (i) text += " | ";
      text += Pad(line[i], widths[i], right[i]);
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text + "\n";
  };
  std::string table;
  for (const auto& line : head) table += line + "\n";
  table += "\n" + format(titles);
  std::string rule;
  for (size_t i = 0; i < widths.size(); ++i) rule += (i ? "-+-" : "") + std::string(widths[i], '-');
  table += rule + "\n";
  for (const auto& line : cells) table += format(line);
  return table;
}

Progress::Progress(const std::wstring& path) {
  if (!path.empty()) file_.open(std::filesystem::path(path), std::ios::out | std::ios::trunc);
}

void Progress::operator()(const std::string& line) {
  const std::string stamped = "[" + Fixed(clock_.Ms() / 1000, 0) + " s] " + line;
  if (file_) {
    file_ << stamped << std::endl;
  } else {
    std::fprintf(stderr, "%s\n", stamped.c_str());
  }
}

}  // namespace bench

#include "tools/render/FrameStats.h"

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr double kSlowMs = 33.0;

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

int CountOver(const std::vector<double>& v, double limit) {
  return static_cast<int>(std::count_if(v.begin(), v.end(), [limit](double ms) { return ms > limit; }));
}

void PrintRow(std::FILE* out, const std::string& name, const std::vector<double>& v) {
  std::fprintf(out, "%-36s %7zu %7.2f %7.2f %7.2f %8.2f %5d\n", name.c_str(), v.size(),
               FrameStats::Percentile(v, 0.5), FrameStats::Percentile(v, 0.95), FrameStats::Percentile(v, 0.99),
               v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()), CountOver(v, kSlowMs));
}

}  // namespace

FrameStats::~FrameStats() { CloseCsv(); }

bool FrameStats::OpenCsv(const std::string& path) {
  CloseCsv();
  csv = std::fopen(path.c_str(), "w");
  csvFailed = false;
  if (csv && std::fputs("demo_ms,scene,ms\n", csv) < 0) csvFailed = true;
  return csv != nullptr;
}

void FrameStats::Add(int demoMs, const std::string& scene, double ms) {
  auto it = times.find(scene);
  if (it == times.end()) {
    order.push_back(scene);
    it = times.emplace(scene, std::vector<double>()).first;
  }
  it->second.push_back(ms);
  all.push_back(ms);
  lastCpuMs = CpuMs();
  if (all.size() == 1) firstCpuMs = lastCpuMs;
  if (csv && std::fprintf(csv, "%d,%s,%.3f\n", demoMs, scene.c_str(), ms) < 0) csvFailed = true;
}

void FrameStats::Print(std::FILE* out) const {
  std::fprintf(out, "%-36s %7s %7s %7s %7s %8s %5s\n", "scene window", "frames", "median", "p95", "p99", "max ms",
               ">33ms");
  for (const std::string& scene : order) PrintRow(out, scene, times.at(scene));
  PrintRow(out, "whole run", all);
  if (all.size() > 1)
    std::fprintf(out, "CPU time per frame, all threads: %.2f ms\n",
                 (lastCpuMs - firstCpuMs) / static_cast<double>(all.size() - 1));
  std::fprintf(out, "peak resident memory: %.1f MiB\n", PeakResidentMiB());
}

bool FrameStats::CloseCsv() {
  if (!csv) return !csvFailed;
  if (std::fclose(csv) != 0) csvFailed = true;
  csv = nullptr;
  return !csvFailed;
}

double FrameStats::Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  // Nearest rank: the smallest value with at least p of all values at or below it.
  const double rank = std::ceil(p * static_cast<double>(values.size()));
  const std::size_t i = rank < 1.0 ? 0 : static_cast<std::size_t>(rank) - 1;
  return values[std::min(i, values.size() - 1)];
}

double FrameStats::PeakResidentMiB() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0.0;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

double FrameStats::ProcessAgeMs() {
  std::ifstream file("/proc/self/stat");
  std::string line;
  if (!std::getline(file, line)) return -1.0;
  // Field 22, the start time in clock ticks after boot; counted after the
  // command name, which ends at the last ')'.
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos) return -1.0;
  std::istringstream fields(line.substr(close + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  if (!fields) return -1.0;
  const long ticks = sysconf(_SC_CLK_TCK);
  timespec now{};
  if (ticks <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1.0;
  const double startMs = std::strtod(field.c_str(), nullptr) * 1000.0 / static_cast<double>(ticks);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 - startMs;
}

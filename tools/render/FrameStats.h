#pragma once
// Frame-time statistics of an offline run: per scene window the median, 95th
// and 99th percentile and the longest frame, the frames over 33 ms (two
// refreshes at 60 Hz), the peak resident memory, and optionally one CSV line
// per frame.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

class FrameStats {
 public:
  ~FrameStats();

  // Writes "demo_ms,scene,ms" and then one line per added frame to `path`.
  // False (and no CSV) when the file cannot be created.
  bool OpenCsv(const std::string& path);

  // One drawn frame: its demo time, its scene window and what it took.
  // Also notes the process's CPU time, for the CPU cost per frame (all
  // threads), which a busy machine disturbs less than the wall-clock times.
  void Add(int demoMs, const std::string& scene, double ms);

  // The table, one row per scene window in the order first seen, then the
  // whole run, the frames over 33 ms and the peak resident memory.
  void Print(std::FILE* out) const;

  // Closes the CSV; false when a write to it failed.
  bool CloseCsv();

  // Nearest-rank percentile p (0..1) of `values`; 0 for none.
  static double Percentile(std::vector<double> values, double p);

  // The process's peak resident memory so far, in MiB (0 when unknown).
  static double PeakResidentMiB();

  // Milliseconds since the process started (to the kernel's 10 ms clock
  // tick; -1 when unknown).
  static double ProcessAgeMs();

 private:
  std::map<std::string, std::vector<double>> times;
  std::vector<std::string> order;
  std::vector<double> all;
  double firstCpuMs = 0.0, lastCpuMs = 0.0;
  std::FILE* csv = nullptr;
  bool csvFailed = false;
};

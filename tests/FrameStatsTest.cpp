#include "tools/render/FrameStats.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

TEST(FrameStats, PercentilesAreNearestRank) {
  std::vector<double> v;
  for (int i = 100; i >= 1; --i) v.push_back(i);  // unsorted on purpose
  EXPECT_EQ(FrameStats::Percentile(v, 0.5), 50.0);
  EXPECT_EQ(FrameStats::Percentile(v, 0.95), 95.0);
  EXPECT_EQ(FrameStats::Percentile(v, 0.99), 99.0);
  EXPECT_EQ(FrameStats::Percentile(v, 1.0), 100.0);
  EXPECT_EQ(FrameStats::Percentile({7.0}, 0.99), 7.0);
  EXPECT_EQ(FrameStats::Percentile({3.0, 1.0}, 0.5), 1.0);
  EXPECT_EQ(FrameStats::Percentile({}, 0.5), 0.0);
}

TEST(FrameStats, WritesOneCsvLinePerFrameAndATableRowPerSceneWindow) {
  TempFolder dir;
  ASSERT_FALSE(dir.path.empty());
  const std::string csvPath = dir / "times.csv";
  const std::string tablePath = dir / "table.txt";
  {
    FrameStats stats;
    EXPECT_FALSE(stats.OpenCsv(dir / "missing/times.csv"));
    ASSERT_TRUE(stats.OpenCsv(csvPath));
    stats.Add(17, "flower (65000-75000)", 12.5);
    stats.Add(33, "flower (65000-75000)", 40.25);
    stats.Add(50, "no scene", 1.0);
    EXPECT_TRUE(stats.CloseCsv());
    std::FILE* table = std::fopen(tablePath.c_str(), "w");
    ASSERT_NE(table, nullptr);
    stats.Print(table);
    std::fclose(table);
  }
  std::ifstream csv(csvPath);
  std::stringstream csvText;
  csvText << csv.rdbuf();
  EXPECT_EQ(csvText.str(),
            "demo_ms,scene,ms\n17,flower (65000-75000),12.500\n33,flower (65000-75000),40.250\n50,no scene,1.000\n");

  std::ifstream tableFile(tablePath);
  std::vector<std::string> lines;
  for (std::string line; std::getline(tableFile, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 5u);
  // Frames, median, p95, p99, max, frames over 33 ms; windows in the order first seen.
  char name[64];
  int frames = 0, slow = 0;
  double median = 0, p95 = 0, p99 = 0, max = 0;
  ASSERT_EQ(std::sscanf(lines[1].c_str(), "flower (65000-75000) %d %lf %lf %lf %lf %d", &frames, &median, &p95, &p99,
                        &max, &slow), 6);
  EXPECT_EQ(frames, 2);
  EXPECT_DOUBLE_EQ(median, 12.5);
  EXPECT_DOUBLE_EQ(p99, 40.25);
  EXPECT_DOUBLE_EQ(max, 40.25);
  EXPECT_EQ(slow, 1);
  ASSERT_EQ(std::sscanf(lines[2].c_str(), "%63s scene %d", name, &frames), 2);
  EXPECT_STREQ(name, "no");
  EXPECT_EQ(frames, 1);
  ASSERT_EQ(std::sscanf(lines[3].c_str(), "whole run %d", &frames), 1);
  EXPECT_EQ(frames, 3);
}

// pcm_lag A B MAXLAG: where two mono float PCM files (raw 32-bit little-endian)
// line up best. Prints the lag of B against A in samples (positive: B is late)
// and the normalised cross-correlation there, over lags -MAXLAG..MAXLAG.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

static std::vector<float> Load(const char* path) {
  std::vector<float> v;
  if (std::FILE* f = std::fopen(path, "rb")) {
    float buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, sizeof(float), 4096, f)) > 0) v.insert(v.end(), buf, buf + n);
    std::fclose(f);
  }
  return v;
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: pcm_lag A.f32 B.f32 MAXLAG\n");
    return 2;
  }
  const std::vector<float> a = Load(argv[1]), b = Load(argv[2]);
  const long maxLag = std::atol(argv[3]);
  const long n = static_cast<long>(std::min(a.size(), b.size()));
  if (n <= 2 * maxLag) {
    std::fprintf(stderr, "pcm_lag: too few samples (%zu, %zu)\n", a.size(), b.size());
    return 2;
  }
  long best = 0;
  double bestCorr = -2;
  for (long lag = -maxLag; lag <= maxLag; ++lag) {
    double ab = 0, aa = 0, bb = 0;
    for (long i = maxLag; i < n - maxLag; ++i) {
      const double x = a[i], y = b[i + lag];
      ab += x * y;
      aa += x * x;
      bb += y * y;
    }
    const double corr = aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
    if (corr > bestCorr) bestCorr = corr, best = lag;
  }
  std::printf("%ld %.4f\n", best, bestCorr);
  return 0;
}

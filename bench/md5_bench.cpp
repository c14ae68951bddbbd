// Throughput of the plugin-file digest against OpenSSL's MD5 on the same
// data, in the same run: 16 KiB blocks, as the digest reads files.
#include <benchmark/benchmark.h>
#include <openssl/md5.h>

#include <vector>

#include "digest/Md5.h"

namespace {

const std::vector<std::uint8_t>& data() {
  static const std::vector<std::uint8_t> d = [] {
    std::vector<std::uint8_t> v(8u << 20);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = std::uint8_t((i * 2654435761u) >> 11);
    return v;
  }();
  return d;
}

void Lingvora(benchmark::State& state) {
  const auto& d = data();
  for (auto _ : state) {
    lingvora::Md5 md5;
    for (std::size_t at = 0; at < d.size(); at += lingvora::kDigestBlockSize)
      md5.update(d.data() + at, lingvora::kDigestBlockSize);
    benchmark::DoNotOptimize(md5.finish());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations() * d.size()));
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
void OpenSsl(benchmark::State& state) {
  const auto& d = data();
  for (auto _ : state) {
    MD5_CTX ctx;
    MD5_Init(&ctx);
    for (std::size_t at = 0; at < d.size(); at += lingvora::kDigestBlockSize)
      MD5_Update(&ctx, d.data() + at, lingvora::kDigestBlockSize);
    unsigned char out[16];
    MD5_Final(out, &ctx);
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations() * d.size()));
}
#pragma GCC diagnostic pop

BENCHMARK(Lingvora)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(OpenSsl)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

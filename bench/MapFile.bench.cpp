// Reading and writing map files. Goal: a 256 x 256 map reads in under 100 ms
// and writes in under 100 ms. Every sheet stays loaded for the whole run, so
// the times are those of the file and the world state, not of image decoding.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "BenchMaps.h"
#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "headless/GameHarness.h"
#include "world/MapFile.h"
#include "world/WorldState.h"

namespace {

void PutFile(const char* name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary);
  out << bytes;
}

void BM_ReadMapFile(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const std::string bytes = BenchMapText(size, size);
  PutFile("bench.map", bytes);
  for (auto _ : state) ReadMapFile(L"bench.map");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  ClearMap();
}
BENCHMARK(BM_ReadMapFile)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_WriteMapFile(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const std::string bytes = BenchMapText(size, size);
  ReadMapFromBytes(bytes);
  for (auto _ : state) WriteMapFile(L"bench-out.map");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  ClearMap();
}
BENCHMARK(BM_WriteMapFile)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_ReadMapFromBytes(benchmark::State& state) {
  const std::string bytes = BenchMapText(256, 256);
  for (auto _ : state) ReadMapFromBytes(bytes);
  ClearMap();
}
BENCHMARK(BM_ReadMapFromBytes)->Unit(benchmark::kMillisecond);

void BM_WriteMapToBytes(benchmark::State& state) {
  ReadMapFromBytes(BenchMapText(256, 256));
  for (auto _ : state) benchmark::DoNotOptimize(WriteMapToBytes());
  ClearMap();
}
BENCHMARK(BM_WriteMapToBytes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // A headless platform and a scratch working directory that sees res/.
  TGameHarness harness;
  RegisterTextures();
  for (TTexture* texture : RegisteredTextures()) texture->Acquire();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  ClearMap();
  for (TTexture* texture : RegisteredTextures()) texture->Release();
  FreeTextures();
  return 0;
}

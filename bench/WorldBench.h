#pragma once
// The main of the world benchmarks that need no window: a headless platform,
// a scratch working directory that sees res/, and every texture registered and
// kept loaded for the whole run, so that the times are not those of image decoding.

#include <benchmark/benchmark.h>

#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "headless/GameHarness.h"
#include "world/WorldState.h"

inline int RunWorldBenchmarks(int argc, char** argv) {
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

#include <gtest/gtest.h>

#include "RecordingMemoryApi.h"
#include "memory/FileCacheInformation.h"
#include "memory/MemorySampler.h"

namespace {

constexpr std::uint64_t MiB = 1024ull * 1024;
constexpr std::uint64_t GiB = 1024 * MiB;

class MemorySamplerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TRecordingMemoryApi::Reset();
    auto& memory = TRecordingMemoryApi::MemoryAnswer;
    memory.ullTotalPhys = 16 * GiB;
    memory.ullAvailPhys = 4 * GiB;
    memory.ullTotalPageFile = 20 * GiB;
    memory.ullAvailPageFile = 15 * GiB;
  }

  static void AnswerFileCache(std::uint64_t current, std::uint64_t peak) {
    TSystemFileCacheInformation cache{};
    cache.CurrentSize = current;
    cache.PeakSize = peak;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&cache);
    TRecordingMemoryApi::QueryAnswer.assign(bytes, bytes + sizeof(cache));
  }

  TMemoryApi FApi = TRecordingMemoryApi::Table();
};

TEST_F(MemorySamplerTest, FillsAllThreeMeasures) {
  // A cache above 4 GiB: its sizes must not be cut to 32 bits.
  AnswerFileCache(3 * GiB, 6 * GiB);
  MemoryStatus status;
  QueryMemoryStatus(status, FApi);

  EXPECT_EQ(status.TotalPhys, 16 * GiB);
  EXPECT_EQ(status.AvailPhys, 4 * GiB);
  EXPECT_FLOAT_EQ(status.PercentPhys, 75.0f);
  EXPECT_EQ(status.TotalPageFile, 20 * GiB);
  EXPECT_EQ(status.AvailPageFile, 15 * GiB);
  EXPECT_FLOAT_EQ(status.PercentPageFile, 25.0f);
  EXPECT_EQ(status.TotalCache, 6 * GiB);
  EXPECT_EQ(status.AvailCache, 3 * GiB);
  EXPECT_FLOAT_EQ(status.PercentCache, 50.0f);
  // The native 64-bit block, which a 64-bit process must pass.
  ASSERT_EQ(TRecordingMemoryApi::QueryLengths.size(), 1u);
  EXPECT_EQ(TRecordingMemoryApi::QueryLengths[0], 64u);
}

TEST_F(MemorySamplerTest, CacheAtItsPeakReadsFullyUsed) {
  AnswerFileCache(900 * MiB, 900 * MiB);
  MemoryStatus status;
  QueryMemoryStatus(status, FApi);
  EXPECT_EQ(status.AvailCache, 0u);
  EXPECT_FLOAT_EQ(status.PercentCache, 100.0f);
}

TEST_F(MemorySamplerTest, FailedFileCacheQueryLeavesCacheFieldsUntouched) {
  TRecordingMemoryApi::QueryStatus = static_cast<TMemoryApi::NtStatus>(0xC0000004);
  MemoryStatus status;
  status.AvailCache = 11;
  status.TotalCache = 22;
  status.PercentCache = 33;
  QueryMemoryStatus(status, FApi);

  EXPECT_EQ(status.AvailCache, 11u);
  EXPECT_EQ(status.TotalCache, 22u);
  EXPECT_FLOAT_EQ(status.PercentCache, 33.0f);
  EXPECT_EQ(status.TotalPhys, 16 * GiB);
  EXPECT_FLOAT_EQ(status.PercentPhys, 75.0f);
  EXPECT_FLOAT_EQ(status.PercentPageFile, 25.0f);

  MemoryStatus fresh;
  QueryMemoryStatus(fresh, FApi);
  EXPECT_EQ(fresh.AvailCache, 0u);
  EXPECT_EQ(fresh.TotalCache, 0u);
  EXPECT_EQ(fresh.PercentCache, 0.0f);
}

TEST_F(MemorySamplerTest, FailedMemoryStatusReadsZero) {
  TRecordingMemoryApi::MemoryResult = FALSE;
  AnswerFileCache(1, 2);
  MemoryStatus status;
  status.TotalPhys = 99;
  QueryMemoryStatus(status, FApi);
  EXPECT_EQ(status.TotalPhys, 0u);
  EXPECT_EQ(status.AvailPageFile, 0u);
  EXPECT_EQ(status.PercentPhys, 0.0f);
  EXPECT_EQ(status.PercentPageFile, 0.0f);
}

TEST(MemorySamplerOnThisSystem, AgreesWithGlobalMemoryStatusEx) {
  MemoryStatus status;
  QueryMemoryStatus(status);
  MEMORYSTATUSEX expected{};
  expected.dwLength = sizeof(expected);
  ASSERT_TRUE(::GlobalMemoryStatusEx(&expected));

  EXPECT_NE(status.TotalPhys, 0u);
  EXPECT_NE(status.TotalPageFile, 0u);
  EXPECT_EQ(status.TotalPhys, expected.ullTotalPhys);
  EXPECT_EQ(status.TotalPageFile, expected.ullTotalPageFile);
  EXPECT_GT(status.PercentPhys, 0.0f);
  EXPECT_LE(status.PercentPhys, 100.0f);
}

}  // namespace

#include "app/SessionMemory.h"

#include <gtest/gtest.h>

namespace {

class SessionMemoryTest : public ::testing::Test {
 protected:
  void TearDown() override { SessionMemory::Clear(); }
};

TEST_F(SessionMemoryTest, AnIdNeverWrittenReportsNoRecordAndYieldsNoValues) {
  SessionMemoryReader reader(9);
  EXPECT_EQ(reader.version, SessionMemoryReader::kNoRecord);
  int value = 7;
  EXPECT_FALSE(reader >> value);
  EXPECT_EQ(SessionMemory::Get(9), "");
}

TEST_F(SessionMemoryTest, ValuesComeBackInTheOrderTheyWereWritten) {
  {
    SessionMemoryWriter writer(10);
    writer << 3 << '\n' << 1 << '\n' << true << '\n';
  }
  EXPECT_EQ(SessionMemory::Get(10), "1\n3\n1\n1\n");
  SessionMemoryReader reader(10);
  EXPECT_EQ(reader.version, 1);
  int level = 0, size = 0;
  bool shown = false;
  EXPECT_TRUE(reader >> level >> size >> shown);
  EXPECT_EQ(level, 3);
  EXPECT_EQ(size, 1);
  EXPECT_TRUE(shown);
}

TEST_F(SessionMemoryTest, ASecondWriteReplacesTheFirstAndClearForgetsAll) {
  { SessionMemoryWriter(3) << 2 << '\n'; }
  { SessionMemoryWriter(3) << 5 << '\n'; }
  { SessionMemoryWriter(8) << 1 << '\n'; }
  EXPECT_EQ(SessionMemory::Get(3), "1\n5\n");
  SessionMemory::Clear();
  EXPECT_EQ(SessionMemoryReader(3).version, SessionMemoryReader::kNoRecord);
  EXPECT_EQ(SessionMemoryReader(8).version, SessionMemoryReader::kNoRecord);
}

TEST_F(SessionMemoryTest, ARecordThatIsNotANumberKeepsTheNoRecordVersion) {
  SessionMemory::Put(16, "x\n1\n");
  EXPECT_EQ(SessionMemoryReader(16).version, SessionMemoryReader::kNoRecord);
}

}  // namespace

#include <gtest/gtest.h>
#include <tinyxml.h>

int main(int argc, char** argv) {
  TiXmlBase::SetCondenseWhiteSpace(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

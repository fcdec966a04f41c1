// A program linked with the handheld's flag object takes its definition of
// the build over the library's: the about text shows the handheld version.
#include <gtest/gtest.h>

#include "forms/about/AboutText.h"

namespace {

TEST(HandheldVersion, TheHandheldProgramShowsItsVersion) {
  EXPECT_TRUE(aboutform::HandheldBuild());
  const std::wstring text = aboutform::ComposeAboutText(aboutform::HandheldBuild(), L"c", L"y");
  EXPECT_NE(text.find(L"version 1.2\n\r"), std::wstring::npos);
}

}  // namespace

// A program whose host says it is the handheld: the about text shows the
// handheld version.
#include <gtest/gtest.h>

#include "forms/about/AboutText.h"
#include "forms/common/ProgramHost.h"
#include "platform/handheld/program_host.h"

namespace {

TEST(HandheldVersion, TheHandheldProgramShowsItsVersion) {
  InstallProgramHost(handheld::Host());
  EXPECT_TRUE(aboutform::HandheldBuild());
  const std::wstring text = aboutform::ComposeAboutText(aboutform::HandheldBuild(), L"c", L"y");
  EXPECT_NE(text.find(L"version 1.2\n\r"), std::wstring::npos);
  InstallProgramHost({});
}

}  // namespace

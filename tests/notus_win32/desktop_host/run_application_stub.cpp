#include "desktop_fixture.h"
#include "startup/RunApplication.h"

namespace desktop_test {
std::function<int()> run_application;
}

int RunApplication(const ProgramHost&) { return desktop_test::run_application ? desktop_test::run_application() : 0; }

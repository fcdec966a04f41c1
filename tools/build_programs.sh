# Sourced by run.sh and test.sh: builds the two programs, and only them, in
# Release in build/, the way a player gets them.  Warnings are errors in
# every configuration, so an optimised build's own warnings fail here too.
tavlin_build_programs() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
  cmake --build build -j"$(nproc)" --target tavlin tavlin_handheld
}

// engine_bench: speed of the puzzle engine. Build Release, then:
//
//   engine_bench solve FILE [--count M]
//       Solves each 9x9 puzzle of FILE (one per line, 81 characters, '0' or
//       '.' for an empty cell) with all sixteen techniques and the search,
//       checks every solution (complete, consistent, givens kept) and prints
//       puzzles per second, per-puzzle time percentiles and the count of
//       each result code.
//   engine_bench generate [--size N] [--level L] [--count M] [--first-seed S]
//       For box sizes 2, 3, 4 and levels 1..5 (or just N and/or L), generates
//       puzzles with srand(S) .. srand(S+M-1) (default 1 and 20) and prints the
//       median, 90th percentile and maximum time, the mean rating, the mean
//       number of givens, the mean number of solved candidates (the
//       generator's iterations), and a checksum of the puzzles (it must not
//       change when only the speed of the engine changes).
//   engine_bench make-puzzles [--level L] [--count M] [--first-seed S]
//       Prints M 9x9 puzzles of level L (default 5) made by our generator
//       from seeds S, S+1, ... (default 1), in the format `solve` reads.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/CSudokuGeneratorLevels.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::string mode;
  std::string file;
  unsigned size = 0;   // 0: every size
  unsigned level = 0;  // 0: every level
  unsigned count = 0;  // 0: the mode's default
  unsigned firstSeed = 1;
};

[[noreturn]] void Usage() {
  std::fprintf(stderr,
               "usage: engine_bench solve FILE [--count M]\n"
               "       engine_bench generate [--size N] [--level L] [--count M] [--first-seed S]\n"
               "       engine_bench make-puzzles [--level L] [--count M] [--first-seed S]\n");
  std::exit(2);
}

// Says on one line why the arguments are refused, then shows the usage.
[[noreturn]] void Refuse(const std::string& why) {
  std::fprintf(stderr, "engine_bench: %s\n", why.c_str());
  Usage();
}

Options Parse(int argc, char** argv) {
  if (argc < 2) Refuse("no mode given (solve, generate or make-puzzles)");
  Options options;
  options.mode = argv[1];
  if (options.mode != "solve" && options.mode != "generate" && options.mode != "make-puzzles") {
    Refuse("unknown mode '" + options.mode + "' (solve, generate or make-puzzles)");
  }
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    auto number = [&]() -> unsigned {
      if (i + 1 >= argc) Refuse(arg + " needs a value");
      const std::string value = argv[++i];
      errno = 0;
      const unsigned long parsed = std::strtoul(value.c_str(), nullptr, 10);
      if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos || errno == ERANGE ||
          parsed > std::numeric_limits<unsigned>::max()) {
        Refuse(arg + " takes a whole number, not '" + value + "'");
      }
      return static_cast<unsigned>(parsed);
    };
    if (arg == "--size") {
      options.size = number();
    } else if (arg == "--level") {
      options.level = number();
    } else if (arg == "--count") {
      options.count = number();
    } else if (arg == "--first-seed") {
      options.firstSeed = number();
    } else if (!arg.empty() && arg[0] == '-') {
      Refuse("unknown option " + arg);
    } else if (options.mode == "solve" && options.file.empty()) {
      options.file = arg;
    } else {
      Refuse("unexpected argument '" + arg + "'");
    }
  }
  if (options.mode == "solve" && options.file.empty()) Refuse("solve needs a FILE of puzzles");
  if (options.size != 0 && (options.size < 2 || options.size > 4)) {
    Refuse("--size must be 2, 3 or 4 (the box size), not " + std::to_string(options.size));
  }
  if (options.level > 5) Refuse("--level must be 1 to 5, not " + std::to_string(options.level));
  return options;
}

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Value at fraction q of the sorted times (nearest rank).
double Percentile(std::vector<double> times, double q) {
  std::sort(times.begin(), times.end());
  const std::size_t rank = static_cast<std::size_t>(q * static_cast<double>(times.size() - 1) + 0.5);
  return times[rank];
}

const char* const kLevelNames[] = {"", "Beginner", "Intermediate", "Advanced", "Master", "Sorcerer"};

template <unsigned N>
void GenerateRow(unsigned level, unsigned count, unsigned firstSeed) {
  constexpr std::uint32_t cells = N * N * N * N;
  std::vector<double> times;
  double ratingSum = 0;
  double givensSum = 0;
  double iterationsSum = 0;
  unsigned belowTarget = 0;
  std::uint32_t checksum = 2166136261u;  // FNV-1a over every puzzle made
  for (unsigned seed = firstSeed; seed < firstSeed + count; ++seed) {
    std::unique_ptr<CSudokuGenerator<N>> generator = MakeLevelGenerator<N>(level);
    std::srand(seed);
    const Clock::time_point start = Clock::now();
    generator->Generate(nullptr);
    times.push_back(Milliseconds(Clock::now() - start));
    ratingSum += generator->GetBestRating();
    iterationsSum += generator->GetIterations();
    belowTarget += generator->GetBestRating() < generator->GetTargetRating();
    const std::uint8_t* values = generator->GetTable().values;
    givensSum +=
        static_cast<double>(std::count_if(values, values + cells, [](std::uint8_t v) { return v != kEmptyValue; }));
    for (std::uint32_t cell = 0; cell < cells; ++cell) checksum = (checksum ^ values[cell]) * 16777619u;
  }
  std::printf("| %2ux%-2u | %-12s | %5u | %10.2f | %10.2f | %10.2f | %8.1f | %6.1f | %8.0f | %5u | %08x |\n", N * N,
              N * N, kLevelNames[level], count, Percentile(times, 0.5), Percentile(times, 0.9),
              *std::max_element(times.begin(), times.end()), ratingSum / count, givensSum / count,
              iterationsSum / count, belowTarget, checksum);
  std::fflush(stdout);
}

int Generate(const Options& options) {
  const unsigned count = options.count ? options.count : 20;
  std::printf(
      "| size  | level        | seeds | median ms  | p90 ms     | max ms     "
      "| rating   | givens | solved   | below | puzzles  |\n");
  std::printf(
      "|-------|--------------|-------|------------|------------|------------"
      "|----------|--------|----------|-------|----------|\n");
  for (unsigned n = 2; n <= 4; ++n) {
    if (options.size && options.size != n) continue;
    for (unsigned level = 1; level <= 5; ++level) {
      if (options.level && options.level != level) continue;
      if (n == 2) GenerateRow<2>(level, count, options.firstSeed);
      if (n == 3) GenerateRow<3>(level, count, options.firstSeed);
      if (n == 4) GenerateRow<4>(level, count, options.firstSeed);
    }
  }
  std::printf(
      "(solved: mean number of candidate puzzles the level's techniques solved while removing digits;\n"
      " below: puzzles whose rating stayed under the level's target because the removals ran out;\n"
      " puzzles: a checksum of every puzzle made, equal between builds when the results are)\n");
  return 0;
}

int MakePuzzles(const Options& options) {
  const unsigned count = options.count ? options.count : 100;
  const unsigned level = options.level ? options.level : 5;
  for (unsigned seed = options.firstSeed; seed < options.firstSeed + count; ++seed) {
    std::unique_ptr<CSudokuGenerator<3>> generator = MakeLevelGenerator<3>(level);
    std::srand(seed);
    generator->Generate(nullptr);
    char line[82] = {};
    for (std::uint32_t cell = 0; cell < 81; ++cell) {
      const std::uint8_t v = generator->GetTable().values[cell];
      line[cell] = v == kEmptyValue ? '.' : static_cast<char>('1' + v);
    }
    std::printf("%s\n", line);
  }
  return 0;
}

bool ReadPuzzle(const std::string& line, std::uint8_t (&values)[81]) {
  if (line.size() < 81) return false;
  for (std::uint32_t cell = 0; cell < 81; ++cell) {
    const char ch = line[cell];
    if (ch == '0' || ch == '.') {
      values[cell] = kEmptyValue;
    } else if (ch >= '1' && ch <= '9') {
      values[cell] = static_cast<std::uint8_t>(ch - '1');
    } else {
      return false;
    }
  }
  return true;
}

bool IsSolutionOf(const std::uint8_t (&puzzle)[81], const std::uint8_t* solution) {
  std::uint32_t rows[9] = {}, columns[9] = {}, boxes[9] = {};
  for (std::uint32_t cell = 0; cell < 81; ++cell) {
    const std::uint8_t v = solution[cell];
    if (v >= 9) return false;
    if (puzzle[cell] != kEmptyValue && puzzle[cell] != v) return false;
    const std::uint32_t bit = 1u << v;
    const std::uint32_t box = (cell / 27) * 3 + (cell % 9) / 3;
    if ((rows[cell / 9] | columns[cell % 9] | boxes[box]) & bit) return false;
    rows[cell / 9] |= bit;
    columns[cell % 9] |= bit;
    boxes[box] |= bit;
  }
  return true;
}

int Solve(const Options& options) {
  std::ifstream in(options.file);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", options.file.c_str());
    return 1;
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  if (options.count && options.count < lines.size()) lines.resize(options.count);

  CSudokuSolver<3> solver;
  const std::uint32_t allTechniques[] = {0, 1, 2, 3, 5, 4, 6, 7, 9, 8, 10, 11, 12, 13, 14, 15};
  solver.SetPatterns(allTechniques, 16);
  std::map<std::uint32_t, unsigned> results;
  std::vector<double> times;
  unsigned bad = 0;
  unsigned wrong = 0;
  const Clock::time_point begin = Clock::now();
  for (const std::string& line : lines) {
    std::uint8_t puzzle[81];
    if (!ReadPuzzle(line, puzzle)) {
      ++bad;
      continue;
    }
    std::copy(std::begin(puzzle), std::end(puzzle), solver.GetTable().values);
    const Clock::time_point start = Clock::now();
    const std::uint32_t result = solver.Solve(nullptr);
    times.push_back(Milliseconds(Clock::now() - start));
    ++results[result];
    if (result == SolveResult::kSolved && !IsSolutionOf(puzzle, solver.GetTable().values)) ++wrong;
  }
  const double total = Milliseconds(Clock::now() - begin);
  if (times.empty()) {
    std::fprintf(stderr, "no puzzles in %s\n", options.file.c_str());
    return 1;
  }
  std::printf("| puzzles | puzzles/s | median ms | p90 ms | max ms | results |\n");
  std::printf("|---------|-----------|-----------|--------|--------|---------|\n");
  std::string codes;
  for (const auto& [code, n] : results) codes += std::to_string(code) + ": " + std::to_string(n) + "  ";
  std::printf("| %7zu | %9.0f | %9.3f | %6.3f | %6.3f | %s|\n", times.size(), 1000.0 * times.size() / total,
              Percentile(times, 0.5), Percentile(times, 0.9), *std::max_element(times.begin(), times.end()),
              codes.c_str());
  std::printf(
      "(puzzles: the puzzles run; puzzles/s: over the whole run; median, p90, max ms: the time to solve one puzzle;\n"
      " results: code: how many puzzles ended with it, the codes being those of the solver's Solve:\n"
      "   %u solved (each solution is checked: complete, consistent, givens kept),\n"
      "   %u undecided (the search lost a branch point on the way and cannot tell),\n"
      "   %u no solution (every branch ended in a contradiction),\n"
      "   %u gave up (%u branch points and still open))\n",
      SolveResult::kSolved, SolveResult::kStuck, SolveResult::kNoSolution, SolveResult::kTooManyBranches,
      CSudokuSolver<3>::kMaxBranches);
  if (bad) std::printf("%u unreadable lines skipped\n", bad);
  if (wrong) std::printf("%u WRONG SOLUTIONS\n", wrong);
  return wrong ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = Parse(argc, argv);
  if (options.mode == "solve") return Solve(options);
  if (options.mode == "generate") return Generate(options);
  return MakePuzzles(options);
}

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
//   engine_bench make-puzzles [--size N] [--level L] [--count M] [--first-seed S]
//       Prints M puzzles of box size N (default 3) and level L (default 5)
//       made by our generator from seeds S, S+1, ... (default 1), one per
//       line ('.' empty, '1'..'9' then 'A'..'G'): the format `solve` (9x9)
//       and `count` read.
//   engine_bench count FILE [--count M]
//       Counts the solutions (stopping at the second) of each 9x9 or 16x16
//       puzzle of FILE, as opening a puzzle file does, and of two variants
//       of it: one clue removed (mostly several solutions) and one clue
//       changed to another digit its row, column and box allow (mostly no
//       solution, which takes the whole search to prove). Prints per size
//       and kind the median, 90th percentile and maximum CPU time, the most
//       trial digits, and the count of each verdict.

#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/CSolutionCounter.h"
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
               "       engine_bench make-puzzles [--size N] [--level L] [--count M] [--first-seed S]\n"
               "       engine_bench count FILE [--count M]\n");
  std::exit(2);
}

// Says on one line why the arguments are refused, then shows the usage.
[[noreturn]] void Refuse(const std::string& why) {
  std::fprintf(stderr, "engine_bench: %s\n", why.c_str());
  Usage();
}

Options Parse(int argc, char** argv) {
  if (argc < 2) Refuse("no mode given (solve, generate, make-puzzles or count)");
  Options options;
  options.mode = argv[1];
  if (options.mode != "solve" && options.mode != "generate" && options.mode != "make-puzzles" &&
      options.mode != "count") {
    Refuse("unknown mode '" + options.mode + "' (solve, generate, make-puzzles or count)");
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
    } else if ((options.mode == "solve" || options.mode == "count") && options.file.empty()) {
      options.file = arg;
    } else {
      Refuse("unexpected argument '" + arg + "'");
    }
  }
  if ((options.mode == "solve" || options.mode == "count") && options.file.empty())
    Refuse(options.mode + " needs a FILE of puzzles");
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

char Symbol(std::uint8_t value) {
  return value == kEmptyValue ? '.' : value < 9 ? static_cast<char>('1' + value) : static_cast<char>('A' + value - 9);
}

template <unsigned N>
void MakePuzzlesOfSize(unsigned level, unsigned count, unsigned firstSeed) {
  for (unsigned seed = firstSeed; seed < firstSeed + count; ++seed) {
    std::unique_ptr<CSudokuGenerator<N>> generator = MakeLevelGenerator<N>(level);
    std::srand(seed);
    generator->Generate(nullptr);
    std::string line;
    for (const std::uint8_t v : generator->GetTable().values) line += Symbol(v);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }
}

int MakePuzzles(const Options& options) {
  const unsigned count = options.count ? options.count : 100;
  const unsigned level = options.level ? options.level : 5;
  switch (options.size ? options.size : 3) {
    case 2: MakePuzzlesOfSize<2>(level, count, options.firstSeed); break;
    case 3: MakePuzzlesOfSize<3>(level, count, options.firstSeed); break;
    default: MakePuzzlesOfSize<4>(level, count, options.firstSeed); break;
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

// The CPU time of this thread: on a machine shared with other builds the
// wall clock mostly measures them.
double ThreadCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Times, most trial digits and verdicts of one size and kind of `count`.
struct CountRow {
  std::vector<double> times;
  std::uint32_t mostGuesses = 0;
  std::map<std::string, unsigned> verdicts;
};

const char* VerdictName(SolutionCount::Result result) {
  switch (result) {
    case SolutionCount::Result::kBrokenRules: return "broken";
    case SolutionCount::Result::kNone: return "none";
    case SolutionCount::Result::kOne: return "one";
    case SolutionCount::Result::kSeveral: return "several";
    case SolutionCount::Result::kUndecided: return "undecided";
  }
  return "?";
}

// The digits a cell's row, column and box leave it, the cell's own aside.
template <unsigned N>
std::uint16_t AllowedDigits(const std::vector<std::uint8_t>& values, std::uint32_t cell) {
  constexpr std::uint32_t S = N * N;
  const std::uint32_t row = cell / S, column = cell % S, box = (row / N) * N + column / N;
  std::uint16_t used = 0;
  for (std::uint32_t other = 0; other < S * S; ++other) {
    if (other == cell || values[other] == kEmptyValue) continue;
    const std::uint32_t r = other / S, c = other % S, b = (r / N) * N + c / N;
    if (r == row || c == column || b == box) used = static_cast<std::uint16_t>(used | 1u << values[other]);
  }
  return static_cast<std::uint16_t>(CTSize<N>::FullMask & ~used);
}

template <unsigned N>
void CountVariants(const std::vector<std::uint8_t>& puzzle, unsigned index, CountRow (&rows)[3]) {
  CSolutionCounter<N> counter;
  auto time = [&](const std::vector<std::uint8_t>& values, CountRow& row) {
    const double start = ThreadCpuMilliseconds();
    const SolutionCount::Result result = counter.Count(values.data());
    row.times.push_back(ThreadCpuMilliseconds() - start);
    row.mostGuesses = std::max(row.mostGuesses, counter.GetGuesses());
    ++row.verdicts[VerdictName(result)];
  };
  time(puzzle, rows[0]);
  // The variants pick their clue by the puzzle's place in the file, so
  // every run measures the same grids.
  std::vector<std::uint32_t> clues;
  for (std::uint32_t cell = 0; cell < puzzle.size(); ++cell)
    if (puzzle[cell] != kEmptyValue) clues.push_back(cell);
  if (clues.empty()) return;
  const std::uint32_t clue = clues[(index * 7919u) % clues.size()];
  std::vector<std::uint8_t> removed = puzzle;
  removed[clue] = kEmptyValue;
  time(removed, rows[1]);
  const std::uint16_t others = static_cast<std::uint16_t>(AllowedDigits<N>(puzzle, clue) & ~(1u << puzzle[clue]));
  if (others == 0) return;
  std::vector<std::uint8_t> changed = puzzle;
  changed[clue] = static_cast<std::uint8_t>(std::countr_zero(others));
  time(changed, rows[2]);
}

int Count(const Options& options) {
  std::ifstream in(options.file);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", options.file.c_str());
    return 1;
  }
  CountRow rows[2][3];  // 9x9, 16x16; as is, a clue removed, a clue changed
  unsigned read = 0, bad = 0;
  for (std::string line; std::getline(in, line) && (!options.count || read < options.count);) {
    if (line.empty() || line[0] == '#') continue;
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    const unsigned side = line.size() == 81 ? 9 : line.size() == 256 ? 16 : 0;
    std::vector<std::uint8_t> values;
    for (const char ch : line) {
      const unsigned v = ch >= '1' && ch <= '9'   ? unsigned(ch - '1')
                         : ch >= 'A' && ch <= 'G' ? unsigned(9 + ch - 'A')
                                                  : 255;
      if (v != 255 && v >= side) break;
      if (v == 255 && ch != '.' && ch != '0') break;
      values.push_back(static_cast<std::uint8_t>(v));
    }
    if (side == 0 || values.size() != line.size()) {
      ++bad;
      continue;
    }
    if (side == 9)
      CountVariants<3>(values, read, rows[0]);
    else
      CountVariants<4>(values, read, rows[1]);
    ++read;
  }
  if (read == 0) {
    std::fprintf(stderr, "no puzzles in %s\n", options.file.c_str());
    return 1;
  }
  const char* const kinds[] = {"as is", "a clue removed", "a clue changed"};
  std::printf(
      "| size  | puzzle         | count | median ms | p90 ms  | max ms  | most trials | verdicts |  (CPU time)\n");
  std::printf("|-------|----------------|-------|-----------|---------|---------|-------------|----------|\n");
  for (unsigned size = 0; size < 2; ++size) {
    for (unsigned kind = 0; kind < 3; ++kind) {
      const CountRow& row = rows[size][kind];
      if (row.times.empty()) continue;
      std::string verdicts;
      for (const auto& [name, n] : row.verdicts) verdicts += name + ": " + std::to_string(n) + "  ";
      std::printf("| %-5s | %-14s | %5zu | %9.3f | %7.3f | %7.3f | %11u | %s|\n", size ? "16x16" : "9x9", kinds[kind],
                  row.times.size(), Percentile(row.times, 0.5), Percentile(row.times, 0.9),
                  *std::max_element(row.times.begin(), row.times.end()), row.mostGuesses, verdicts.c_str());
    }
  }
  std::printf(
      "(most trials: the most trial digits one count placed; the counter gives up as undecided past %u\n"
      " for 9x9 and %u for 16x16)\n",
      CSolutionCounter<3>::kDefaultMaxGuesses, CSolutionCounter<4>::kDefaultMaxGuesses);
  if (bad) std::printf("%u unreadable lines skipped\n", bad);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = Parse(argc, argv);
  if (options.mode == "solve") return Solve(options);
  if (options.mode == "generate") return Generate(options);
  if (options.mode == "count") return Count(options);
  return MakePuzzles(options);
}

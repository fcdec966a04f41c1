// Bounded reads and the atomic replace: a read stops at its limit and reads
// regular files only, the file holds exactly the new bytes after a replace,
// with the mode of the file it replaced, a replace that cannot finish leaves
// what was there and no temporary file and is reported, and the temporary
// files of killed runs are recognised and removed.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/GuardedXml.h"
#include "base/PathBytes.h"
#include "base/SmallFile.h"
#include "base/utf.h"
#include "tests/support/FifoWatchdog.h"
#include "tests/support/ScopedInstalls.h"

namespace {

class SmallFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installed.Install(&SetReplaceFailureReporter);
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-atomic-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // What the folder holds, by name: a left-over temporary file shows here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path folder;
  test_support::ScopedInstalls installed;
};

TEST_F(SmallFileTest, WritesAndReplacesWholeFiles) {
  const std::string path = (folder / "settings.xml").string();
  ASSERT_TRUE(ReplaceFileAtomically(path, "a longer first version"));
  EXPECT_EQ(Read(path), "a longer first version");

  // A shorter version leaves nothing of the longer one behind it.
  ASSERT_TRUE(ReplaceFileAtomically(path, std::string("sh\0rt", 5)));
  EXPECT_EQ(Read(path), std::string("sh\0rt", 5));

  ASSERT_TRUE(ReplaceFileAtomically(path, ""));
  EXPECT_EQ(Read(path), "");
  EXPECT_EQ(Names(), std::vector<std::string>{"settings.xml"});
}

TEST_F(SmallFileTest, AFailedReplaceLeavesWhatWasThere) {
  // No folder to put the temporary file in.
  EXPECT_FALSE(ReplaceFileAtomically((folder / "missing" / "file").string(), "bytes"));

  // The rename fails: a folder stands where the file should go.  The folder
  // stays, and the temporary file written beside it is removed again.
  std::filesystem::create_directory(folder / "taken");
  std::ofstream(folder / "taken" / "inside", std::ios::binary) << "kept";
  EXPECT_FALSE(ReplaceFileAtomically((folder / "taken").string(), "bytes"));
  EXPECT_EQ(Read(folder / "taken" / "inside"), "kept");
  EXPECT_EQ(Names(), std::vector<std::string>{"taken"});
}

TEST_F(SmallFileTest, ReadsStopAtTheirLimit) {
  const std::string path = (folder / "users.txt").string();
  ASSERT_TRUE(ReplaceFileAtomically(path, "0123456789"));
  EXPECT_EQ(ReadSmallFile(path, 10), "0123456789");
  EXPECT_EQ(ReadSmallFile(path, 9), std::nullopt) << "a longer file is refused, not cut";
  EXPECT_EQ(ReadFileStart(path, 4), "0123");
  EXPECT_EQ(ReadFileStart(path, 40), "0123456789");
  EXPECT_EQ(ReadSmallFile((folder / "missing").string(), 10), std::nullopt);
}

TEST_F(SmallFileTest, WidePathsNameTheSameFiles) {
  const std::wstring path = utf8_to_wide(folder.string()) + L"/sp\u00E9l\u00E9.xml";
  ASSERT_TRUE(ReplaceFileAtomically(path, "bytes"));
  EXPECT_EQ(Read(folder / "sp\xC3\xA9l\xC3\xA9.xml"), "bytes");
  EXPECT_EQ(ReadSmallFile(path, 5), "bytes");
  EXPECT_EQ(ReadFileStart(path, 2), "by");
}

// A FIFO would block the reader in open until some process writes to it,
// a device would feed it without end or do worse: only regular files are
// read, and the refusal comes at once.
TEST_F(SmallFileTest, OnlyRegularFilesAreRead) {
  const std::string fifo = (folder / "users.txt").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::vector<std::pair<const char*, std::function<bool()>>> readers = {
      {"ReadSmallFile", [&] { return ReadSmallFile(fifo, 100).has_value(); }},
      {"ReadFileStart", [&] { return ReadFileStart(fifo, 100).has_value(); }},
      {"wide ReadSmallFile", [&] { return ReadSmallFile(PathFromBytes(fifo), 100).has_value(); }},
      {"LoadGuardedXml",
       [&] {
         TiXmlDocument document;
         return LoadGuardedXml(fifo, 100, document);
       }},
  };
  for (const auto& [name, read] : readers) {
    SCOPED_TRACE(name);
    bool readSomething = true;
    EXPECT_TRUE(ReturnsAtOnceOnFifo(fifo, [&] { readSomething = read(); })) << "blocked on the FIFO";
    EXPECT_FALSE(readSomething);
  }

  EXPECT_EQ(ReadFileStart("/dev/zero", 3), std::nullopt);
  EXPECT_EQ(ReadSmallFile("/dev/null", 10), std::nullopt);
  EXPECT_EQ(ReadSmallFile(folder.string(), 10), std::nullopt) << "a folder";

  // A link to a regular file is followed.
  ASSERT_TRUE(ReplaceFileAtomically((folder / "real.xml").string(), "<r/>"));
  std::filesystem::create_symlink(folder / "real.xml", folder / "link.xml");
  EXPECT_EQ(ReadSmallFile((folder / "link.xml").string(), 10), "<r/>");
}

struct ModeCase {
  const char* name;
  std::optional<mode_t> existing;  // the replaced file's mode; none for a new file
  mode_t umask;
  mode_t expected;
};
void PrintTo(const ModeCase& c, std::ostream* out) { *out << c.name; }

class ReplacedFileMode : public SmallFileTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ReplacedFileMode, FollowsTheReplacedFileOrTheUmask) {
  const ModeCase& c = GetParam();
  const std::string path = (folder / "UserSettings0.xml").string();
  if (c.existing) {
    std::ofstream(path, std::ios::binary) << "old";
    ASSERT_EQ(chmod(path.c_str(), *c.existing), 0);
  }
  const mode_t saved = umask(c.umask);
  const bool replaced = ReplaceFileAtomically(path, "new");
  umask(saved);
  ASSERT_TRUE(replaced);
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, c.expected) << std::oct << (status.st_mode & 07777);
  EXPECT_EQ(Read(path), "new");
}

INSTANTIATE_TEST_SUITE_P(Table, ReplacedFileMode,
                         ::testing::Values(ModeCase{"NewUnderUmask022", std::nullopt, 022, 0644},
                                           ModeCase{"NewUnderUmask077", std::nullopt, 077, 0600},
                                           ModeCase{"Existing0640", 0640, 022, 0640},
                                           ModeCase{"Existing0666UnderUmask077", 0666, 077, 0666}),
                         [](const auto& info) { return std::string(info.param.name); });

// Sets the soft limit on the size of the files the process writes, and puts
// it back; with SIGXFSZ ignored a write past it fails as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_;
};

TEST_F(SmallFileTest, AFailedReplaceIsReportedWithItsFolder) {
  std::vector<std::string> reported;
  SetReplaceFailureReporter([&](const std::string& folderBytes) { reported.push_back(folderBytes); });
  const std::string base = folder.string() + "/";

  ASSERT_TRUE(ReplaceFileAtomically(base + "users.txt", "saved"));
  EXPECT_TRUE(reported.empty()) << "a save that works is not reported";

  // No folder for the temporary file; named through a wide path in a folder
  // that is not UTF-8, whose bytes the report gives back exactly.
  EXPECT_FALSE(ReplaceFileAtomically(PathFromBytes(base + "j\xF6rg/users.txt"), "bytes"));
  // A folder stands where the file should go: the rename fails.
  std::filesystem::create_directory(folder / "taken");
  EXPECT_FALSE(ReplaceFileAtomically(base + "taken", "bytes"));
  // The writing fails, as on a full disk.
  {
    FileSizeLimit limit(4);
    EXPECT_FALSE(ReplaceFileAtomically(base + "users.txt", std::string(100, 'x')));
  }
  EXPECT_EQ(reported, (std::vector<std::string>{base + "j\xF6rg/", base, base}));
  EXPECT_EQ(Read(base + "users.txt"), "saved");
  EXPECT_EQ(Names(), (std::vector<std::string>{"taken", "users.txt"}));

  // The quiet replace works alike and tells nobody.
  EXPECT_FALSE(ReplaceFileQuietly(base + "taken", "bytes"));
  ASSERT_TRUE(ReplaceFileQuietly(base + "users.txt", "quiet"));
  EXPECT_EQ(Read(base + "users.txt"), "quiet");
  EXPECT_EQ(reported.size(), 3u) << "the quiet replace reports nothing";

  SetReplaceFailureReporter({});
  EXPECT_FALSE(ReplaceFileAtomically(base + "taken", "bytes"));
  EXPECT_EQ(reported.size(), 3u) << "a removed reporter is not called";
}

// Sets the file's (or link's) modification time.
void SetModified(const std::filesystem::path& path, timespec when) {
  const timespec times[2] = {when, when};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

timespec DaysAgo(int days) { return timespec{time(nullptr) - days * 24 * 60 * 60, 0}; }

TEST_F(SmallFileTest, OnlyStaleTemporaryFilesOfOursAreRemoved) {
  const std::vector<std::string> stale = {"users.txt.tavlin-tmp.Ab3dE9", "UserSettings0.xml.tavlin-tmp.000000"};
  const std::vector<std::string> foreign = {
      "users.txt",                        // the file itself
      "users.txt.Ab3dE9",                 // a mkstemp name of any program
      "users.txt.tavlin-tmp.Ab3dE",       // five characters
      "users.txt.tavlin-tmp.Ab3dE9.bak",  // something after them
      "users.txt.tavlin-tmp.Ab-dE9",      // not a letter or digit
      ".tavlin-tmp.Ab3dE9",               // no file name in front
      "users.txt.tavlin-tmpXAb3dE9",
  };
  for (const std::string& name : stale) std::ofstream(folder / name) << "partial";
  for (const std::string& name : foreign) std::ofstream(folder / name) << "kept";
  // Of our form, but a folder and a link: not files we write.
  std::filesystem::create_directory(folder / "old.tavlin-tmp.Dir000");
  std::filesystem::create_symlink(folder / "users.txt", folder / "link.tavlin-tmp.Lnk000");
  for (const auto& entry : std::filesystem::directory_iterator(folder)) SetModified(entry.path(), DaysAgo(2));
  // Newer than this process: perhaps a save that is running now.
  const std::string fresh = "users.txt.tavlin-tmp.Xy12Z0";
  std::ofstream(folder / fresh) << "being written";
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  SetModified(folder / fresh, now);

  RemoveStaleTemporaryFiles(folder.string());

  std::vector<std::string> expected = foreign;
  expected.insert(expected.end(), {"old.tavlin-tmp.Dir000", "link.tavlin-tmp.Lnk000", fresh});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(), expected);
}

// A process killed between making the temporary file and the rename leaves
// the file behind; the next run recognises it by its name and removes it.
// The kill comes deterministically from the file size limit: SIGXFSZ ends
// the writer in the middle of its write.
TEST_F(SmallFileTest, TheTemporaryFileOfAKilledSaveIsRemovedByTheNextRun) {
  const std::string path = (folder / "users.txt").string();
  ASSERT_TRUE(ReplaceFileAtomically(path, "old"));
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    rlimit limited{};
    getrlimit(RLIMIT_FSIZE, &limited);
    limited.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &limited);
    signal(SIGXFSZ, SIG_DFL);
    ReplaceFileAtomically(path, std::string(100, 'x'));
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;

  std::vector<std::string> names = Names();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "users.txt");
  const std::string leftover = names[1];
  EXPECT_EQ(Read(folder / leftover), "xxxx");

  // Made after this process started, it could be a save running now.
  RemoveStaleTemporaryFiles(folder.string());
  EXPECT_EQ(Names(), names);
  // From an earlier run, it is removed.
  SetModified(folder / leftover, DaysAgo(1));
  RemoveStaleTemporaryFiles(PathFromBytes(folder.string()));
  EXPECT_EQ(Names(), std::vector<std::string>{"users.txt"});
  EXPECT_EQ(Read(path), "old");
}

}  // namespace

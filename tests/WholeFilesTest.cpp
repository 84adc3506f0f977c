// The one writer on real failures: a file size limit, a folder that cannot
// be written, several files of which the second fails. An existing file must
// keep its bytes, and no temporary file may stay behind.

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "ReadWhole.h"
#include "Tr.h"
#include "WholeFiles.h"

namespace {

class WholeFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "whole-files-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (const std::string& name : Entries()) ::unlink((dir_ + "/" + name).c_str());
    ::rmdir(dir_.c_str());
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::set<std::string> Entries() const {
    std::set<std::string> names;
    DIR* d = ::opendir(dir_.c_str());
    while (const dirent* e = d == nullptr ? nullptr : ::readdir(d)) {
      if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) {
        names.insert(e->d_name);
      }
    }
    if (d != nullptr) ::closedir(d);
    return names;
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::string dir_;
};

TEST_F(WholeFiles, AFileSizeLimitLeavesTheOldFileAndNoTemporary) {
  const std::string keep = Path("keep.png");
  Put(keep, "the old picture");
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // As under a CI runner or a Python parent: SIGXFSZ ignored, so writes past
    // the limit fail with EFBIG instead of killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::optional<std::string> error = files::WriteWhole(keep, std::string(4096, 'x'));
    const std::string message = error.value_or("");
    (void)!::write(pipeFds[1], message.data(), message.size());
    ::_exit(error ? 0 : 1);
  }
  ::close(pipeFds[1]);
  char buffer[512] = {};
  const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer - 1);
  ::close(pipeFds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write did not fail";
  const std::string message(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
  EXPECT_NE(message.find(keep), std::string::npos) << message;
  EXPECT_NE(message.find(files::Reason(EFBIG)), std::string::npos) << message;
  EXPECT_EQ(Read(keep), "the old picture");
  EXPECT_EQ(Entries(), std::set<std::string>{"keep.png"});
}

TEST_F(WholeFiles, AFolderThatCannotBeWrittenNamesTheFileAndWhy) {
  // A path through a regular file fails with ENOTDIR, also for root, whom
  // permission bits do not stop.
  Put(Path("plain"), "");
  const std::string inside = Path("plain/out.svg");
  const std::optional<std::string> error = files::WriteWhole(inside, "<svg/>");
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find(inside), std::string::npos) << *error;
  EXPECT_NE(error->find(files::Reason(ENOTDIR)), std::string::npos) << *error;
  EXPECT_EQ(Entries(), std::set<std::string>{"plain"});
}

TEST_F(WholeFiles, SeveralFilesAreAllWrittenBeforeAnyIsReplaced) {
  const std::string first = Path("first.png");
  Put(first, "old first");
  ::chmod(first.c_str(), 0640);
  ASSERT_EQ(::mkdir(Path("folder").c_str(), 0755), 0);
  Put(Path("plain"), "");
  const files::Output failing[] = {{first, "new first"}, {Path("plain/second.svg"), "x"}};
  const std::optional<std::string> error = files::WriteWhole(failing);
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find("plain/second.svg"), std::string::npos) << *error;
  EXPECT_EQ(Read(first), "old first");
  EXPECT_EQ(Entries(), (std::set<std::string>{"first.png", "folder", "plain"}));

  // A folder as the target is refused before anything is written.
  const files::Output onFolder[] = {{first, "new first"}, {Path("folder"), "x"}};
  EXPECT_NE(files::WriteWhole(onFolder).value_or("").find(files::Reason(EISDIR)),
            std::string::npos);
  EXPECT_EQ(Read(first), "old first");

  // Both in place, the existing one with its mode, through a symbolic link
  // that still points where it did.
  ASSERT_EQ(::symlink("first.png", Path("link.png").c_str()), 0);
  const files::Output both[] = {{Path("link.png"), "new first"}, {Path("second.svg"), "x"}};
  EXPECT_EQ(files::WriteWhole(both), std::nullopt);
  EXPECT_EQ(Read(first), "new first");
  struct stat st {};
  ASSERT_EQ(::lstat(Path("link.png").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(::stat(first.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Read(Path("second.svg")), "x");
  ::rmdir(Path("folder").c_str());
  EXPECT_EQ(Entries(), (std::set<std::string>{"first.png", "link.png", "plain", "second.svg"}));
}

TEST_F(WholeFiles, APipeIsWrittenDirectlyAndStaysAPipe) {
  const std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(files::WriteWhole(fifo, "through the pipe"), std::nullopt);
  char buffer[64] = {};
  EXPECT_EQ(::read(reader, buffer, sizeof buffer), 16);
  ::close(reader);
  EXPECT_STREQ(buffer, "through the pipe");
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(Entries(), std::set<std::string>{"fifo"});
}

// The reasons a file commonly meets are the catalogue's, in the language of
// the run, each its own; any other is the system's, in English reading on in
// lower case after a colon.
TEST(Reason, CommonReasonsSpeakTheLanguageOfTheRun) {
  const auto ascii = [](const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
  };
  std::set<std::string> japanese;
  std::set<std::string> english;
  for (const int error :
       {ENOENT, EACCES, ENOTDIR, EISDIR, ENOSPC, EROFS, EFBIG, EDQUOT, ELOOP, ENAMETOOLONG}) {
    i18n::SetLanguage(i18n::Language::Japanese);
    const std::string ja = files::Reason(error);
    i18n::SetLanguage(i18n::Language::English);
    const std::string en = files::Reason(error);
    EXPECT_FALSE(ascii(ja)) << std::strerror(error) << ": " << ja;
    EXPECT_TRUE(ascii(en) && !en.empty() && en[0] >= 'a' && en[0] <= 'z') << en;
    japanese.insert(ja);
    english.insert(en);
  }
  EXPECT_EQ(japanese.size(), 10U);
  EXPECT_EQ(english.size(), 10U);
  std::string system = std::strerror(EIO);
  EXPECT_EQ(files::Reason(EIO),
            system.replace(0, 1, 1,
                           static_cast<char>(std::tolower(static_cast<unsigned char>(system[0])))));
  i18n::SetLanguage(i18n::Language::Japanese);
  EXPECT_EQ(files::Reason(EIO), std::strerror(EIO));
}

}  // namespace

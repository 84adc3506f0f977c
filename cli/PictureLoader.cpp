// Finding and loading the picture module: from the folder of the running
// tool (/proc/self/exe), beside it as in the build tree, or in the library
// folder of the installed layout relative to it (BEZIERLAB_PICTURES_FROM_BIN,
// from the install folders), so that the tool works wherever its prefix is.

#include <dlfcn.h>
#include <unistd.h>

#include <array>

#include "Pictures.h"
#include "Tr.h"

#ifndef BEZIERLAB_PICTURES_FROM_BIN
#define BEZIERLAB_PICTURES_FROM_BIN "../lib/bezierlab/report"
#endif

namespace cli {

namespace {

// The folder of the running program, without its last "/".
std::string ProgramFolder() {
  std::array<char, 4096> path{};
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return ".";
  const std::string program(path.data(), static_cast<std::size_t>(length));
  const std::size_t slash = program.rfind('/');
  return slash == std::string::npos ? "." : program.substr(0, slash);
}

// Where the module is: beside the program when it is there, else where the
// install puts it.
std::string ModulePath() {
  const std::string folder = ProgramFolder();
  std::string beside = folder + "/" + kPictureModule;
  if (::access(beside.c_str(), F_OK) == 0) return beside;
  return folder + "/" + BEZIERLAB_PICTURES_FROM_BIN + "/" + kPictureModule;
}

}  // namespace

std::variant<MakePicturesFunction, std::string> LoadPictures() {
  static void* module = nullptr;
  if (module == nullptr) module = ::dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
  void* entry = module != nullptr ? ::dlsym(module, kPictureEntry) : nullptr;
  if (entry == nullptr) {
    const char* reason = ::dlerror();
    return i18n::Format(i18n::Tr("画像を書くためのモジュールを読み込めません: %1"),
                        {reason != nullptr ? reason : kPictureModule});
  }
  return reinterpret_cast<MakePicturesFunction>(entry);  // NOLINT: dlsym's way
}

}  // namespace cli

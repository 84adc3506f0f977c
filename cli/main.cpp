// bezierlab-report: the window's scene, report and pictures from the command
// line. The program itself needs no Qt: its pictures come from the picture
// module, loaded only when one is asked for (Pictures.h).

#include <cstdio>
#include <string>
#include <vector>

#include "Tool.h"

int main(int argc, char* argv[]) {
  // The arguments as their bytes: a file name that is no UTF-8 still names
  // the file it was given as.
  const std::vector<std::string> arguments(argv, argv + argc);
  return cli::Run(arguments, stdin, stdout, stderr);
}

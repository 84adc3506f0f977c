// The yardstick for the report tool's process time: a program that starts a
// QCoreApplication and ends. Run by scripts/bench-tool.sh beside the tool.

#include <QCoreApplication>

int main(int argc, char* argv[]) {
  const QCoreApplication app(argc, argv);
  return 0;
}

#pragma once

// Runs the built bezierlab-report (its path comes from CMake as
// BEZIERLAB_REPORT_TOOL) and collects what it wrote and how it ended.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace testing_support {

struct ToolRun {
  int exitCode = -1;
  bool crashed = true;
  QByteArray out;
  QByteArray err;
};

inline ToolRun RunTool(
    const QStringList& arguments, const QByteArray& input = {},
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(BEZIERLAB_REPORT_TOOL), arguments);
  ToolRun run;
  if (!process.waitForStarted()) return run;
  process.write(input);
  process.closeWriteChannel();
  process.waitForFinished();
  run.crashed = process.exitStatus() != QProcess::NormalExit;
  run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

}  // namespace testing_support

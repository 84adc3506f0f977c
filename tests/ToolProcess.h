#pragma once

// Runs the built bezierlab-report (its path comes from CMake as
// BEZIERLAB_REPORT_TOOL) or another built program, directly or from a shell,
// and collects what it wrote and how it ended.

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

// Runs `program` with `arguments`, `input` on its standard input.
inline ToolRun RunProgram(const QString& program, const QStringList& arguments,
                          const QByteArray& input, const QProcessEnvironment& environment) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
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

inline ToolRun RunTool(
    const QStringList& arguments, const QByteArray& input = {},
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  return RunProgram(QStringLiteral(BEZIERLAB_REPORT_TOOL), arguments, input, environment);
}

// Runs `script` with sh in `folder`, as a CI job or a Python parent runs the
// tool: SIGXFSZ ignored, so a write past the size limit fails with EFBIG. $TOOL
// is the report tool (and $WINDOW the window program and $SCREENSHOT the
// screenshot tool, where they are known).
inline ToolRun RunShell(
    const QString& folder, const QString& script,
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) {
  QProcess shell;
  shell.setWorkingDirectory(folder);
  environment.insert("TOOL", BEZIERLAB_REPORT_TOOL);
#ifdef BEZIERLAB_WINDOW
  environment.insert("WINDOW", BEZIERLAB_WINDOW);
#endif
#ifdef BEZIERLAB_SCREENSHOT
  environment.insert("SCREENSHOT", BEZIERLAB_SCREENSHOT);
#endif
  shell.setProcessEnvironment(environment);
  shell.start("sh", {"-c", script});
  shell.waitForFinished();
  return {shell.exitCode(), shell.exitStatus() != QProcess::NormalExit,
          shell.readAllStandardOutput(), shell.readAllStandardError()};
}

}  // namespace testing_support

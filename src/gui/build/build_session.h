// One build from the window: generate, run the assembler as a child process without blocking the window,
// read the error file, and build again while a block asks for it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <string>

#include "codegen/build.h"

namespace tolmek {

class BuildSession final : public QObject {
  Q_OBJECT

 public:
  BuildSession(ProgramWriter& writer, std::string assembler, std::string source, QObject* parent = nullptr);
  ~BuildSession() override;

  // Starts the first run; Finished follows when the build is over (also when it could not start).
  void Start();
  [[nodiscard]] bool Running() const { return running_; }
  [[nodiscard]] const BuildResult& Result() const { return result_; }

 signals:
  // The last run is over; Result() tells how it went.
  void Finished();

 private:
  void RunOnce();
  void AssemblerEnded(int exitCode, QProcess::ExitStatus status);
  void AssemblerFailed(QProcess::ProcessError error);
  void Finish(bool counted);

  ProgramWriter& writer_;
  std::string assembler_;
  BuildResult result_;
  QPointer<QProcess> process_;
  bool running_ = false;
};

}  // namespace tolmek

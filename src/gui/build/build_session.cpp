// BuildSession: the build's steps around a QProcess, so that the window stays responsive meanwhile.
#include "gui/build/build_session.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/file_io.h"
#include "model/project.h"
#include "settings/ini_file.h"

namespace tolmek {

namespace {

namespace fs = std::filesystem;

// What an earlier build left beside the source is removed first, so that nothing stale is shown or measured.
void RemoveOutputsOf(const std::string& source) {
  const fs::path src(source);
  const fs::path dir = src.parent_path().empty() ? fs::path(".") : src.parent_path();
  const std::string stem = src.stem().string();
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    for (const char* ext : {".ERR", ".LST", ".HEX", ".COD"})
      if (EqualNoCase(name, stem + ext)) fs::remove(entry.path(), ec);
  }
}

std::optional<std::string> ReadText(const std::string& path) { return ReadFileBounded(path).bytes; }

}  // namespace

BuildSession::BuildSession(ProgramWriter& writer, std::string assembler, std::string source, QObject* parent)
    : QObject(parent), writer_(writer), assembler_(std::move(assembler)) {
  result_.SourcePath = std::move(source);
}

BuildSession::~BuildSession() {
  if (process_ && process_->state() != QProcess::NotRunning) {
    process_->disconnect(this);
    process_->kill();
    process_->waitForFinished(2000);
  }
}

void BuildSession::Start() {
  if (running_) return;
  running_ = true;
  RunOnce();
}

void BuildSession::RunOnce() {
  RemoveOutputsOf(result_.SourcePath);
  const GenerationResult gen = SaveSource(writer_, result_.SourcePath);
  result_.SourceWritten = gen.FileWritten;
  result_.OutOfRom = gen.OutOfRom;
  result_.Warnings = ChipWarnings(writer_.GetProject(), writer_.GetAnalysis());
  if (!gen.FileWritten) writer_.GetProject().Messages.ShowMessage(Msg::CannotSave, MessageMode::Error, result_.SourcePath);
  if (!gen.Buildable()) {
    Finish(false);
    return;
  }
  const std::vector<std::string> args = AssemblerArguments(assembler_, result_.SourcePath);
  QStringList rest;
  for (size_t i = 1; i < args.size(); ++i) rest << QString::fromStdString(args[i]);
  process_ = new QProcess(this);
  process_->setProcessChannelMode(QProcess::MergedChannels);
  // Include files named without a folder are looked for beside the source.
  const QString dir = QFileInfo(QString::fromStdString(result_.SourcePath)).absolutePath();
  process_->setWorkingDirectory(dir);
  connect(process_, &QProcess::finished, this, &BuildSession::AssemblerEnded);
  connect(process_, &QProcess::errorOccurred, this, &BuildSession::AssemblerFailed);
  process_->start(QString::fromStdString(args[0]), rest);
}

void BuildSession::AssemblerFailed(QProcess::ProcessError error) {
  if (error != QProcess::FailedToStart) return;
  result_.AssemblerStarted = false;
  process_->deleteLater();
  writer_.GetProject().Messages.ShowMessage(Msg::AssemblerNotFound);
  Finish(false);
}

void BuildSession::AssemblerEnded(int exitCode, QProcess::ExitStatus status) {
  ++result_.Runs;
  result_.AssemblerStarted = true;
  result_.ExitCode = status == QProcess::NormalExit ? exitCode : -1;
  const std::string output = process_->readAll().toStdString();
  process_->deleteLater();
  result_.ErrorPath = SiblingFile(result_.SourcePath, ".ERR");
  result_.ListingPath = SiblingFile(result_.SourcePath, ".LST");
  const auto text = ReadText(result_.ErrorPath);
  result_.ErrorText = text ? FilterErrorText(*text, result_.ErrorCount, result_.WarningCount) : std::string();
  // An assembler that failed without saying why in its error file still failed.
  if (result_.ExitCode != 0 && result_.ErrorCount == 0 && result_.ErrorText.empty()) result_.ErrorText = output;

  // Every block is asked, so that each include block corrects its length in this one round.
  bool accepted = true;
  for (const auto& e : writer_.GetProject().Elements()) accepted = e->AcceptBuild() && accepted;
  if (!accepted && result_.Runs <= kMaxBuildRepeats) {
    RunOnce();
    return;
  }
  Finish(true);
}

void BuildSession::Finish(bool counted) {
  Project& project = writer_.GetProject();
  const Analysis& a = writer_.GetAnalysis();
  result_.RomUsed = a.RomUsed;
  result_.RomSize = a.RomSize();
  result_.RamUsed = a.RamUsed();
  result_.RamSize = a.RamSize();
  if (counted && project.Info.AutoIncrement) {
    IncrementBuildNumber(project.Info);
    project.Saved = false;
  }
  running_ = false;
  emit Finished();
}

}  // namespace tolmek

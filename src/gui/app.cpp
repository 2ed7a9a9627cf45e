// The program's entry: the application with its main window, or a headless page export.
#include "gui/app.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "gui/app/startup.h"
#include "gui/fonts.h"
#include "gui/main_window.h"
#include "gui/message_box_sink.h"
#include "gui/page_export.h"
#include "model/project_file.h"

namespace tolmek {

namespace {

// Messages of a headless run go to the error stream; questions are answered with Cancel.
class StderrSink final : public MessageSink {
 public:
  Answer Present(Msg, MessageMode mode, const std::string&, const std::string& text) override {
    std::cerr << text << '\n';
    return mode == MessageMode::Question ? Answer::Cancel : Answer::None;
  }
};

struct ExportRequest {
  std::string plan, out, password;
  int page = 1;
  bool threeD = false;
};

constexpr const char* kExportUsage = "usage: tolmek --export PLAN.pic --page N OUT.png|OUT.pdf [--3d] [--password TEXT]";

std::optional<ExportRequest> ParseExport(const std::vector<std::string>& args) {
  ExportRequest r;
  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--export") continue;
    if (a == "--3d") {
      r.threeD = true;
    } else if ((a == "--page" || a == "--password") && i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (a == "--password") {
        r.password = v;
        continue;
      }
      try {
        size_t used = 0;
        r.page = std::stoi(v, &used);
        if (used != v.size()) return std::nullopt;
      } catch (...) {
        return std::nullopt;
      }
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2 || r.page < 1 || r.page > kPageCount) return std::nullopt;
  r.plan = positional[0];
  r.out = positional[1];
  return r;
}

int RunExport(const std::vector<std::string>& args) {
  auto request = ParseExport(args);
  if (!request) {
    std::cerr << kExportUsage << '\n';
    return 2;
  }
  StderrSink sink;
  Messenger messages(&sink);
  Project project(messages);
  FixedPassword password(request->password.empty() ? std::nullopt : std::optional<std::string>(request->password));
  if (!OpenProject(project, request->plan, password)) return 1;
  Environment env;
  env.Show3D = request->threeD;
  if (!ExportPage(project, request->page - 1, env, QString::fromStdString(request->out))) {
    std::cerr << "cannot write " << request->out << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

int RunApplication(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  const bool exporting = args.size() > 1 && args[1] == "--export";
  // An export needs no screen.
  if (exporting && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tolmek");
  InstallFontSubstitutes();
  if (exporting) return RunExport(args);

  return RunMainForm(args);
}

}  // namespace tolmek

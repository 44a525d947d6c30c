// The program: the wxWidgets application that runs start-up and then the viewer.
#include <wx/app.h>
#include <wx/log.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "options/options_behaviour.h"
#include "options/options_dialog_wx.h"
#include "platform/error_report.h"
#include "platform/executable_info.h"
#include "platform/file_services.h"
#include "platform/folder_chooser_wx.h"
#include "platform/page_folder.h"
#include "platform/quit_signals_wx.h"
#include "platform/run_trace.h"
#include "platform/system_command_line.h"
#include "platform/user_locale.h"
#include "startup/app_info.h"
#include "startup/command_line.h"
#include "startup/program_options.h"
#include "startup/shutdown.h"
#include "startup/startup.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

// The arguments exactly as the system handed them over, before the toolkit saw them.
std::vector<std::string>& programArguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

// The text the splitter reads: the system's own where it hands one over and it is used as it came,
// otherwise formed from the arguments.
std::string& programCommandText() {
  static std::string text;
  return text;
}

// Set when the desktop's menu started the program without a folder: the user is asked for one.
bool& askForFolder() {
  static bool ask = false;
  return ask;
}

void logToStandardError() {
  // Diagnostics go to standard error; a log box would stop the program until someone answers.
  // The analyzer assumes that a toolkit function keeps no pointer it is given, but wx owns the
  // active log target from here on and deletes it when the application ends.
  // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks): wx deletes the target at exit
  delete wxLog::SetActiveTarget(new wxLogStderr);
}

// Asks for the card set when the desktop's menu started the program; false when the user cancels.
bool chooseCardSet() {
  if (!askForFolder()) return true;
  const std::optional<std::string> chosen = chooseFolder("Choose a card set");
  if (!chosen) return false;
  programArguments() = {cardSetOfChoice(*chosen)};
  programCommandText() = commandLineText(programArguments());
  return true;
}

class SelvaraApp : public wxApp {
 public:
  bool OnInit() override;

 private:
  void endOnQuitSignals(RunState& state);
  [[noreturn]] void quitNow(RunState& state);
  bool checkCardSetFolder();
  bool makePageFolder();
  Form1* makeWindows(RunState& state);
  bool runFormLoad(RunState& state, Form1* form1);
  bool fail(const std::string& text);

  std::unique_ptr<PageFolder> m_pages;
  std::unique_ptr<WxEventPump> m_pump;
  std::unique_ptr<Form2Reference> m_form2;
  std::unique_ptr<ShutdownContext> m_shutdown;
  int m_exitCode = 0;
};

bool SelvaraApp::OnInit() {
  logToStandardError();
  SetAppName("selvara-card-viewer");
  SetAppDisplayName(kProgramTitle);
  RunState& state = WebWindow();
  endOnQuitSignals(state);
  if (!chooseCardSet()) {  // the user changed their mind: the run ends as a closed viewer does
    CallAfter([this] { ExitMainLoop(); });
    return true;
  }
  if (!checkCardSetFolder() || !makePageFolder()) return false;
  Form1* form1 = makeWindows(state);
  if (!runFormLoad(state, form1)) return false;
  form1->Show();
  return true;
}

void SelvaraApp::endOnQuitSignals(RunState& state) {
  onQuitSignals([this, &state] { quitNow(state); });
}

void SelvaraApp::quitNow(RunState& state) {
  // Stopped from outside: clean up as closing the window does, then end at once.
  deleteGeneratedFiles(state);
  if (auto* viewer = dynamic_cast<Form1*>(GetTopWindow())) viewer->endBrowser();
  if (m_pages) m_pages->remove();
  std::cerr.flush();
  std::_Exit(m_exitCode);  // a failure being reported keeps its status
}

bool SelvaraApp::checkCardSetFolder() {
  if (argumentCarriesQuote(programArguments())) {
    return fail(
        "The card set folder's path holds a double quote (\"), which the command line "
        "cannot pass on:\n" +
        programArguments().front());
  }
  if (programArguments().empty()) return true;
  const std::string& folder = programArguments().front();
  if (const int status = folderStatus(folder); status != 0) {
    return fail(setFolderRefusal(folder, status));
  }
  return true;
}

Form1* SelvaraApp::makeWindows(RunState& state) {
  m_pump = std::make_unique<WxEventPump>();
  m_form2 = std::make_unique<Form2Reference>(*m_pump);
  m_form2->attach(new Form2(state, *m_form2, kOptionsTimeoutMs));
  auto* form1 = new Form1();
  // A close that reaches the viewer before it is on screen comes from outside (Windows' taskkill
  // closes every window of the program, shown or not): the run ends as on a quit signal. Bound
  // after the viewer's own handler, this one runs first.
  form1->Bind(wxEVT_CLOSE_WINDOW, [this, &state, form1](wxCloseEvent& event) {
    if (!form1->IsShown()) quitNow(state);
    event.Skip();
  });
  // The viewer's browser is made once the dialog is on screen, so that it starts while the user
  // reads the dialog instead of before the dialog appears.
  m_form2->get()->Bind(wxEVT_PAINT, [form1, first = true](wxPaintEvent& event) mutable {
    event.Skip();
    if (!first) return;
    first = false;
    traceMoment("dialog-shown");
    form1->CallAfter([form1] {
      // A module that cannot be loaded is reported by the gallery's navigation, which needs it.
      try {
        form1->webBrowser1();
      } catch (const FileError&) {
      }
    });
  });
  m_shutdown = std::make_unique<ShutdownContext>(ShutdownContext{*form1, *m_form2, *m_pump});
  form1->setHandlers(
      [this, &state] {
        Form_Unload(state, *m_shutdown);
        m_pages->remove();
      },
      [this, &state] { Timer1_Timer(state, *m_shutdown); });
  SetTopWindow(form1);
  return form1;
}

bool SelvaraApp::runFormLoad(RunState& state, Form1* form1) {
  try {
    StartupContext context{*m_form2,
                           *m_pump,
                           *form1,
                           currentExecutable(),
                           m_pages->path(),
                           userDecimalMark(),
                           programCommandText()};
    Form_Load(state, context);
  } catch (const FileError& error) {
    deleteGeneratedFiles(state);
    m_form2->unload();
    form1->unload();
    return fail(failureText(error.number(), error.description(),
                            "Could not " + error.action() + " \"" + error.path() + "\"."));
  }
  return true;
}

bool SelvaraApp::makePageFolder() {
  try {
    m_pages = std::make_unique<PageFolder>(
        userPageFolderPlaces(), std::vector<std::string>{kTemplateFileName, kPageFileName});
  } catch (const PageFolderError& error) {
    const int number = error.attempts().back().number;
    return fail(failureText(number, std::strerror(number), error.what()));
  }
  return true;
}

bool SelvaraApp::fail(const std::string& text) {
  m_exitCode = 2;
  reportFailure(text);
  return false;
}

}  // namespace
}  // namespace selvara

wxIMPLEMENT_APP_NO_MAIN(selvara::SelvaraApp);

int main(int argc, char** argv) {
  using namespace selvara;
  const SystemCommandLine given = systemCommandLine(argc, argv);
  const std::string name = "selvara-card-viewer";
  const ProgramOptions options = readProgramOptions(given.arguments, given.text);
  switch (options.action) {
    case EarlyAction::PrintHelp:
      std::cout << usageText(name);
      return 0;
    case EarlyAction::PrintVersion: {
      std::cout << versionText(programVersion(), ".") << "\n";
      return 0;
    }
    case EarlyAction::Refuse:
      std::cerr << name << ": " << options.refusal << "\n" << usageText(name);
      return 2;
    case EarlyAction::Run:
      break;
  }
  programArguments() = anchorFirstArgument(options.folders, currentFolder());
  // The system's own text goes to the splitter unless the folder in it had to be anchored.
  programCommandText() = options.commandText && programArguments() == options.folders
                             ? *options.commandText
                             : commandLineText(programArguments());
  askForFolder() = options.askForFolder;
  // The toolkit gets the program's name alone: the arguments are read above, as bytes, and wx
  // would otherwise convert each to Unicode and warn that a path that is not UTF-8 is ignored.
  int toolkitArgc = std::min(argc, 1);
  const int status = wxEntry(toolkitArgc, argv);
  return status == 0 ? 0 : 2;
}

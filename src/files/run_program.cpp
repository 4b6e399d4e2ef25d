#include "files/run_program.h"

#include "platform/process.h"
#include "script/editing/message_pump.h"
#include "base/document_table.h"
#include "platform/forms.h"

namespace qm {

std::vector<std::string> SplitParameters(const std::string& parameters) {
  std::vector<std::string> args;
  std::string current;
  bool quoted = false;
  bool any = false;
  for (char ch : parameters) {
    if (ch == '"') {
      quoted = !quoted;
      any = true;
    } else if (ch == ' ' && !quoted) {
      if (any) args.push_back(current);
      current.clear();
      any = false;
    } else {
      current += ch;
      any = true;
    }
  }
  if (any) args.push_back(current);
  return args;
}

int RunProgramAndWait(const std::string& program, const std::string& parameters, int showStyle, bool lockMainWindow) {
  return RunProgramAndWait(program, SplitParameters(parameters), showStyle, lockMainWindow);
}

int RunProgramAndWait(const std::string& program, const std::vector<std::string>& args, int showStyle,
                      bool lockMainWindow) {
  (void)showStyle;
  const bool lock = lockMainWindow && DocumentFrame && DocumentFrame->Enabled;
  if (lock) DocumentFrame->Enabled = false;
  const RunResult result = RunProgramAndWait(program, args, [] { ProcessMessagesGuarded(); });
  if (lock) DocumentFrame->Enabled = true;
  return result.started ? 32 : 0;
}

}  // namespace qm

// The program block: what runs from process start to process end. It
// decides whether this process becomes the running instance or hands its
// command line to the one already running, sets the program up, runs the
// message loop and frees what it made.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "platform/backend.h"
#include "platform/graphics.h"

namespace qm {

// Built from [Main Font]; the forms apply it in their own set-up.
extern std::unique_ptr<TFont> ProgramFont;
// The registered numbers of "LoadName" and "PasteStoryDev".
extern UINT LoadNameMessage;
extern UINT PasteStoryDevMessage;
// Set while the start-up set-up runs; cleared when a script named on the
// command line was found and opened.
extern bool StartupFileTaken;
// Set when the script named on the command line could not be opened: a
// program without a desktop then ends saying that its start failed.
extern bool StartupFileFailed;
// The script named on the command line when its opening was handed to the
// message loop (a file of another program); empty once it was tried.
extern std::string StartupFileHandedOff;
// Set when a second start could not hand its command line to the running
// instance: it then ends saying so.
extern bool HandOffFailed;

// Runs the whole program on a backend; returns the process exit code.
// With exitWhenIdle (a backend without a desktop) the program ends once it
// has nothing left to do, unless another instance talks to it; its exit
// code is then 1 when the script it was given could not be opened. A
// second start that could not hand over its command line ends with 1.
int RunProgram(std::unique_ptr<Backend> backend, const std::vector<std::string>& args, bool exitWhenIdle);

// Start-up up to the message loop. False when another instance runs and
// took the command line: this process then ends.
bool StartProgram();
// What runs after the message loop ended.
void FinishProgram();

// On a screen wider than 800 pixels at more than 96 pixels per inch the
// right and status panels, made for an 800-pixel screen, grow by the
// screen's width / 800; so does the tool bar unless the set-up program
// fitted it to the screen.
void ScaleForWideScreen(bool toolBarFits);

// The text a second instance hands to the first: every parameter followed
// by one blank.
std::string HandOffText(const std::vector<std::string>& params);
// What a second start hands the running instance of its command line:
// the leading switches, then the script's name, its whole path when it
// is a file here or has a folder part; a bare name not here goes as it
// is, for the running instance to look for in its script folder. A name
// that would not come back whole otherwise (one that begins like a switch
// or with a blank) follows "--".
std::vector<std::string> HandOffParameters(const std::vector<std::string>& params);
// Hands a text to another instance's window as a global atom with
// "LoadName"; a failed post is reported, the atom released and false
// returned.
bool HandOffToInstance(HWND window, const std::string& text);

// The parameters of a handed-off text (blank-separated; empty ones kept,
// so that a run of blanks in a name comes back whole).
std::vector<std::string> SplitHandOffText(const std::string& text);

// The script name the command line gives: leading switches ("/" or "\")
// and empty parameters skipped, the rest joined with one blank, quotes
// removed unless the file's own name holds them. A leading "--" ends the
// switches: what follows is the name, whatever it begins with.
std::string ScriptNameFromCommandLine(const std::vector<std::string>& params);

// The file a script name from the command line stands for, on a first
// start and when handed to a running instance alike. A name without an
// extension, or ending in ".", gets the script extension unless a file has
// that very name. A name with a folder part is read from the current
// folder. A bare name is the current folder's file when one of that name
// is there to open (with `currentFolderFirst`: the running instance is
// handed that file's whole path instead), else the script folder's.
std::string CommandLineScriptPath(const std::string& name, bool currentFolderFirst);
// A script is there to open under the name: a file (or a folder, which the
// open refuses with its reason), or the complete version a stopped first
// save left.
bool ScriptThereToOpen(const std::string& name);

}  // namespace qm

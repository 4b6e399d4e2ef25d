// Word wrap on the keystroke road and over a whole script, on generated
// screenplays in the headless backend's fixed 12-point Courier.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/layout/char_widths.h"
#include "script/editing/edit_line.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/layout/word_wrap.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "support/script_builder.h"
#include "support/script_generator.h"
#include "script/model/edit_line_writer.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

// A headless program with one generated script open as the active document.
class OpenScript {
 public:
  explicit OpenScript(int pages) : platform_(std::make_unique<HeadlessBackend>()) {
    GlobalState::ResetAll();
    window_ = testing::OpenOnlyDocument();
    testing::AddElements(*window_, testing::GenerateScreenplay(20240601, pages));
    for (TScriptElement* e = window_->FirstElement; e; e = e->next) texts_.push_back(ElementText(*e));
  }
  ~OpenScript() { testing::CloseOnlyDocument(window_); }

  TMDIChild& Window() { return *window_; }
  const std::vector<std::string>& Texts() const { return texts_; }

  // Makes the element current with its text in the edit buffer and lays
  // the screen out around it.
  void Edit(TScriptElement* element) {
    editor::SetCurrentElement(*window_, element);
    editor::SetEditText(*window_, ElementText(*element));
    element->text.reset();
    element->screenLine = 10;
    RebuildScreen(window_.get());
  }

  // The first Action in the middle of the script, given one text of six
  // wrapped lines, so that scripts of every length are typed into alike.
  TScriptElement* SixLineActionInTheMiddle() {
    static const std::string text =
        "The rain has stopped. Water still runs along the gutters of the old street and the neon sign above the "
        "diner flickers, buzzing, as a delivery van backs slowly into the alley. MARGARET steps out of the "
        "doorway with her coat pulled tight, looks both ways, and crosses without waiting for the light. Behind "
        "her a window opens and somebody calls her name twice.";
    const int count = window_->ElementCount();
    int index = 0;
    for (TScriptElement* e = window_->FirstElement; e; e = e->next, ++index) {
      if (index < count / 2 || e->Kind() != ekAction) continue;
      e->text = PackText(text);
      window_->WordWrapText(e, text, false, false);
      return e->lineCount == 6 ? e : nullptr;
    }
    return nullptr;
  }

 private:
  Platform platform_;
  std::unique_ptr<TMDIChild> window_;
  std::vector<std::string> texts_;
};

// One character typed into the middle of a six-line Action: the edit, the
// wrap with screen output and the repaint marks. The character is taken
// out again outside the timing, so every keystroke meets the same text.
void BM_KeystrokeInSixLineAction(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  TMDIChild& window = script.Window();
  TScriptElement* element = script.SixLineActionInTheMiddle();
  if (!element) {
    state.SkipWithError("no six-line Action");
    return;
  }
  script.Edit(element);
  const Word middle = static_cast<Word>(window.EditBuffer().size() / 2);
  for (auto _ : state) {
    editor::SetCaretColumn(window, middle);
    TypeCharacter('x');
    editor::SetCaretColumn(window, window.CaretColumn() + 1);
    window.WordWrapText(element, window.EditBuffer(), false, true);
    benchmark::DoNotOptimize(window.ScreenLines[12].repaint);
    state.PauseTiming();
    EditFields(window).EditBuffer.erase(middle, 1);
    editor::SetCaretColumn(window, middle);
    window.WordWrapText(element, window.EditBuffer(), false, true);
    state.ResumeTiming();
  }
  state.counters["elements"] = window.ElementCount();
}
BENCHMARK(BM_KeystrokeInSixLineAction)
    ->Arg(120)
    ->Arg(600)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Every element of a script wrapped once, as laying out a loaded script
// without saved line offsets does (no screen output).
void BM_WrapWholeScript(benchmark::State& state) {
  OpenScript script(static_cast<int>(state.range(0)));
  TMDIChild& window = script.Window();
  const std::vector<std::string>& texts = script.Texts();
  std::size_t bytes = 0;
  for (const std::string& text : texts) bytes += text.size();
  for (auto _ : state) {
    TWrapPass pass(window);
    std::size_t i = 0;
    for (TScriptElement* e = window.FirstElement; e; e = e->next) pass.Wrap(*e, texts[i++]);
    benchmark::ClobberMemory();
  }
  state.counters["elements"] = static_cast<double>(texts.size());
  state.counters["KB"] = static_cast<double>(bytes) / 1024.0;
}
// 120 printed pages, and a script of 4,500 elements (about 250 KB of text,
// some 230 printed pages) for the figure quoted in elements.
BENCHMARK(BM_WrapWholeScript)
    ->Arg(120)
    ->Arg(4500 / testing::GeneratedElementsPerPage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace qm

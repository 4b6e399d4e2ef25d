// A fresh headless program whose one open script holds given elements,
// for the benchmarks; gone with the object.
#pragma once

#include <memory>
#include <vector>

#include "base/global_state.h"
#include "breakdown/categories.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/layout/word_wrap.h"
#include "script/model/packed_text.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "support/script_builder.h"
#include "support/script_generator.h"

namespace qm::bench {

class TBenchScript {
 public:
  enum class TWrap { Layout, EveryElementFirst };
  explicit TBenchScript(const std::vector<testing::ElementSpec>& elements, TWrap wrap = TWrap::Layout,
                        bool tagging = false)
      : platform_(std::make_unique<HeadlessBackend>()) {
    GlobalState::ResetAll();
    window_ = testing::OpenOnlyDocument();
    window_->TaggingUsed = tagging ? 1 : 0;
    testing::AddElements(*window_, elements);
    if (wrap == TWrap::EveryElementFirst) {
      TWrapPass pass(*window_);
      for (TScriptElement* e = window_->FirstElement; e; e = e->next) pass.Wrap(*e, ElementText(*e));
    }
    window_->RefreshLayout();
  }
  // The generated screenplay of that many pages every benchmark uses.
  static std::vector<testing::ElementSpec> Screenplay(int pages) {
    return testing::GenerateScreenplay(20240601, pages);
  }
  // The screenplay with `tags` breakdown tags: every Action and Script
  // Note gets one in turn, round the categories, until all are written.
  static std::vector<testing::ElementSpec> TaggedScreenplay(int pages, int tags) {
    std::vector<testing::ElementSpec> elements = Screenplay(pages);
    int written = 0;
    while (written < tags) {
      const int before = written;
      for (testing::ElementSpec& e : elements) {
        if ((e.kind != ekAction && e.kind != ekScriptNote) || written >= tags) continue;
        const Byte code = TagCodeOfCategory(written % CategoryCount);
        e.text += " " + std::string(1, static_cast<char>(code)) + "item " + std::to_string(written % 300) +
                  std::string(1, static_cast<char>(TagEnd));
        ++written;
      }
      if (written == before) break;
    }
    return elements;
  }
  ~TBenchScript() { testing::CloseOnlyDocument(window_); }
  TBenchScript(const TBenchScript&) = delete;
  TBenchScript& operator=(const TBenchScript&) = delete;
  TMDIChild& Window() { return *window_; }

 protected:
  std::unique_ptr<TMDIChild>& Owned() { return window_; }

 private:
  Platform platform_;
  std::unique_ptr<TMDIChild> window_;
};

}  // namespace qm::bench

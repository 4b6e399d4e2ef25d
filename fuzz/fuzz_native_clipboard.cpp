// "Quillmaster Text" on the clipboard may come from another program: the
// reader must be safe for any bytes, what it accepts must hold together
// and write back the same, and splicing it into a script must be safe.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/document_table.h"
#include "base/global_state.h"
#include "files/native_clipboard.h"
#include "files/native_paste.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "fuzz_check.h"

namespace {

using qm::fuzz::Check;

// One headless program for the whole run.
qm::Platform& Program() {
  static qm::Platform platform(std::make_unique<qm::HeadlessBackend>());
  return platform;
}

void CheckRecords(const qm::TClipReadResult& read, std::size_t size) {
  std::size_t used = 0;
  for (const qm::TClipRecord& r : read.records) {
    Check(r.format.Kind < qm::ClipEndKind);
    Check(r.lineCount >= 1 && r.lineCount <= qm::MaxLineCount);
    Check(r.lineOffsets.empty() || r.lineOffsets.size() == r.lineCount);
    Check(r.revisedLines.size() <= qm::ClipRevisedChars);
    Check(r.fontName.size() <= qm::ClipFontNameChars);
    Check(r.avColumn <= 2);
    Check(r.text.size() <= qm::MaxPackedBytes);
    used += qm::ClipRecordSize;
  }
  Check(used <= size);
}

// Sound records written again read back the same, undamaged.
void CheckWriteBack(const qm::TClipReadResult& read) {
  std::vector<qm::Byte> again;
  for (const qm::TClipRecord& r : read.records) qm::AppendClipRecord(again, r);
  qm::AppendClipEndRecord(again);
  const qm::TClipReadResult reread = qm::ReadClipRecords(again);
  Check(!reread.damaged);
  Check(reread.records.size() == read.records.size());
  for (std::size_t i = 0; i < read.records.size(); ++i) {
    Check(reread.records[i].text == read.records[i].text);
    Check(reread.records[i].lineOffsets == read.records[i].lineOffsets);
    Check(reread.records[i].format == read.records[i].format);
  }
}

void Splice(qm::TClipReadResult& read) {
  Program();
  qm::GlobalState::ResetAll();
  auto* w = new qm::TMDIChild(nullptr);
  qm::Documents[1] = w;
  qm::DocumentCount = 1;
  qm::ActiveDocument = 1;
  w->SetBounds(0, 0, 800, 600);
  w->Created();
  qm::SpliceRecords(*w, read.records);
  std::size_t count = 0;
  for (qm::TScriptElement* e = w->FirstElement; e; e = e->next) {
    Check(!e->next || e->next->prev == e);
    ++count;
  }
  Check(count >= 1);
  qm::Documents[1] = nullptr;
  qm::DocumentCount = 0;
  delete w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact copy, so that a read past the end is seen.
  std::vector<qm::Byte> bytes(data, data + size);
  qm::TClipReadResult read = qm::ReadClipRecords(bytes);
  CheckRecords(read, size);
  CheckWriteBack(read);
  if (read.records.size() <= 64) Splice(read);
  return 0;
}

// Builds the thesaurus database from WordNet 3.0 at build time:
//   qm_thesaurus_build <WordNet dict folder> <output folder>
#include <cstdio>
#include <exception>
#include <string>

#include "language/thesaurus/database_writer.h"
#include "language/thesaurus/wweb_database.h"
#include "platform/files.h"
#include "language/thesaurus/thes_dic.h"
#include "thes_dic_writer.h"
#include "wordnet_source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <WordNet dict folder> <output folder>\n", argv[0]);
    return 2;
  }
  try {
    qm::thesaurus_build::TWordNetCounts counts;
    const auto source = qm::thesaurus_build::ReadWordNet(argv[1], &counts);
    const auto bytes = qm::thesaurus::SaveDatabase(source);
    const std::string path = qm::JoinPath(argv[2], qm::thesaurus::DatabaseFileName);
    const auto dic = qm::thesaurus_build::SaveThesDic(source);
    const std::string dicPath = qm::JoinPath(argv[2], qm::thesaurus::ThesDicFileName);
    for (const auto& [file, data] : {std::pair{path, &bytes}, std::pair{dicPath, &dic}}) {
      std::string error;
      if (!qm::WriteFileAtomic(file, data->data(), data->size(), &error)) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        return 1;
      }
    }
    std::printf("%s: %zu synsets, %zu links (%zu left out), %zu index words, %zu bytes; %s: %zu bytes\n", path.c_str(),
                counts.synsets, counts.links, counts.droppedLinks, counts.indexWords, bytes.size(), dicPath.c_str(),
                dic.size());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "thesaurus build: %s\n", e.what());
    return 1;
  }
  return 0;
}

#pragma once
// The pack lint: what a translator or pack author gets wrong before a
// release, found in the pack's files without running the wizard. Keys
// missing from a text file or read by nothing, placeholders that are
// unknown, broken or would show literally, files the engine cannot read,
// component sections the wizard misreads, language-list entries without
// their text file or flag, and pictures missing from Pixora.dll.
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace lingvora {

enum class Severity { Error, Warning };

struct Finding {
  Severity severity;
  Text file;         // a file name of the pack
  int line;          // from 1; 0 for the file as a whole
  std::string kind;  // a short, stable name of the fault, as in the JSON
  Text message;
};

// The pack's directory and the names of the files in it (the port has no
// directory listing: the caller lists it).
struct PackListing {
  Text directory;
  std::vector<Text> fileNames;
};

std::vector<Finding> lintPack(FileSystem& files, const PackListing& pack);

bool hasErrors(const std::vector<Finding>& findings);
// One line per finding, "FILE:LINE: error: MESSAGE", then a count.
std::string findingsText(const std::vector<Finding>& findings);
// The same findings as a JSON array of objects with file, line, severity,
// kind and message.
std::string findingsJson(const std::vector<Finding>& findings);

}  // namespace lingvora

#include "core/model/RecordWord.h"

#include <cctype>
#include <ostream>

namespace orlenza {

std::string asRecordWord(std::string_view word, std::string_view ifEmpty) {
  if (word.empty()) return std::string(ifEmpty);
  std::string result(word);
  for (char& c : result)
    if (std::isspace(static_cast<unsigned char>(c))) c = '_';
  return result;
}

void writeRecordWord(std::ostream& os, std::string_view word) { os << asRecordWord(word) << ' '; }

}  // namespace orlenza

#pragma once
// One-word tokens of the record text forms (names, identifiers): a word that
// held a blank, tab or line feed would split the record and shift every later token.

#include <iosfwd>
#include <string>
#include <string_view>

namespace orlenza {

// word with every whitespace character replaced by "_", or ifEmpty when word is empty.
std::string asRecordWord(std::string_view word, std::string_view ifEmpty = "?");

// asRecordWord(word) followed by one blank.
void writeRecordWord(std::ostream& os, std::string_view word);

}  // namespace orlenza

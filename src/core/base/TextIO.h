#pragma once
// Tokens of the record text forms: every token is followed by one blank, doubles
// carry 12 significant digits. Non-finite doubles are written "nan", "inf" and
// "-inf" and read back explicitly, so whatever we write we can read. Readers set
// the stream's failbit on a bad token and leave the value untouched; callers
// check the stream once after a whole record.

#include <cstdint>
#include <iosfwd>
#include <string>

namespace orlenza::text {

// The 12-significant-digit form of a double, without the trailing blank.
std::string formatDouble(double value);

void writeDouble(std::ostream& os, double value);  // value + " "
void writeInt(std::ostream& os, long long value);  // value + " "
void writeBool(std::ostream& os, bool value);      // "0 " or "1 "
void writeWord(std::ostream& os, std::string const& word);  // word + " "

// Parses one whole token as a double: decimal or exponent notation, "nan",
// "inf", "-inf" (any case, optional sign). Overflow fails; underflow gives the
// nearest denormal or zero. Answers false on anything else.
bool parseDouble(std::string const& token, double& value);
bool parseInt(std::string const& token, long long& value);

// Stream readers: on failure they set failbit and keep value as it was.
std::istream& readDouble(std::istream& is, double& value);
std::istream& readInt(std::istream& is, int& value);
std::istream& readInt(std::istream& is, long& value);
std::istream& readInt(std::istream& is, long long& value);
std::istream& readUnsigned(std::istream& is, unsigned& value);
std::istream& readUnsigned(std::istream& is, unsigned long& value);
std::istream& readBool(std::istream& is, bool& value);  // "0" or "1" (any integer: non-zero is true)
std::istream& readWord(std::istream& is, std::string& word);

}  // namespace orlenza::text

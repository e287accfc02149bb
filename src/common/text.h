// Small text helpers shared by the whole system. Texts are single-byte strings
// in the ANSI code page; comparisons that ignore case fold only A-Z.
#pragma once

#include <string>
#include <vector>

char UpperAscii(char c);
std::string UpperCaseAscii(std::string text);
// Equal without regard to the case of the letters A to Z.
bool SameText(const std::string& a, const std::string& b);
bool StartsWith(const std::string& text, const std::string& prefix);
bool EndsWith(const std::string& text, const std::string& suffix);
// Removes leading and trailing blanks and control characters (bytes up to 32).
std::string Trim(const std::string& text);
// Replaces every occurrence of from (case-sensitive).
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);
// Replaces the first occurrence of from (case-sensitive).
std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to);
// Splits at CR LF, a lone CR or a lone LF. A final line break ends the last
// line and starts no empty one.
std::vector<std::string> SplitLines(const std::string& text);
// The message as the error boxes show it: a full stop appended when its last
// character sorts after ".".
std::string WithFullStop(const std::string& message);

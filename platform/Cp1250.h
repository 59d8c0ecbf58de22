#pragma once
// The image, the files and the frames hold texts in code page 1250; the UI works in Unicode.
// Byte strings of the image and frames are std::string; UI texts are QString.
#include <QString>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

char16_t Cp1250ToUnicode(unsigned char byte);
// -1 when the character has no place in the code page.
int UnicodeToCp1250(char16_t ch);

QString FromCp1250(const std::string& bytes);
QString FromCp1250(const unsigned char* bytes, std::size_t count);
// Characters outside the code page become '?': texts the user typed are checked with
// Cp1250Refusal first.
std::string ToCp1250(const QString& text);

// The distinct characters of text that the code page cannot hold, separated by blanks.
QString CharactersOutsideCp1250(const QString& text);
// The message that refuses text for holding such characters; empty when it holds none.
QString Cp1250Refusal(const QString& text);
// The same for several fields, given as label and text: each field that holds such characters
// gets its own line, led by its label; empty when none does.
QString Cp1250Refusal(std::initializer_list<std::pair<QString, QString>> labelledTexts);

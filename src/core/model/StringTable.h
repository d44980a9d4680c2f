#pragma once

#include <filesystem>
#include <string>

namespace zarva {

// Every user-visible text is a numbered entry. The Russian table is built in; the English
// one is a resource file chosen at start-up, before any other thread runs.

// The text of entry `id` in the interface language; empty when the table has no such entry.
const std::string& Text(int id);

// Loads the English table. Returns false, leaving the Russian table in use, when the file
// cannot be read.
bool UseEnglishTable(const std::filesystem::path& file);
void UseRussianTable();
bool EnglishInterface();

// A table file holds one entry per line: the number, a tab and the text, in which newline,
// tab and backslash are escaped with a backslash (n, t, backslash). Lines that do not start
// with a number are ignored.
std::string EscapeTableText(const std::string& text);
std::string UnescapeTableText(const std::string& text);

} // namespace zarva

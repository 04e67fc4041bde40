// Loquat's text is 8-bit in the system's ANSI code page, and its learners' systems use code page 1252
// (Western) or 932 (Japanese), which agree only on ASCII: a byte from 0x80 up shows one character on the
// first and another (or begins a double-byte character) on the second.
#pragma once

#include <string>
#include <string_view>

namespace lessontable {

// Why the first byte of `bytes` that the two code pages read differently cannot stay, and what to write
// instead, in Windows-1252 as every message; empty when the text is ASCII.
std::string code_page_problem(std::string_view bytes);

}  // namespace lessontable

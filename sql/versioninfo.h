#pragma once

// The program's version information travels in this ELF section of the program file:
// NUL-terminated pairs of sub-block path ("\StringFileInfo\040704E4\ProductName") and value,
// UTF-8. Referring to the name links the block into every program that reads it.
extern const char kVersionInfoSectionName[];

// The language and code page block the values are stored under (German, code page 1252).
inline constexpr char kVersionInfoStringBlock[] = "\\StringFileInfo\\040704E4\\";

#pragma once
// The built-in English texts, one per index of the text table. The array is
// generated at build time from english.txt in this folder; an index without a
// text of its own holds a single blank.

constexpr int English_Texts_Count = 2600;

// UTF-8 texts, index 0 first.
extern const char* const English_Texts[English_Texts_Count];

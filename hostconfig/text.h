// Bounded string operations on fixed-size buffers.
#pragma once

// The last occurrence of c in text, or nullptr. Compares single bytes.
const char* FindLast(const char* text, char c);

// Copies source into destination (size bytes). Returns 1 when it fitted;
// 0 when it did not, with destination left empty rather than cut short.
int CopyText(char* destination, int size, const char* source);

// Appends source to destination (size bytes). Returns 1 when it fitted;
// 0 when it did not, with destination unchanged.
int AppendText(char* destination, int size, const char* source);

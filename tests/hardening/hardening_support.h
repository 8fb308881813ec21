// Test support for the hardening tests: choosing a driver, comparing large
// byte strings readably, and noting each case's outcome for the report.
#pragma once

#include "hostconfig.h"

#include <gtest/gtest.h>

#include <string>

// What Browse does on a choice: the path, then the stem.
void ChooseDriver(const std::string& path);

// The name of a RegisterResult, as the code spells it.
const char* ResultName(RegisterResult result);

// Equal, or where they first differ with a few bytes of context either side
// (a 10 MB mismatch must not print 10 MB).
testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual);

// Appends "table|case|what was seen" to the file named by KELTARN_OUTCOMES,
// when it is set, for docs/reliability.md. The platform is added.
void NoteOutcome(const std::string& table, const std::string& name, const std::string& seen);

// "unchanged", or "changed" and by how many bytes.
std::string FileChange(const std::string& before, const std::string& after);

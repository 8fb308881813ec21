// Test support: a host file as the platform's profile API reads it, section
// by section, and the change a registration should make to that reading.
#pragma once

#include <string>
#include <utility>
#include <vector>

// Each section's name, in file order, and its entries ("key=value") as the
// platform returns them for that name.
using SectionsRead = std::vector<std::pair<std::string, std::vector<std::string>>>;

// What the platform's profile API reads from the file at path. Available
// where the platform has a profile API (Windows); elsewhere empty.
SectionsRead ReadEverySection(const std::string& path);

// 1 where ReadEverySection reads through the platform's own API.
extern const bool platformReadsSections;

// reading as it should be after registering stem as device number count:
// "Plotter<count>" and then "NumberDevices" set in section PlotterSetup.
SectionsRead AfterRegistration(SectionsRead reading, int count, const std::string& stem);

// Access to Windows profile (INI) files: the host's device list lives in one.
// On Windows these are the real profile API; elsewhere our own stand-in.
#pragma once

// The value of key in section, read as an integer as the platform reads it.
// Section and key match regardless of ASCII case and of blanks around them.
// A missing file, section or key, or an empty value, gives fallback.
int ProfileReadInt(const char* section, const char* key, int fallback, const char* path);

// Sets key in section to value, creating the key, the section or the file
// (whose folder must exist) as needed. Returns 1 when the value was written,
// 0 when it was not; on 0 the file is as it was.
int ProfileWriteString(const char* section, const char* key, const char* value, const char* path);

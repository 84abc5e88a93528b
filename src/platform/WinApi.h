#pragma once

#include <QString>

#include <cstdint>

// The system calls every layer makes the way the design makes them.

// The result of the last system call that reports one (a count of characters,
// 1 for success, a process handle).
inline int32_t gApiResult = 0;

// Reads one value of an INI file (section and key without regard to case, at most
// 255 characters, "" when missing). Leaves the count of characters in gApiResult.
QString ReadIni(const QString &section, const QString &key, const QString &fileName);

// The path with a separator appended, unless it is empty or already ends in one.
QString AddBackslash(const QString &path);

#pragma once

#include <QString>

// Small string, file and hash helpers used across the console.
namespace uikit {

// MD5 digest of the text's Latin-1 bytes as 32 lower-case hexadecimal digits.
QString md5Hex(const QString &text);

// The text after the last ".", lower-cased; empty when there is no ".".
QString fileSuffix(const QString &name);

// The text after the last "\", or else after the last "/", lower-cased; empty when the
// path contains neither.
QString fileNameOf(const QString &path);

// Reads `key` of `group` from "typename.ini" in the program's own folder: the value when
// present, the key's own name when the key is missing, empty when the file does not exist.
QString readTypeNameIni(const QString &group, const QString &key);
// The same, with "typename.ini" looked up in `dir` instead of the program's folder.
QString readTypeNameIni(const QString &group, const QString &key, const QString &dir);

// Blocks the calling thread for `ms` milliseconds.
void sleepMs(unsigned long ms);

} // namespace uikit

#pragma once

#include <QByteArray>
#include <QString>

// Reading INI files with the rules of the Windows profile functions: first matching
// section and first matching key, both without regard to case; the value trimmed,
// one pair of enclosing double or single quotes stripped, at most 255 characters;
// "" when the file, the section or the key is missing. CRLF, LF and CR line ends,
// a UTF-8 byte-order mark ignored. A file is parsed once and cached by path, size
// and modification time; while folder listings are held (fs::holdListings), a
// file once read is taken as it was then, without asking the system again.
namespace ini {

// The longest value a read returns: the profile functions fill a buffer of 256
// characters, the last of which is the terminating NUL. A longer value loses its
// tail on the way back.
inline constexpr qsizetype MaxValueLength = 255;

enum class Encoding {
    Auto, // ".lng" files (the editor's and the player's) as Utf8OrCp1252, any other as Cp1252
    Cp1252, // skin files, the settings file
    Utf8OrCp1252, // UTF-8 when the file has a BOM or is valid UTF-8, else Windows-1252
};

// The value, and in *count the number of characters returned (0 for "").
QString readValue(const QString &section, const QString &key, const QString &fileName, int *count = nullptr,
    Encoding encoding = Encoding::Auto);

// Whether the section holds the key at all (its value may be empty): tells a
// missing key from an empty one, which readValue cannot.
bool hasKey(
    const QString &section, const QString &key, const QString &fileName, Encoding encoding = Encoding::Auto);

// Whether the file holds the section at all (it may hold no key).
bool hasSection(const QString &section, const QString &fileName, Encoding encoding = Encoding::Auto);

// The value as the file holds it, only trimmed: no quotes stripped, no length
// limit. For files that merely use the INI layout (the registry files), where a
// command such as "/opt/app" "%1" must keep its quotes. *found tells a missing
// key from an empty value.
QString readRawValue(const QString &section, const QString &key, const QString &fileName,
    bool *found = nullptr, Encoding encoding = Encoding::Auto);

// The text of a file's bytes as the reader decodes it: a UTF-8 byte-order mark
// means UTF-8; Utf8OrCp1252 tries UTF-8 first; anything else is Windows-1252.
QString decode(const QByteArray &bytes, Encoding encoding);

// Drops every cached file (tests that rewrite a file within the same second).
void clearCache();

} // namespace ini

#pragma once
// The program's options: INI lines (GBK, CRLF) in "rivi.kemotari" of the data
// directory, stored enciphered under the password "9157".  Every read and
// write opens the file anew; nothing is cached.
#include <QString>

namespace moquan {

inline const QString kSettingsSection = QStringLiteral("软件设置");

class SettingsFile {
public:
    // The file of the data directory.
    static QString path();
    // The value of a key; the empty text when the file is missing or unreadable,
    // `fallback` when the section or key is not found.
    static QString read(const QString &section, const QString &key, const QString &fallback = {});
    // Writes a key (replacing its line in place, or appending it at the end of its
    // section).  Empty or blank section, key or value write nothing: false.
    static bool write(const QString &section, const QString &key, const QString &value);

    // The same operations on another file (tests and tools).
    static QString readFrom(const QString &file, const QString &section, const QString &key,
                            const QString &fallback = {});
    static bool writeTo(const QString &file, const QString &section, const QString &key,
                        const QString &value);
    // The deciphered lines of a file, for inspection.
    static QStringList lines(const QString &file);
};

// Shorthands for the one section of the program.
inline QString setting(const QString &key) { return SettingsFile::read(kSettingsSection, key); }
inline bool setSetting(const QString &key, const QString &value)
{
    return SettingsFile::write(kSettingsSection, key, value);
}

} // namespace moquan

#pragma once

#include <QString>

#include "IniFile.h"

namespace brisa {

// The system's number and list conventions, as the start-up check wants them.
struct RegionalSettings {
    QString digitGrouping;  // thousands separator
    QString listSeparator;
    QString decimalSymbol;
};

// File, folder and system services of the configurator: one configuration file selected at a
// time, read and written by section and key, plus a few system queries. Every write reaches
// the disk at once and whole (see IniFile::save).
class SettingsStore {
  public:
    // The Windows-1252 byte of the first character of `ch` ("?" when it has none, 0 for an
    // empty text): the node stores its texts in that code page.
    static quint8 characterCode(const QString& ch);
    static bool folderExists(const QString& path);
    // Checks that the store can work here (its code page is available); true when it can.
    static bool startUpProbe(const QString& text);
    static RegionalSettings regionalSettings();
    // The number conventions of the named locale ("" for the one the environment chooses);
    // the POSIX ones when it is not installed.
    static RegionalSettings numericConventions(const char* localeName);
    // The list's drop-down height is left to the platform's style: nothing to do.
    template <typename List>
    static void setDropDownHeight(List&, int) {}

    void selectFile(const QString& path) { path_ = path; }
    QString selectedFile() const { return path_; }
    // The stored text, or `fallback` when the file, section or key is missing or the file
    // cannot be read.
    QString readValue(const QString& section, const QString& key, const QString& fallback) const;
    // Stores the value, creating file, section and key as needed; false (with the reason in
    // `error`) when the file cannot be read or written.
    bool writeValue(const QString& section, const QString& key, const QString& value,
                    QString* error = nullptr);

  private:
    QString path_;
};

}  // namespace brisa

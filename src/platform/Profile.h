#pragma once

#include "platform/Status.h"

#include <QString>
#include <QStringList>
#include <vector>

// One key of an INI file to store.
struct ProfileEntry {
    QString section;
    QString key;
    QString value;
};

// A file as a whole, before any key is read from it.
struct ProfileOutline {
    Status readable = Status::success(); // a failure when it exists but cannot be read
    bool blank = true; // missing, or nothing but blanks and line ends
    QStringList sections; // header names in file order; they match without regard to letter case
};

// Key-by-key access to INI files: the configuration file and the settings file.
// A missing file, section or key, an empty value and the text "Default" all read
// as "". A write creates what is missing, replaces an existing key in place, adds
// a new key at the end of its section and a new section at the end of the file.
class Profile {
public:
    virtual ~Profile() = default;

    virtual QString read(const QString& file, const QString& section, const QString& key) = 0;
    // From the same parse the keys are read from.
    virtual ProfileOutline outline(const QString& file) = 0;
    virtual Status write(const QString& file, const QString& section, const QString& key,
                         const QString& value) = 0;
    // Many keys in one write: the file on disk changes once, or not at all.
    virtual Status writeBatch(const QString& file, const std::vector<ProfileEntry>& entries) = 0;
};

#pragma once

#include "download/MemoryImage.h"
#include "platform/Status.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct KeyStem;
struct Setting;
struct SettingsTables;

// What a memory file did to the settings.
struct EramLoad {
    // Refused: the message says why, and no setting, flag or editor changed.
    Status status = Status::success();
    // On success, the settings the image does not hold, by their names in the
    // configuration file: they keep the values they had.
    QStringList notHeld;
};

// Reads a memory file into the settings tables, only once the whole file was
// checked. A success sets no changed or section flag and marks the
// configuration unsaved: it no longer matches its file.
EramLoad LoadEramFile(SettingsTables& tables, const QString& path);
// The same, of a memory file's contents.
EramLoad LoadEramText(SettingsTables& tables, QByteArrayView text);
// Every field of the layout from an image already checked.
void StoreMemoryImage(SettingsTables& tables, const MemoryImage& image);
// The settings of the configuration file that no field of the image fills.
QStringList SettingsNotHeld();
// The configuration file's key a field's setting is read under; none for
// what the file does not hold.
const KeyStem* ReaderStemOf(const Setting& setting);

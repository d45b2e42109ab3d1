#pragma once

#include "download/MemoryImage.h"
#include "platform/Status.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

// A memory file holds one record a line, "address,value" in decimal, for the
// addresses 0 to 4095 in order; anything else is no complete download and is
// refused whole, with what is wrong, before a setting is touched.
Status CheckMemoryFile(QByteArrayView text, MemoryImage& image);
// The same, of the file at the path; a file that cannot be read is refused too.
Status ReadMemoryFile(const QString& path, MemoryImage& image);
// The value of a record "address,value" when it is the record of `address`.
std::optional<int> RecordValue(QByteArrayView line, int address);
// A record as a message shows it: control characters as "?", a long one cut short.
QString ShownRecord(QByteArrayView line);

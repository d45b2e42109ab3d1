#pragma once

#include "download/MemoryFile.h"
#include "download/RecordFramer.h"

#include <QByteArrayList>
#include <utility>

// What the download makes of a record stream read in these pieces, checking
// every record as far as it came and then whole: "ended: " and the records,
// "refused at N", or "waiting at N"; "answered wrongly at N" when record N
// got no acknowledgement or two.
inline QByteArray RecordOutcome(const QByteArrayList& reads)
{
    RecordFramer framer;
    QByteArrayList records;
    bool acknowledged = false; // the record being framed
    const auto at = [&](const char* what) { return what + QByteArray::number(records.size()); };
    for (const QByteArray& read : reads) {
        framer.take(read);
        while (const auto f = framer.next()) {
            if (f->endMarker)
                return "ended: " + records.join(' ');
            if (!RecordValue(f->text, int(records.size())))
                return at("refused at ");
            if (f->acknowledge && std::exchange(acknowledged, true))
                return at("answered wrongly at ");
            if (f->complete) {
                if (!std::exchange(acknowledged, false))
                    return at("answered wrongly at ");
                records << f->text;
            }
        }
    }
    return at("waiting at ");
}

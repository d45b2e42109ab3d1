#include "platform/WholeWrite.h"

#include <QIODevice>

Status WriteWhole(QIODevice& out, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = out.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) // no progress is a refusal too, or the loop would never end
            return Status::failure(out.errorString());
        written += n;
    }
    return Status::success();
}

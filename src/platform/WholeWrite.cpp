#include "platform/WholeWrite.h"

#include <QIODevice>
#include <QSaveFile>

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

Status CommitWhole(QSaveFile& out, const QByteArray& bytes)
{
    if (const Status written = WriteWhole(out, bytes); !written) {
        out.cancelWriting(); // the temporary file goes
        return written;
    }
    if (!out.commit())
        return Status::failure(out.errorString());
    return Status::success();
}

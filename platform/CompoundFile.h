#pragma once

#include <QByteArray>
#include <QString>

namespace qvx {

// The compound file ("OLE2" structured storage) that holds an Excel 97-2003
// workbook: a little file system of 512-byte sectors chained through an
// allocation table, with a directory of named streams.
struct CompoundFile
{
    // A compound file holding one stream `name` with `data` in the root
    // storage. Streams shorter than 4096 bytes are padded with zero bytes to
    // that size, so the file needs no short-sector (mini) stream.
    static QByteArray build(const QString &name, QByteArray data);

    // The stream `name` (without regard to case) of the root storage of a
    // compound file. False with a reason in *error when the file is damaged or
    // has no such stream.
    static bool readStream(const QByteArray &file, const QString &name, QByteArray *data, QString *error = nullptr);

    static bool isCompoundFile(const QByteArray &head);
};

} // namespace qvx

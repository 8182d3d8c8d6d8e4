#pragma once
// Zip files made for tests of the workbook readers: members written piece by
// piece, so that a member of hundreds of megabytes never lies whole in the
// test's memory.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <minizip/zip.h>

#include <functional>

namespace testing_support {

// A zip member and how its content is written.
struct Member
{
    QByteArray name;
    std::function<void(const std::function<void(const QByteArray &)> &)> write;
};

inline Member member(const QByteArray &name, const QByteArray &content)
{
    return {name, [content](const auto &put) { put(content); }};
}

// `body` repeated to `totalBytes` between `head` and `tail`.
inline Member repeated(const QByteArray &name, const QByteArray &head, const QByteArray &body, qint64 totalBytes,
                       const QByteArray &tail)
{
    return {name, [=](const auto &put) {
                put(head);
                QByteArray block;
                while (block.size() < (1024 * 1024))
                    block += body;
                for (qint64 written = 0; written < totalBytes; written += block.size())
                    put(block);
                put(tail);
            }};
}

inline bool writeZip(const QString &fileName, const QList<Member> &members)
{
    zipFile zip = zipOpen64(QFile::encodeName(fileName).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    bool ok = true;
    for (const Member &m : members) {
        ok = ok && zipOpenNewFileInZip64(zip, m.name.constData(), nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6, 1) == ZIP_OK;
        m.write([&](const QByteArray &bytes) {
            ok = ok && zipWriteInFileInZip(zip, bytes.constData(), unsigned(bytes.size())) == ZIP_OK;
        });
        ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

} // namespace testing_support

#include "platform/CompoundFile.h"

#include <QtEndian>

#include <algorithm>
#include <vector>

namespace qvx {

namespace {

constexpr quint32 FreeSect = 0xFFFFFFFF;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FatSect = 0xFFFFFFFD;
constexpr quint32 DifatSect = 0xFFFFFFFC;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr int HeaderDifatEntries = 109;
constexpr quint32 MiniStreamCutoff = 4096;
const char Signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

void put16(QByteArray &b, qsizetype at, quint16 v) { qToLittleEndian<quint16>(v, b.data() + at); }
void put32(QByteArray &b, qsizetype at, quint32 v) { qToLittleEndian<quint32>(v, b.data() + at); }
quint16 get16(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 get32(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }

// One 128-byte directory entry.
QByteArray directoryEntry(const QString &name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    QByteArray e(128, '\0');
    const QString n = name.left(31);
    for (qsizetype i = 0; i < n.size(); ++i)
        put16(e, i * 2, n.at(i).unicode());
    put16(e, 64, quint16((n.size() + 1) * 2));
    e[66] = char(type);
    e[67] = 1; // black
    put32(e, 68, NoStream);
    put32(e, 72, NoStream);
    put32(e, 76, child);
    put32(e, 116, start);
    put32(e, 120, size);
    return e;
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool CompoundFile::isCompoundFile(const QByteArray &head)
{
    return head.startsWith(QByteArray(Signature, 8));
}

QByteArray CompoundFile::build(const QString &name, QByteArray data)
{
    constexpr int SectorSize = 512;
    constexpr quint32 PerSector = SectorSize / 4;
    if (quint32(data.size()) < MiniStreamCutoff)
        data.append(QByteArray(MiniStreamCutoff - data.size(), '\0'));
    const quint32 streamSectors = quint32((data.size() + SectorSize - 1) / SectorSize);
    const quint32 dirSectors = 1;
    // The allocation table covers every sector, its own and the ones that
    // list it (DIFAT) included.
    quint32 fatSectors = 1, difatSectors = 0;
    for (;;) {
        const quint32 total = streamSectors + dirSectors + fatSectors + difatSectors;
        const quint32 needFat = (total + PerSector - 1) / PerSector;
        const quint32 needDifat = needFat > HeaderDifatEntries ? (needFat - HeaderDifatEntries + PerSector - 2) / (PerSector - 1) : 0;
        if (needFat == fatSectors && needDifat == difatSectors)
            break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const quint32 dirStart = streamSectors;
    const quint32 fatStart = dirStart + dirSectors;
    const quint32 difatStart = fatStart + fatSectors;
    const quint32 totalSectors = difatStart + difatSectors;

    QByteArray header(SectorSize, '\0');
    header.replace(0, 8, QByteArray(Signature, 8));
    put16(header, 24, 0x003E);
    put16(header, 26, 0x0003);
    put16(header, 28, 0xFFFE);
    put16(header, 30, 9); // 512-byte sectors
    put16(header, 32, 6); // 64-byte mini sectors
    put32(header, 44, fatSectors);
    put32(header, 48, dirStart);
    put32(header, 56, MiniStreamCutoff);
    put32(header, 60, EndOfChain); // no mini FAT
    put32(header, 68, difatSectors ? difatStart : EndOfChain);
    put32(header, 72, difatSectors);
    for (int i = 0; i < HeaderDifatEntries; ++i)
        put32(header, 76 + i * 4, quint32(i) < fatSectors ? fatStart + quint32(i) : FreeSect);

    QByteArray fat(qsizetype(fatSectors) * SectorSize, '\xFF');
    auto setFat = [&](quint32 sector, quint32 next) { put32(fat, qsizetype(sector) * 4, next); };
    for (quint32 s = 0; s < streamSectors; ++s)
        setFat(s, s + 1 == streamSectors ? EndOfChain : s + 1);
    setFat(dirStart, EndOfChain);
    for (quint32 s = 0; s < fatSectors; ++s)
        setFat(fatStart + s, FatSect);
    for (quint32 s = 0; s < difatSectors; ++s)
        setFat(difatStart + s, DifatSect);

    QByteArray difat(qsizetype(difatSectors) * SectorSize, '\xFF');
    for (quint32 i = HeaderDifatEntries; i < fatSectors; ++i) {
        const quint32 k = i - HeaderDifatEntries;
        put32(difat, qsizetype(k / (PerSector - 1)) * SectorSize + (k % (PerSector - 1)) * 4, fatStart + i);
    }
    for (quint32 s = 0; s < difatSectors; ++s)
        put32(difat, qsizetype(s) * SectorSize + (PerSector - 1) * 4, s + 1 == difatSectors ? EndOfChain : difatStart + s + 1);

    QByteArray directory;
    directory += directoryEntry(QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
    directory += directoryEntry(name, 2, NoStream, 0, quint32(data.size()));
    for (int i = 2; i < 4; ++i) {
        QByteArray empty(128, '\0');
        put32(empty, 68, NoStream);
        put32(empty, 72, NoStream);
        put32(empty, 76, NoStream);
        directory += empty;
    }

    QByteArray out;
    out.reserve(qsizetype(totalSectors + 1) * SectorSize);
    out += header;
    out += data;
    out.append(QByteArray(qsizetype(streamSectors) * SectorSize - data.size(), '\0'));
    out += directory;
    out += fat;
    out += difat;
    return out;
}

bool CompoundFile::readStream(const QByteArray &file, const QString &name, QByteArray *data, QString *error)
{
    if (file.size() < 512 || !isCompoundFile(file))
        return fail(error, QStringLiteral("not a compound file"));
    const quint16 sectorShift = get16(file, 30);
    const quint16 miniShift = get16(file, 32);
    if (sectorShift < 7 || sectorShift > 16 || miniShift > sectorShift)
        return fail(error, QStringLiteral("the compound file is damaged"));
    const qsizetype sectorSize = qsizetype(1) << sectorShift;
    const qsizetype miniSize = qsizetype(1) << miniShift;
    const quint32 sectorCount = quint32(std::max<qsizetype>(0, (file.size() - sectorSize) / sectorSize + 1));
    auto sectorAt = [&](quint32 s) { return sectorSize + qsizetype(s) * sectorSize; };
    auto validSector = [&](quint32 s) { return s < sectorCount && sectorAt(s) + sectorSize <= file.size() + sectorSize; };

    // The FAT sector list: 109 in the header, the rest in DIFAT sectors.
    std::vector<quint32> fatSectors;
    for (int i = 0; i < HeaderDifatEntries; ++i) {
        const quint32 s = get32(file, 76 + i * 4);
        if (s != FreeSect)
            fatSectors.push_back(s);
    }
    quint32 difat = get32(file, 68);
    for (quint32 guard = 0; difat != EndOfChain && difat != FreeSect; ++guard) {
        if (!validSector(difat) || guard > sectorCount)
            return fail(error, QStringLiteral("the compound file is damaged"));
        const qsizetype at = sectorAt(difat);
        const qsizetype entries = sectorSize / 4 - 1;
        for (qsizetype i = 0; i < entries && at + i * 4 + 4 <= file.size(); ++i) {
            const quint32 s = get32(file, at + i * 4);
            if (s != FreeSect)
                fatSectors.push_back(s);
        }
        difat = at + entries * 4 + 4 <= file.size() ? get32(file, at + entries * 4) : EndOfChain;
    }
    std::vector<quint32> fat;
    fat.reserve(fatSectors.size() * size_t(sectorSize / 4));
    for (quint32 s : fatSectors) {
        const qsizetype at = sectorAt(s);
        for (qsizetype i = 0; i < sectorSize / 4; ++i)
            fat.push_back(at + i * 4 + 4 <= file.size() ? get32(file, at + i * 4) : FreeSect);
    }

    // Follows a chain of sectors; false on a loop or a sector outside the file.
    auto readChain = [&](quint32 start, const std::vector<quint32> &table, auto &&sector, qsizetype unit, quint64 limit,
                         QByteArray *out) {
        out->clear();
        std::vector<bool> seen(table.size(), false);
        for (quint32 s = start; s != EndOfChain; s = table[s]) {
            if (s >= table.size() || seen[s])
                return false;
            seen[s] = true;
            const qsizetype at = sector(s);
            if (at < 0 || at + unit > file.size() + unit)
                return false;
            out->append(file.mid(at, unit));
            if (quint64(out->size()) >= limit)
                break;
        }
        return true;
    };
    auto bigSector = [&](quint32 s) { return sectorAt(s); };

    QByteArray directory;
    if (!readChain(get32(file, 48), fat, bigSector, sectorSize, quint64(1) << 31, &directory) || directory.size() < 128)
        return fail(error, QStringLiteral("the compound file's directory is damaged"));
    const qsizetype entries = directory.size() / 128;
    auto entryName = [&](qsizetype i) {
        const qsizetype at = i * 128;
        const int bytes = std::clamp<int>(get16(directory, at + 64), 2, 64);
        QString n;
        for (int k = 0; k < bytes - 2 && k < 62; k += 2) {
            const quint16 ch = get16(directory, at + k);
            if (ch == 0)
                break;
            n += QChar(ch);
        }
        return n;
    };
    qsizetype found = -1;
    for (qsizetype i = 1; i < entries; ++i)
        if (directory[i * 128 + 66] == 2 && entryName(i).compare(name, Qt::CaseInsensitive) == 0) {
            found = i;
            break;
        }
    if (found < 0)
        return fail(error, QStringLiteral("the file holds no %1 stream").arg(name));
    const quint32 start = get32(directory, found * 128 + 116);
    const quint64 size = get32(directory, found * 128 + 120); // streams of a workbook stay below 4 GB
    if (size == 0) {
        data->clear();
        return true;
    }
    if (size < get32(file, 56)) {
        // A short stream lives in the mini stream (the root entry's stream)
        // and is chained through the mini FAT.
        QByteArray miniStream, miniFatBytes;
        if (!readChain(get32(directory, 116), fat, bigSector, sectorSize, get32(directory, 120), &miniStream)
            || !readChain(get32(file, 60), fat, bigSector, sectorSize, quint64(1) << 31, &miniFatBytes))
            return fail(error, QStringLiteral("the compound file's short streams are damaged"));
        std::vector<quint32> miniFat(size_t(miniFatBytes.size() / 4));
        for (size_t i = 0; i < miniFat.size(); ++i)
            miniFat[i] = get32(miniFatBytes, qsizetype(i) * 4);
        // Mini sectors are addressed inside the mini stream, not the file.
        QByteArray out;
        std::vector<bool> seen(miniFat.size(), false);
        for (quint32 s = start; s != EndOfChain; s = miniFat[s]) {
            if (s >= miniFat.size() || seen[s] || qsizetype(s) * miniSize + miniSize > miniStream.size())
                return fail(error, QStringLiteral("the compound file's short streams are damaged"));
            seen[s] = true;
            out.append(miniStream.mid(qsizetype(s) * miniSize, miniSize));
            if (quint64(out.size()) >= size)
                break;
        }
        if (quint64(out.size()) < size)
            return fail(error, QStringLiteral("the %1 stream is cut short").arg(name));
        *data = out.left(qsizetype(size));
        return true;
    }
    QByteArray out;
    if (!readChain(start, fat, bigSector, sectorSize, size, &out) || quint64(out.size()) < size)
        return fail(error, QStringLiteral("the %1 stream is damaged").arg(name));
    *data = out.left(qsizetype(size));
    return true;
}

} // namespace qvx

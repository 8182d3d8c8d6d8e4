#include "platform/CompoundFile.h"

#include <QtEndian>

#include <algorithm>
#include <vector>

namespace qvx {

namespace {

// The special sector numbers of the allocation table.
enum : quint32 { FreeSect = 0xFFFFFFFF, EndOfChain = 0xFFFFFFFE, FatSect = 0xFFFFFFFD, DifatSect = 0xFFFFFFFC };
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
    const QString damaged = QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다");
    if (file.size() < 512 || !isCompoundFile(file))
        return fail(error, QStringLiteral("엑셀 97-2003 통합 문서 형식의 파일이 아닙니다."));
    const quint16 sectorShift = get16(file, 30);
    const quint16 miniShift = get16(file, 32);
    if (sectorShift < 7 || sectorShift > 16 || miniShift < 2 || miniShift > sectorShift)
        return fail(error, damaged + QStringLiteral(" (머리글의 섹터 크기가 올바르지 않습니다)."));
    const qsizetype sectorSize = qsizetype(1) << sectorShift;
    const qsizetype miniSize = qsizetype(1) << miniShift;
    // Sector s starts at (s + 1) * sectorSize; only sectors that start inside
    // the file exist, so every table and chain below is bounded by the
    // file's own length, whatever the file declares.
    const quint32 sectorCount = quint32(file.size() > sectorSize ? (file.size() - 1) / sectorSize : 0);
    auto sectorAt = [&](quint32 s) { return sectorSize + qsizetype(s) * sectorSize; };

    // The FAT sector list: 109 in the header, the rest in a chain of DIFAT
    // sectors. A sector named twice (as FAT or DIFAT) makes a loop.
    const quint32 declaredFat = get32(file, 44);
    if (declaredFat > sectorCount)
        return fail(error, damaged + QStringLiteral(" (할당표의 크기가 파일 길이를 넘습니다)."));
    std::vector<bool> claimed(sectorCount, false);
    std::vector<quint32> fatSectors;
    enum class Claim { Ok, Outside, Again };
    auto claim = [&](quint32 s) {
        if (s >= sectorCount)
            return Claim::Outside;
        if (claimed[s])
            return Claim::Again;
        claimed[s] = true;
        return Claim::Ok;
    };
    auto chainFault = [&](Claim c) {
        return fail(error, damaged + (c == Claim::Again ? QStringLiteral(" (섹터 연결이 같은 섹터로 되돌아옵니다).")
                                                        : QStringLiteral(" (섹터 연결이 파일 밖을 가리킵니다).")));
    };
    auto addFat = [&](quint32 s) {
        if (s == FreeSect || fatSectors.size() >= declaredFat)
            return Claim::Ok;
        const Claim c = claim(s);
        if (c == Claim::Ok)
            fatSectors.push_back(s);
        return c;
    };
    for (int i = 0; i < HeaderDifatEntries; ++i)
        if (const Claim c = addFat(get32(file, 76 + i * 4)); c != Claim::Ok)
            return chainFault(c);
    const qsizetype perDifat = sectorSize / 4 - 1;
    for (quint32 difat = get32(file, 68); difat != EndOfChain && difat != FreeSect && fatSectors.size() < declaredFat;) {
        if (const Claim c = claim(difat); c != Claim::Ok)
            return chainFault(c);
        const qsizetype at = sectorAt(difat);
        if (at + sectorSize > file.size())
            return fail(error, damaged + QStringLiteral(" (할당표 목록이 파일 끝에서 잘렸습니다)."));
        for (qsizetype i = 0; i < perDifat; ++i)
            if (const Claim c = addFat(get32(file, at + i * 4)); c != Claim::Ok)
                return chainFault(c);
        difat = get32(file, at + perDifat * 4);
    }
    if (fatSectors.size() < declaredFat)
        return fail(error, damaged + QStringLiteral(" (할당표의 일부가 없습니다)."));

    // Entries for sectors beyond the file could only lead outside it.
    std::vector<quint32> fat;
    fat.reserve(sectorCount);
    for (quint32 s : fatSectors) {
        const qsizetype at = sectorAt(s);
        for (qsizetype i = 0; i < sectorSize / 4 && fat.size() < sectorCount; ++i)
            fat.push_back(at + i * 4 + 4 <= file.size() ? get32(file, at + i * 4) : FreeSect);
    }

    // Follows a chain of `unit`-sized pieces of `source` through `table` up
    // to `limit` bytes; each piece is visited once, so the result never
    // outgrows the source. False on a loop or a piece outside the source.
    enum class Chain { Ok, Loop, Outside };
    auto readChain = [](const QByteArray &source, qsizetype firstAt, quint32 start, const std::vector<quint32> &table,
                        qsizetype unit, quint64 limit, QByteArray *out) {
        out->clear();
        std::vector<bool> seen(table.size(), false);
        for (quint32 s = start; s != EndOfChain && quint64(out->size()) < limit; s = table[s]) {
            if (s >= table.size())
                return Chain::Outside;
            if (seen[s])
                return Chain::Loop;
            seen[s] = true;
            const qsizetype at = firstAt + qsizetype(s) * unit;
            if (at >= source.size())
                return Chain::Outside;
            out->append(source.constData() + at, std::min(unit, source.size() - at));
        }
        return Chain::Ok;
    };
    auto streamFault = [&](Chain c, const QString &what) {
        return fail(error, damaged + QStringLiteral(" (%1: %2).")
                                         .arg(what, c == Chain::Loop ? QStringLiteral("섹터 연결이 되풀이됩니다")
                                                                     : QStringLiteral("섹터 연결이 파일 밖을 가리킵니다")));
    };

    QByteArray directory;
    if (const Chain c = readChain(file, sectorSize, get32(file, 48), fat, sectorSize, quint64(file.size()), &directory);
        c != Chain::Ok)
        return streamFault(c, QStringLiteral("목록"));
    if (directory.size() < 128)
        return fail(error, damaged + QStringLiteral(" (목록이 없습니다)."));
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
        return fail(error, QStringLiteral("엑셀 파일에 %1 자료가 없습니다.").arg(name));
    const quint32 start = get32(directory, found * 128 + 116);
    const quint64 size = get32(directory, found * 128 + 120); // streams of a workbook stay below 4 GB
    if (size == 0) {
        data->clear();
        return true;
    }
    // A declared size beyond the file is refused before anything is read.
    if (size > quint64(file.size()))
        return fail(error, damaged + QStringLiteral(" (%1 자료의 크기가 파일 길이를 넘습니다).").arg(name));
    QByteArray out;
    if (size < get32(file, 56)) {
        // A short stream lives in the mini stream (the root entry's stream)
        // and is chained through the mini FAT.
        const quint64 miniStreamSize = get32(directory, 120);
        if (miniStreamSize > quint64(file.size()))
            return fail(error, damaged + QStringLiteral(" (작은 자료 영역의 크기가 파일 길이를 넘습니다)."));
        QByteArray miniStream, miniFatBytes;
        if (const Chain c = readChain(file, sectorSize, get32(directory, 116), fat, sectorSize, miniStreamSize, &miniStream);
            c != Chain::Ok)
            return streamFault(c, QStringLiteral("작은 자료 영역"));
        if (const Chain c = readChain(file, sectorSize, get32(file, 60), fat, sectorSize, quint64(file.size()), &miniFatBytes);
            c != Chain::Ok)
            return streamFault(c, QStringLiteral("작은 자료 할당표"));
        // Mini sectors are addressed inside the mini stream, not the file.
        std::vector<quint32> miniFat(size_t(std::min<qsizetype>(miniFatBytes.size() / 4, miniStream.size() / miniSize)));
        for (size_t i = 0; i < miniFat.size(); ++i)
            miniFat[i] = get32(miniFatBytes, qsizetype(i) * 4);
        if (const Chain c = readChain(miniStream, 0, start, miniFat, miniSize, size, &out); c != Chain::Ok)
            return streamFault(c, name);
    } else if (const Chain c = readChain(file, sectorSize, start, fat, sectorSize, size, &out); c != Chain::Ok) {
        return streamFault(c, name);
    }
    if (quint64(out.size()) < size)
        return fail(error, damaged + QStringLiteral(" (%1 자료가 중간에 끊겼습니다).").arg(name));
    out.truncate(qsizetype(size));
    *data = out;
    return true;
}

} // namespace qvx

#include "platform/Cp949.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qvx::IniFile;

namespace {

QByteArray readAll(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &name, const QByteArray &data)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

TEST(IniFile, MissingFileReadsEmpty)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("none.ini"));
    EXPECT_FALSE(ini.exists());
    EXPECT_EQ(ini.readString("A", "B", "def"), QStringLiteral("def"));
    EXPECT_EQ(ini.readInteger("A", "B", 7), 7);
    EXPECT_TRUE(ini.sections().isEmpty());
    EXPECT_FALSE(ini.sectionExists("A"));
    EXPECT_TRUE(ini.deleteKey("A", "B"));
    EXPECT_FALSE(ini.exists()); // nothing to delete writes nothing
}

TEST(IniFile, CaseInsensitiveLookupsAndTrimming)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("config.ini");
    writeAll(name, "; settings\r\n[Network]\r\nIPADDRESS =  127.0.0.1  \r\nRecvPort=20001\r\n"
                   "Quoted=\"a b\"\r\nnoequals\r\n[display]\r\nMAX=1\r\nBad=12x\r\n");
    IniFile ini(name);
    EXPECT_EQ(ini.readString("NETWORK", "ipaddress"), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(ini.readString("network", "RECVPORT"), QStringLiteral("20001"));
    EXPECT_EQ(ini.readInteger("Network", "recvport", 0), 20001);
    EXPECT_EQ(ini.readString("Network", "quoted"), QStringLiteral("a b"));
    EXPECT_EQ(ini.readInteger("DISPLAY", "max", 0), 1);
    EXPECT_EQ(ini.readInteger("DISPLAY", "bad", -1), -1);
    EXPECT_EQ(ini.readString("Network", "noequals", "d"), QStringLiteral("d"));
    EXPECT_EQ(ini.sections(), (QStringList{"Network", "display"}));
    EXPECT_EQ(ini.keys("NETWORK"), (QStringList{"IPADDRESS", "RecvPort", "Quoted"}));
    EXPECT_TRUE(ini.valueExists("network", "recvport"));
    EXPECT_FALSE(ini.valueExists("network", "max"));
}

TEST(IniFile, RewriteKeepsOrderCommentsAndBytes)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("config.ini");
    const QByteArray original = "; top comment\r\n[A]\r\nx=1\r\n; inside A\r\ny = 2\r\n\r\n[B]\r\nz=3\r\n";
    writeAll(name, original);
    IniFile ini(name);

    ASSERT_TRUE(ini.writeString("a", "Y", "22"));
    EXPECT_EQ(readAll(name), QByteArray("; top comment\r\n[A]\r\nx=1\r\n; inside A\r\ny=22\r\n\r\n[B]\r\nz=3\r\n"));

    ASSERT_TRUE(ini.writeString("A", "new", "n"));
    EXPECT_EQ(readAll(name), QByteArray("; top comment\r\n[A]\r\nx=1\r\n; inside A\r\ny=22\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n"));

    ASSERT_TRUE(ini.writeString("C", "k", "v"));
    EXPECT_TRUE(readAll(name).endsWith("[B]\r\nz=3\r\n[C]\r\nk=v\r\n"));

    ASSERT_TRUE(ini.deleteKey("a", "X"));
    EXPECT_EQ(ini.keys("A"), (QStringList{"y", "new"}));
    ASSERT_TRUE(ini.eraseSection("b"));
    EXPECT_EQ(ini.sections(), (QStringList{"A", "C"}));
    EXPECT_TRUE(readAll(name).startsWith("; top comment\r\n[A]\r\n; inside A\r\n"));
    // No temporary files are left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"config.ini"});
}

TEST(IniFile, KoreanValuesAreCp949OnDisk)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("config.ini");
    IniFile ini(name);
    const QString title = QStringLiteral("1이체일자갂");
    ASSERT_TRUE(ini.writeString("QV_ICHEMAKE_FRM", "1", title));
    const QByteArray disk = readAll(name);
    EXPECT_TRUE(disk.contains("1=" + qvx::Cp949::encode(title) + "\r\n"));
    EXPECT_FALSE(disk.contains(title.toUtf8()));
    EXPECT_EQ(IniFile(name).readString("qv_ichemake_frm", "1"), title);

    // A Korean section name written elsewhere in CP949 is found too.
    writeAll(name, "[" + qvx::Cp949::encode(QStringLiteral("한글")) + "]\nkey=" +
                       qvx::Cp949::encode(QStringLiteral("값")) + "\n");
    EXPECT_EQ(ini.readString(QStringLiteral("한글"), "KEY"), QStringLiteral("값"));
    ASSERT_TRUE(ini.writeString(QStringLiteral("한글"), "k2", "v"));
    EXPECT_EQ(readAll(name), "[" + qvx::Cp949::encode(QStringLiteral("한글")) + "]\nkey=" +
                                 qvx::Cp949::encode(QStringLiteral("값")) + "\nk2=v\n");
}

TEST(IniFile, RefusesWhatWouldBreakTheFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("config.ini");
    IniFile ini(name);
    ASSERT_TRUE(ini.writeString("S", "k", "v"));
    EXPECT_FALSE(ini.writeString("S", "k", "a\r\nb=c"));
    EXPECT_FALSE(ini.writeString("S", "k", QStringLiteral("\u00E9"))); // not storable in CP949
    EXPECT_EQ(ini.readString("S", "k"), QStringLiteral("v"));
    // A folder that does not exist: the write fails and says so.
    IniFile nowhere(dir.filePath("no/such/dir/x.ini"));
    EXPECT_FALSE(nowhere.writeString("S", "k", "v"));
    EXPECT_FALSE(nowhere.errorString().isEmpty());
}

TEST(IniFile, FileWithoutFinalLineBreak)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("remote.ini");
    writeAll(name, "[REMOTE_SERVER]\nNAME=QVXServer.QVSERVER01");
    IniFile ini(name);
    EXPECT_EQ(ini.readString("remote_server", "name"), QStringLiteral("QVXServer.QVSERVER01"));
    ASSERT_TRUE(ini.writeString("REMOTE_SERVER", "PORT", "211"));
    EXPECT_EQ(readAll(name), QByteArray("[REMOTE_SERVER]\nNAME=QVXServer.QVSERVER01\nPORT=211\n"));
}

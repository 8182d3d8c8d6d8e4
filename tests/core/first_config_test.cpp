// The first config.ini that the run command writes into a fresh program
// folder: the local server, and every list screen's column section, so the
// screen settings list the columns of every screen on a fresh install.

#include "core/ScreenSections.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool writeFirstConfig(const QString &home)
{
    QProcess script;
    script.start(QStringLiteral("bash"), {QStringLiteral(QVX_SOURCE_DIR "/scripts/first-config.sh"), home,
                                          QStringLiteral("50211"), QStringLiteral("20001")});
    return script.waitForFinished(30000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
}

} // namespace

TEST(FirstConfig, EveryListScreenHasItsColumnsShown)
{
    QTemporaryDir home;
    ASSERT_TRUE(writeFirstConfig(home.path()));
    qvx::IniFile ini(home.filePath(QStringLiteral("config.ini")));
    EXPECT_EQ(ini.readString(QStringLiteral("Network"), QStringLiteral("IP Address")), QStringLiteral("127.0.0.1:50211"));
    EXPECT_EQ(ini.readString(QStringLiteral("Network"), QStringLiteral("RecvPort")), QStringLiteral("20001"));

    // Every section the screen settings offer, with its number of shown columns.
    const std::pair<const char *, int> sections[] = {
        {"QV_ICHEMAKE_FRM", 16},     {"QV_ICHEMAKEJURU_FRM", 16}, {"QV_ICHEVIEW_FRM", 21},
        {"QV_J_ICHEVIEW_FRM", 21},   {"QV_ICHEERRVIEW_FRM", 17},  {"QV_TICHEERRT_FRM", 17},
        {"QV_DEPOSIT_FRM", 18},      {"QV_DRAFT_FRM", 23},        {"QV_TRSUM_FRM", 20},
        {"QV_ICHESEARCH_FRM", 21},   {"QV_J_ICHESEARCH_FRM", 21}, {"QV_TICHENAMESEARCH_FRM", 9},
        {"QV_AMTSEARCH_FRM", 6}};
    for (const auto &[name, columns] : sections) {
        const QString section = QString::fromLatin1(name);
        ASSERT_TRUE(ini.sectionExists(section)) << name;
        for (int key = 1; key <= columns; ++key) {
            const QString value = ini.readString(section, QString::number(key));
            EXPECT_TRUE(value.startsWith(u'1') && value.size() > 1) << name << " key " << key;
        }
        EXPECT_FALSE(ini.valueExists(section, QString::number(columns + 1))) << name;
    }
    EXPECT_EQ(ini.readString(QStringLiteral("QV_ICHEMAKE_FRM"), QStringLiteral("8")), QStringLiteral("1이체금액"));
    EXPECT_EQ(ini.readString(QStringLiteral("QV_AMTSEARCH_FRM"), QStringLiteral("1")), QStringLiteral("1거래 은행"));
    EXPECT_EQ(ini.readString(QStringLiteral("QV_DEPOSIT_FRM"), QStringLiteral("14")), QStringLiteral("1어음/수표번호"));
}

TEST(FirstConfig, AnExistingConfigIsLeftAsItIs)
{
    QTemporaryDir home;
    QFile existing(home.filePath(QStringLiteral("config.ini")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("[Network]\r\nIP Address=10.1.2.3:211\r\n");
    existing.close();
    ASSERT_TRUE(writeFirstConfig(home.path()));
    qvx::IniFile ini(home.filePath(QStringLiteral("config.ini")));
    EXPECT_EQ(ini.readString(QStringLiteral("Network"), QStringLiteral("IP Address")), QStringLiteral("10.1.2.3:211"));
    EXPECT_FALSE(ini.sectionExists(QStringLiteral("QV_ICHEMAKE_FRM")));
}

TEST(FirstConfig, TheClientAddsTheColumnSectionsAConfigLacks)
{
    // A config.ini as the login dialog's server registration leaves it, with
    // one screen's section already set by the user.
    QTemporaryDir home;
    const QString name = home.filePath(QStringLiteral("config.ini"));
    QFile existing(name);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("[Network]\r\nIP Address=10.1.2.3:211\r\n[QV_AMTSEARCH_FRM]\r\n1=0X");
    existing.close();
    ASSERT_TRUE(WriteMissingScreenSections(name));

    // Every other section as the run command writes it.
    QTemporaryDir fresh;
    ASSERT_TRUE(writeFirstConfig(fresh.path()));
    const qvx::IniFile expected(fresh.filePath(QStringLiteral("config.ini")));
    const qvx::IniFile ini(name);
    EXPECT_EQ(ini.readString(QStringLiteral("Network"), QStringLiteral("IP Address")), QStringLiteral("10.1.2.3:211"));
    EXPECT_EQ(ini.keys(QStringLiteral("QV_AMTSEARCH_FRM")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(ini.readString(QStringLiteral("QV_AMTSEARCH_FRM"), QStringLiteral("1")), QStringLiteral("0X"));
    int sections = 0;
    for (const QString &section : expected.sections()) {
        if (!section.startsWith(QLatin1String("QV_")) || section == u"QV_AMTSEARCH_FRM")
            continue;
        ++sections;
        ASSERT_EQ(ini.keys(section), expected.keys(section)) << section.toStdString();
        for (const QString &key : expected.keys(section))
            EXPECT_EQ(ini.readString(section, key), expected.readString(section, key));
    }
    EXPECT_EQ(sections, 12);
    EXPECT_EQ(ini.readString(QStringLiteral("QV_ICHEMAKE_FRM"), QStringLiteral("8")), QStringLiteral("1이체금액"));

    // Nothing more to add the second time; no file is made where there is none.
    EXPECT_TRUE(WriteMissingScreenSections(name));
    EXPECT_TRUE(WriteMissingScreenSections(home.filePath(QStringLiteral("none.ini"))));
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("none.ini"))));
}

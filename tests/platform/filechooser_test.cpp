// The program's file dialogs: filters shown once each, the chosen type found
// by its pattern through the real dialog, and text files whose lines end in
// CR LF, LF or a bare CR.
#include "platform/FileChooser.h"
#include "platform/TextFile.h"
#include "support/FileDialogDriver.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString SaveFilter = QStringLiteral("텍스트파일 (*.txt)| *.txt|엑셀파일     (*.xls)|*.xls");

} // namespace

TEST(FileChooser, FiltersShowTheirPatternOnce)
{
    EXPECT_EQ(qvx::FileChooser::qtFilters(SaveFilter),
              (QStringList{QStringLiteral("텍스트파일 (*.txt)"), QStringLiteral("엑셀파일 (*.xls)")}));
    EXPECT_EQ(qvx::FileChooser::qtFilters(QStringLiteral("모든파일|*.*")), QStringList{QStringLiteral("모든파일 (*.*)")});
    EXPECT_EQ(qvx::FileChooser::filterIndexOf(SaveFilter, QStringLiteral("엑셀파일 (*.xls)")), 2);
    EXPECT_EQ(qvx::FileChooser::filterIndexOf(SaveFilter, QStringLiteral("텍스트파일 (*.txt)")), 1);
}

TEST(FileChooser, TheSpreadsheetChoiceOfTheRealDialogIsRecognised)
{
    QTemporaryDir dir;
    for (const auto &[pattern, index] : {std::pair{QStringLiteral("*.xls"), 2}, std::pair{QStringLiteral("*.txt"), 1}}) {
        const QString name = QStringLiteral("목록") + QString::number(index);
        const auto answer = testsupport::AnswerNextFileDialog(pattern, name);
        const qvx::FileChooser::Result r =
            qvx::FileChooser::instance().save(nullptr, QStringLiteral("파일 저장"), dir.path(), QString(), SaveFilter, 1);
        ASSERT_TRUE(answer->answered);
        EXPECT_EQ(answer->shownTypes, (QStringList{QStringLiteral("텍스트파일 (*.txt)"), QStringLiteral("엑셀파일 (*.xls)")}));
        EXPECT_EQ(r.filterIndex, index);
        EXPECT_TRUE(r.fileName.startsWith(dir.filePath(name))) << r.fileName.toStdString();
    }
}

TEST(FileChooser, TheFileListShowsSizesAndDatesInKorean)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("목록.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(5000, 'x'));
    file.close();
    const auto answer = testsupport::AnswerNextFileDialog(QString(), QString());
    qvx::FileChooser::instance().open(nullptr, QStringLiteral("파일 열기"), dir.path(), SaveFilter, 1);
    ASSERT_TRUE(answer->answered);
    ASSERT_GE(answer->shownRow.size(), 4) << answer->shownRow.join(u'|').toStdString();
    EXPECT_EQ(answer->shownRow[1], QStringLiteral("5 KB"));
    const QString date = answer->shownRow[3];
    EXPECT_TRUE(date.contains(QStringLiteral("오전")) || date.contains(QStringLiteral("오후"))) << date.toStdString();
    EXPECT_TRUE(date.startsWith(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")))) << date.toStdString();
    EXPECT_TRUE(answer->cutColumns.isEmpty()) << "elided columns: " << answer->cutColumns.size();
}

TEST(FileChooser, TheFileListsColumnsHoldTheirWidestValues)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("지급이체_거래처목록_2026년12월분.xlsx")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.resize(123456789);
    file.close();
    // A dialog keeps the column widths of the one before it: first an empty folder.
    QTemporaryDir empty;
    const auto before = testsupport::AnswerNextFileDialog(QString(), QString());
    qvx::FileChooser::instance().open(nullptr, QStringLiteral("파일 열기"), empty.path(), QStringLiteral("*.*|*.*"));
    ASSERT_TRUE(before->answered);
    const auto answer = testsupport::AnswerNextFileDialog(QString(), QString());
    qvx::FileChooser::instance().open(nullptr, QStringLiteral("파일 열기"), dir.path(), QStringLiteral("*.*|*.*"));
    ASSERT_TRUE(answer->answered);
    ASSERT_GE(answer->shownRow.size(), 4);
    EXPECT_EQ(answer->shownRow[1], QStringLiteral("120,564 KB"));
    EXPECT_TRUE(answer->cutColumns.isEmpty()) << "elided columns: " << answer->cutColumns.size();
}

namespace {
QStringList g_warnings;
void RecordWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        g_warnings << message;
}
} // namespace

TEST(FileChooser, ADialogWithoutAFolderOpensWithoutAWarning)
{
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
    const auto answer = testsupport::AnswerNextFileDialog(QString(), QString());
    qvx::FileChooser::instance().open(nullptr, QString(), QString(), QStringLiteral("*.*|*.*"));
    qInstallMessageHandler(previous);
    ASSERT_TRUE(answer->answered);
    EXPECT_TRUE(g_warnings.filter(QStringLiteral("mkpath")).isEmpty()) << g_warnings.join(u'\n').toStdString();
}

TEST(FileChooser, AKoreanPatternListsItsFilesAndSwitchingTypesListsTheirs)
{
    QTemporaryDir dir;
    for (const char *name : {"수납_20261210023329.txt", "지급_20261210023330.txt", "메모.txt", "표.xls"}) {
        QFile f(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString filter =
        QStringLiteral("수납이체임시저장파일(수납_*.*)|수납_*.*| 텍스트파일 (*.txt)|*.txt|모든파일 (*.*)|*.*");
    EXPECT_EQ(qvx::FileChooser::patternsOf(filter, 1), QStringList{QStringLiteral("수납_*.*")});
    EXPECT_EQ(qvx::FileChooser::patternsOf(QStringLiteral("a|*.txt;*.dat"), 1),
              (QStringList{QStringLiteral("*.txt"), QStringLiteral("*.dat")}));
    EXPECT_TRUE(qvx::FileChooser::patternsOf(filter, 4).isEmpty());

    auto answer = testsupport::AnswerNextFileDialog(QString(), QString());
    qvx::FileChooser::instance().open(nullptr, QStringLiteral("파일 열기"), dir.path(), filter, 1,
                                      QStringLiteral("수납_*.*"));
    ASSERT_TRUE(answer->answered);
    EXPECT_EQ(answer->shownFiles, QStringList{QStringLiteral("수납_20261210023329.txt")});
    EXPECT_EQ(answer->shownName, QStringLiteral("수납_*.*"));

    // Another type chosen in the dialog lists that type's files.
    answer = testsupport::AnswerNextFileDialog(QStringLiteral("*.txt"), QString());
    qvx::FileChooser::instance().open(nullptr, QStringLiteral("파일 열기"), dir.path(), filter, 1);
    ASSERT_TRUE(answer->answered);
    EXPECT_EQ(answer->shownFiles, (QStringList{QStringLiteral("메모.txt"), QStringLiteral("수납_20261210023329.txt"),
                                               QStringLiteral("지급_20261210023330.txt")}));
}

TEST(TextFile, AFileForItsOwnerOnlyIsNeverReadableByOthers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("수납_x.txt"));
    // Also when it replaces a file everybody could read.
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    old.setPermissions(old.permissions() | QFileDevice::ReadOther | QFileDevice::ReadGroup);
    ASSERT_TRUE(qvx::TextFile::writeLines(path, {QStringLiteral("비밀")}, nullptr, qvx::TextFile::Access::OwnerOnly));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                                            | QFileDevice::WriteOther;
    EXPECT_EQ(QFile(path).permissions() & others, QFileDevice::Permissions());
    EXPECT_TRUE(QFile(path).permissions() & QFileDevice::ReadOwner);
}

TEST(TextFile, ABareCrEndsALineAsCrLfAndLfDo)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("lines.txt"));
    ASSERT_TRUE(qvx::TextFile::writeBytes(name, QByteArray("one\rtwo\r\nthree\nfour\r\rsix\r")));
    EXPECT_EQ(qvx::TextFile::readByteLines(name),
              (QList<QByteArray>{"one", "two", "three", "four", "", "six"}));
    EXPECT_EQ(qvx::TextFile::readLines(name).size(), 6);
}

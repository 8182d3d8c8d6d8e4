// The look both programs share: Qt's own dialogs in Korean, the Korean
// locale for dates, and one font family for Korean and Latin text.
#include "platform/ProgramLook.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QLocale>
#include <gtest/gtest.h>

TEST(ProgramLook, QtsOwnTextsAreKoreanAndDatesUseTheKoreanLocale)
{
    qvx::ApplyProgramLook();
    qvx::ApplyProgramLook(); // a second call changes nothing
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("다음에서 찾기:"));
    EXPECT_NE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Print"));
    EXPECT_EQ(QLocale().language(), QLocale::Korean);
    QCalendarWidget calendar;
    EXPECT_EQ(calendar.locale().language(), QLocale::Korean);
    EXPECT_EQ(calendar.locale().monthName(1), QStringLiteral("1월"));
}

TEST(ProgramLook, OneFamilyDrawsKoreanAndLatinForEveryNameTheFormsUse)
{
    qvx::ApplyProgramLook();
    const QString family = qvx::ProgramFontFamily();
    ASSERT_FALSE(family.isEmpty()) << "no installed face holds Korean and Latin glyphs";
    QFont face(family);
    face.setStyleStrategy(QFont::NoFontMerging);
    const QRawFont raw = QRawFont::fromFont(face);
    EXPECT_TRUE(raw.supportsCharacter(U'가'));
    EXPECT_TRUE(raw.supportsCharacter(U'Q'));
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), family);
    for (const char *name : {"굴림체", "굴림", "MS Sans Serif"})
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(name), 9)).family(), family) << name;
}

#include "platform/ProgramLook.h"

#include "platform/ProgramIcon.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qvx {

namespace {

// Families the forms name; each is drawn in the program's one family.
const char *const FormFamilies[] = {"굴림체", "굴림", "돋움", "돋움체", "MS Sans Serif", "Tahoma"};

// Asked of the face's own glyphs: the system's language tags often name only
// Korean for faces that draw Latin letters as well.
bool holdsKoreanAndLatin(const QString &family)
{
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    if (QFontInfo(font).family() != family)
        return false;
    const QRawFont raw = QRawFont::fromFont(font);
    for (char32_t c : {U'가', U'힣', U'A', U'z', U'0', U','})
        if (!raw.supportsCharacter(c))
            return false;
    return true;
}

void loadQtTranslations()
{
    static bool loaded = false; // once per run, however often the look is applied
    if (loaded)
        return;
    loaded = true;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *catalogue : {"qtbase", "qt"}) {
        auto *translator = new QTranslator(qApp);
        if (translator->load(QLocale(QLocale::Korean, QLocale::SouthKorea), QString::fromLatin1(catalogue),
                             QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace

QString ProgramFontFamily()
{
    for (const char *preferred : {"NanumGothicCoding", "D2Coding", "Noto Sans Mono CJK KR", "NanumGothic",
                                  "Noto Sans CJK KR", "UnDotum", "Baekmuk Gulim"}) {
        const QString family = QString::fromUtf8(preferred);
        if (holdsKoreanAndLatin(family))
            return family;
    }
    for (const QString &family : QFontDatabase::families(QFontDatabase::Korean))
        if (holdsKoreanAndLatin(family))
            return family;
    return QString();
}

void ApplyProgramLook()
{
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    loadQtTranslations();
    const QString family = ProgramFontFamily();
    if (!family.isEmpty()) {
        for (const char *name : FormFamilies)
            QFont::insertSubstitution(QString::fromUtf8(name), family);
        QFont font = QApplication::font();
        font.setFamily(family);
        QApplication::setFont(font);
    }
    ApplyProgramIcon();
}

} // namespace qvx

#include "core/screens/TempSaveFiles.h"

#include "core/SeqNo.h"
#include "platform/FileChooser.h"
#include "platform/Prompt.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

QString dataFolder() { return QDir::current().filePath(QStringLiteral("data")) + QLatin1Char('/'); }

} // namespace

QString ChooseTempSaveFile(QWidget *screen, const QString &proposed)
{
    return qvx::FileChooser::instance()
        .save(screen, QStringLiteral("파일 저장"), dataFolder(), proposed, QStringLiteral("텍스트파일 (*.txt)|*.txt"))
        .fileName;
}

bool WriteTempSaveFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    // The lines hold the mother accounts' passwords.
    if (!qvx::TextFile::writeBytes(path, bytes, &error, qvx::TextFile::Access::OwnerOnly)) {
        prompt().message(QDir::toNativeSeparators(path) + QStringLiteral(" 를 저장하지 못하였습니다.\r\n") + error);
        return false;
    }
    prompt().message(QDir::toNativeSeparators(path) + QStringLiteral(" 를 저장하였습니다."));
    return true;
}

std::optional<TempSaveFile> ReadTempSaveFile(QWidget *screen, const QString &caption, const QString &pattern)
{
    const QString filter =
        caption + u'|' + pattern + QStringLiteral("| 텍스트파일 (*.txt)|*.txt|모든파일 (*.*)|*.*");
    const qvx::FileChooser::Result chosen =
        qvx::FileChooser::instance().open(screen, QStringLiteral("파일 열기"), dataFolder(), filter, 1, pattern);
    if (chosen.fileName.isEmpty()) // cancelled
        return std::nullopt;
    TempSaveFile file;
    QString refusal;
    const qvx::TextFile::Read read =
        QFileInfo(chosen.fileName).isFile()
            ? qvx::TextFile::readCp949Lines(chosen.fileName, MaxBatchRows, &file.lines, &refusal)
            : qvx::TextFile::Read::Unreadable;
    if (read == qvx::TextFile::Read::Refused) {
        prompt().message(refusal);
        return std::nullopt;
    }
    if (read != qvx::TextFile::Read::Read) {
        prompt().message(QStringLiteral("임시저장된 파일이 존재하지 않습니다."));
        return std::nullopt;
    }
    file.fileName = chosen.fileName;
    return file;
}

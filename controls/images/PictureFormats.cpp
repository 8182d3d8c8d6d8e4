#include "controls/images/PictureFormats.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <vector>

namespace {

std::vector<PictureFormats::Format> &registry()
{
    static std::vector<PictureFormats::Format> formats;
    return formats;
}

QString extensionOf(const QString &fileName)
{
    return QFileInfo(fileName).suffix().toLower();
}

} // namespace

void PictureFormats::registerFormat(const Format &format)
{
    unregisterFormat(format.extension);
    Format entry = format;
    entry.extension = entry.extension.toLower();
    registry().push_back(entry);
}

void PictureFormats::unregisterFormat(const QString &extension)
{
    std::erase_if(registry(), [&](const Format &f) { return f.extension.compare(extension, Qt::CaseInsensitive) == 0; });
}

const PictureFormats::Format *PictureFormats::forFile(const QString &fileName)
{
    const QString extension = extensionOf(fileName);
    for (const Format &f : registry())
        if (f.extension == extension)
            return &f;
    return nullptr;
}

QStringList PictureFormats::extensions()
{
    QStringList out;
    for (const Format &f : registry())
        out << f.extension;
    return out;
}

QStringList PictureFormats::filters()
{
    QStringList out;
    for (const Format &f : registry())
        out << QStringLiteral("%1 (*.%2)").arg(f.description, f.extension);
    return out;
}

QImage PictureFormats::load(const QString &fileName, QString *error)
{
    if (const Format *format = forFile(fileName)) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = file.errorString();
            return QImage();
        }
        return format->load(file.readAll(), error);
    }
    QImageReader reader(fileName);
    const QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

#pragma once
// The program's picture loading: the picture file formats it knows beyond
// Qt's own readers, each under its file extension with a description and a
// clipboard (MIME) type, and the loader that reads its bytes. A format unit
// registers itself when the program starts.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class PictureFormats
{
public:
    using Loader = std::function<QImage(const QByteArray &bytes, QString *error)>;

    struct Format
    {
        QString extension;   // without the dot, lower case: "gif"
        QString description; // "CompuServe GIF Image"
        QString mimeType;    // "image/gif"
        Loader load;
    };

    // A later registration of the same extension replaces the earlier one.
    static void registerFormat(const Format &format);
    static void unregisterFormat(const QString &extension);
    // The format registered for a file name's extension (nullptr: none).
    static const Format *forFile(const QString &fileName);
    static QStringList extensions();
    // "CompuServe GIF Image (*.gif)", one entry per registered format, for
    // a file dialog's filter list.
    static QStringList filters();

    // A picture file through its registered format, or through Qt's own
    // readers for any other extension; a null image and the reason when it
    // cannot be read.
    static QImage load(const QString &fileName, QString *error = nullptr);
};

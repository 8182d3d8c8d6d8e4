#include "controls/images/GifImageBox.h"

#include "controls/images/GifPicture.h"

#include <QPainter>

TGifImageBox::TGifImageBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground, false);
    setAutoFillBackground(false);
}

namespace {

template <class Read> bool loadInto(TGIFImage &picture, Read &&read, QString *error)
{
    try {
        read();
        return true;
    } catch (const std::exception &e) {
        picture.ResetImage();
        if (error)
            *error = QString::fromUtf8(e.what());
        return false;
    }
}

} // namespace

bool TGifImageBox::LoadFromFormData(const QByteArray &data, QString *error)
{
    const bool ok = loadInto(
        m_picture,
        [&] { m_picture.ReadData(reinterpret_cast<const std::uint8_t *>(data.constData()), std::size_t(data.size())); },
        error);
    update();
    return ok;
}

bool TGifImageBox::LoadFromBytes(const QByteArray &bytes, QString *error)
{
    const bool ok = loadInto(
        m_picture,
        [&] {
            m_picture.ReadGifStream(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                    std::size_t(bytes.size()), true);
        },
        error);
    update();
    return ok;
}

void TGifImageBox::SetStretch(bool stretch)
{
    if (m_stretch != stretch) {
        m_stretch = stretch;
        update();
    }
}

void TGifImageBox::paintEvent(QPaintEvent *)
{
    if (m_picture.Empty())
        return;
    QPainter p(this);
    try {
        const QRect r = m_stretch ? rect() : QRect(0, 0, m_picture.Width(), m_picture.Height());
        DrawGif(p, r, m_picture);
    } catch (const std::exception &) {
        // A frame that cannot be decoded shows nothing.
    }
}

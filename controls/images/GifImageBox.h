#pragma once
// A picture box holding a GIF picture: it shows the current frame at its own
// size from the top-left corner (or stretched to the box), with the frame's
// transparent colour letting the form show through.

#include "controls/images/GifImage.h"

#include <QByteArray>
#include <QWidget>

class TGifImageBox : public QWidget
{
    Q_OBJECT
public:
    explicit TGifImageBox(QWidget *parent = nullptr);

    // Form data (a 32-bit byte count and the file), or a GIF file's bytes.
    // False, with the picture left empty and the reason in error, when the
    // data is not a readable GIF.
    bool LoadFromFormData(const QByteArray &data, QString *error = nullptr);
    bool LoadFromBytes(const QByteArray &bytes, QString *error = nullptr);

    TGIFImage &Picture() { return m_picture; }
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TGIFImage m_picture;
    bool m_stretch = false;
};

#include "core/RelayFrames.h"

#include "platform/Cp949.h"
#include "platform/FrameReader.h"

QByteArray Cp949FixedField(const QString &text, int width)
{
    const QByteArray bytes = qvx::Cp949::encode(text);
    QByteArray field;
    int i = 0;
    while (i < bytes.size()) {
        const int w = qvx::Cp949::isLeadByte(uchar(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        if (field.size() + w > width)
            break;
        field += bytes.mid(i, w);
        i += w;
    }
    while (field.size() < width)
        field += ' ';
    return field;
}

QByteArray MakeLoginFrame(const QString &userId, int sendModuleMode)
{
    QByteArray body = "C" + Cp949FixedField(userId, 10);
    body += sendModuleMode == 2 ? "SR1" : "SR0";
    return qvx::FrameReader::frame(body);
}

QByteArray MakePingText(const QString &userId)
{
    return "PING" + qvx::Cp949::encode(userId);
}

QByteArray MakeApprovalNoticeFrame(const QString &approverId)
{
    return qvx::FrameReader::frame("F" + qvx::Cp949::encode(approverId));
}

QString RelayLogText(const QByteArray &bytes)
{
    QString out;
    qsizetype start = 0; // the text run not yet decoded
    const auto flush = [&](qsizetype end) {
        if (end > start)
            out += qvx::Cp949::decode(bytes.mid(start, end - start));
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x20 && b != 0x7F)
            continue;
        flush(i);
        start = i + 1;
        if (b == 0x02)
            out += QStringLiteral("<STX>");
        else if (b == 0x03)
            out += QStringLiteral("<ETX>");
        else
            out += QStringLiteral("<0x") + QString::number(b, 16).toUpper().rightJustified(2, QLatin1Char('0'))
                   + QLatin1Char('>');
    }
    flush(bytes.size());
    return out;
}

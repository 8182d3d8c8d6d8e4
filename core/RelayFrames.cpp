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

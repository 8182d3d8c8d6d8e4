#include "backend/RelayProtocol.h"

#include "platform/Cp949.h"
#include "platform/FrameReader.h"

namespace qvx::relay {

namespace {
constexpr qsizetype kIdBytes = 10;

QByteArray framed(const QByteArray &body)
{
    return FrameReader::frame(body);
}

// The first n bytes, one less when the n-th byte would begin a double-byte
// character.
QByteArray cutCp949(const QByteArray &bytes, qsizetype n)
{
    if (bytes.size() <= n)
        return bytes;
    qsizetype i = 0;
    while (i < n) {
        const qsizetype step = Cp949::isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + step > n)
            break;
        i += step;
    }
    return bytes.left(i);
}
} // namespace

Login parseLogin(const QByteArray &body)
{
    Login login;
    QByteArray rest = body.startsWith('C') ? body.mid(1) : body;
    QByteArray flag;
    if (rest.size() == kIdBytes + 3 || rest.endsWith("SR0") || rest.endsWith("SR1")) {
        if (rest.size() >= 3) {
            flag = rest.right(3);
            rest.chop(3);
        }
    }
    login.userId = Cp949::decode(rest).trimmed();
    login.module = flag == "SR1";
    return login;
}

QString userKey(const QString &userId)
{
    const QByteArray bytes = cutCp949(Cp949::encode(userId.trimmed()), kIdBytes);
    return Cp949::decode(bytes).trimmed().toLower();
}

bool isServiceCode(const QString &code)
{
    if (code.size() != 7)
        return false;
    for (QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QByteArray loginAccepted() { return framed("CY"); }
QByteArray loginRefused() { return framed("CN"); }
QByteArray moduleAck() { return framed("SR1"); }
QByteArray approvalArrived() { return framed("F"); }
QByteArray approvalDelivered() { return framed("FY"); }
QByteArray approvalNotConnected() { return framed("FN"); }

QByteArray serviceFrame(const QString &code7)
{
    return framed("Q" + code7.toLatin1());
}

} // namespace qvx::relay

#include "platform/TextError.h"

namespace qvx {

TextError::TextError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

} // namespace qvx

#pragma once

#include <QString>

#include <stdexcept>

namespace qvx {

// An error whose text is shown or handed on as it stands: what() gives it in
// UTF-8, message() as it was given.
class TextError : public std::runtime_error
{
public:
    explicit TextError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace qvx

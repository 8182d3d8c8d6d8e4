#pragma once
// The picture classes' errors: the invalid-graphic-operation error (bad
// image sizes, unreadable or unwritable picture data) and the stream read
// error of the picture readers. Plain C++, shared by the kit's image strips
// and the picture formats.

#include <stdexcept>

class EInvalidGraphicOperation : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The class library's read error (raised with "Stream read error").
class EReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

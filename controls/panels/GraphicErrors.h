#pragma once
// The picture classes' invalid-graphic-operation error (bad image sizes,
// unreadable or unwritable picture data). Plain C++, shared by the kit's
// image strips and the picture formats.

#include <stdexcept>

class EInvalidGraphicOperation : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

#pragma once
// The picture classes' errors: the invalid-graphic-operation error (bad
// image sizes, unreadable or unwritable picture data) and the stream read
// error of the picture readers. Plain C++, shared by the kit's image strips
// and the picture formats.

#include "controls/panels/KitError.h"

using EInvalidGraphicOperation = TKitError<struct EInvalidGraphicOperationKind>;

// The class library's read error (raised with "Stream read error").
using EReadError = TKitError<struct EReadErrorKind>;

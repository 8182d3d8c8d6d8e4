// Number texts from arbitrary input: conversion never fails badly, formatting
// any pattern of any value terminates, and the plain text of a value reads
// back as the same value.

#include "controls/edits/Decimal.h"
#include "controls/edits/NumFormat.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString all = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype bar = all.indexOf(QLatin1Char('|'));
    const QString text = bar < 0 ? all : all.left(bar);
    const QString format = bar < 0 ? QStringLiteral(",0.;-\\,0.") : all.mid(bar + 1).left(64);

    (void)IsFloatText(text);
    (void)NormalizeNumText(text);
    (void)InsertThousands(text, true);
    const auto v = qvx::TryStrToFloat(text);
    if (!v)
        return 0;
    (void)qvx::FormatFloat(format, *v);
    (void)qvx::FloatToStrGeneral(*v, 15);
    (void)v->toInt64();
    (void)v->toDouble();
    if (v->adjustedExponent() < 400 && v->adjustedExponent() > -400) {
        const auto back = qvx::Decimal::parse(v->toPlainString());
        if (!back || *back != *v)
            std::abort();
    }
    for (int places = -3; places <= 4; ++places) {
        const qvx::Decimal r = v->roundedToPlaces(places);
        if ((r < qvx::Decimal(0)) != (v->isNegative() && !r.isZero()))
            std::abort();
    }
    return 0;
}

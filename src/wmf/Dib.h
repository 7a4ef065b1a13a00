#pragma once
// Device-independent bitmaps as metafiles carry them: decoding (12- and 40-byte and later headers;
// 1, 4, 8, 16, 24 and 32 bits; RLE4, RLE8 and bit-field compression; bottom-up or top-down rows)
// and encoding (24 bits, 40-byte header). Also the older device-dependent Bitmap16.

#include <QByteArray>
#include <QImage>
#include <QList>

#include <cstddef>
#include <cstdint>

#include "Status.h"

namespace kestrane::wmf {

class Dib {
  public:
    // The largest bitmap we decode, in pixels; larger headers are refused before any allocation.
    static constexpr int64_t Pixels_Max = 16 * 1024 * 1024;

    // Decodes a packed DIB (header, colour table, bits) of n bytes. With couleurs_palette set
    // the colour table holds 16-bit indices into `palette` (DIB_PAL_COLORS) instead of RGB quads.
    // Rows missing at the end of the data are left white. Returns an error for a header that is
    // not a DIB or describes an absurd size.
    static Result<QImage> Decode(const uint8_t* p, size_t n, bool couleurs_palette = false,
                                 const QList<QRgb>& palette = {});

    // Decodes a Bitmap16 object (device-dependent bitmap: 10-byte header then bits).
    // Monochrome bits map 0 to `avant` and 1 to `fond`.
    static Result<QImage> Decode_Bitmap16(const uint8_t* p, size_t n, QRgb avant, QRgb fond);

    // Packs an image as a 24-bit bottom-up DIB with a 40-byte header.
    static QByteArray Encode(const QImage& image);
};

}  // namespace kestrane::wmf

#pragma once
// The record function numbers of Windows metafiles, as the published format numbers them, and
// their names for reports. The high byte of a function is (with a few exceptions) the number of
// parameter words the record carries.

#include <cstdint>
#include <string>

namespace kestrane::wmf {

enum Fonction : uint16_t {
    EOF_ = 0x0000,
    SAVEDC = 0x001E,
    REALIZEPALETTE = 0x0035,
    SETPALENTRIES = 0x0037,
    CREATEPALETTE = 0x00F7,
    SETBKMODE = 0x0102,
    SETMAPMODE = 0x0103,
    SETROP2 = 0x0104,
    SETRELABS = 0x0105,
    SETPOLYFILLMODE = 0x0106,
    SETSTRETCHBLTMODE = 0x0107,
    SETTEXTCHAREXTRA = 0x0108,
    RESTOREDC = 0x0127,
    INVERTREGION = 0x012A,
    PAINTREGION = 0x012B,
    SELECTCLIPREGION = 0x012C,
    SELECTOBJECT = 0x012D,
    SETTEXTALIGN = 0x012E,
    RESIZEPALETTE = 0x0139,
    DIBCREATEPATTERNBRUSH = 0x0142,
    SETLAYOUT = 0x0149,
    DELETEOBJECT = 0x01F0,
    CREATEPATTERNBRUSH = 0x01F9,
    SETBKCOLOR = 0x0201,
    SETTEXTCOLOR = 0x0209,
    SETTEXTJUSTIFICATION = 0x020A,
    SETWINDOWORG = 0x020B,
    SETWINDOWEXT = 0x020C,
    SETVIEWPORTORG = 0x020D,
    SETVIEWPORTEXT = 0x020E,
    OFFSETWINDOWORG = 0x020F,
    OFFSETVIEWPORTORG = 0x0211,
    LINETO = 0x0213,
    MOVETO = 0x0214,
    OFFSETCLIPRGN = 0x0220,
    FILLREGION = 0x0228,
    SETMAPPERFLAGS = 0x0231,
    SELECTPALETTE = 0x0234,
    CREATEPENINDIRECT = 0x02FA,
    CREATEFONTINDIRECT = 0x02FB,
    CREATEBRUSHINDIRECT = 0x02FC,
    POLYGON = 0x0324,
    POLYLINE = 0x0325,
    SCALEWINDOWEXT = 0x0410,
    SCALEVIEWPORTEXT = 0x0412,
    EXCLUDECLIPRECT = 0x0415,
    INTERSECTCLIPRECT = 0x0416,
    ELLIPSE = 0x0418,
    FLOODFILL = 0x0419,
    RECTANGLE = 0x041B,
    SETPIXEL = 0x041F,
    FRAMEREGION = 0x0429,
    ANIMATEPALETTE = 0x0436,
    TEXTOUT = 0x0521,
    POLYPOLYGON = 0x0538,
    EXTFLOODFILL = 0x0548,
    ROUNDRECT = 0x061C,
    PATBLT = 0x061D,
    ESCAPE = 0x0626,
    CREATEREGION = 0x06FF,
    ARC = 0x0817,
    PIE = 0x081A,
    CHORD = 0x0830,
    BITBLT = 0x0922,
    DIBBITBLT = 0x0940,
    EXTTEXTOUT = 0x0A32,
    STRETCHBLT = 0x0B23,
    DIBSTRETCHBLT = 0x0B41,
    SETDIBTODEV = 0x0D33,
    STRETCHDIB = 0x0F43,
};

// The name of a function ("POLYGON"), or "0xNNNN" for a number the format does not define.
std::string Nom_Fonction(uint16_t fonction);

// True for the records that create an object and so take a slot of the object table.
inline bool Cree_Objet(uint16_t f) {
    return f == CREATEPALETTE || f == DIBCREATEPATTERNBRUSH || f == CREATEPATTERNBRUSH ||
           f == CREATEPENINDIRECT || f == CREATEFONTINDIRECT || f == CREATEBRUSHINDIRECT || f == CREATEREGION;
}

}  // namespace kestrane::wmf

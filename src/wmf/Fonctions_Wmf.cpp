#include "Fonctions_Wmf.h"

#include <cstdio>

namespace kestrane::wmf {

std::string Nom_Fonction(uint16_t fonction) {
    switch (fonction) {
#define KESTRANE_NOM(f) \
    case f:             \
        return #f;
        KESTRANE_NOM(SAVEDC)
        KESTRANE_NOM(REALIZEPALETTE) KESTRANE_NOM(SETPALENTRIES) KESTRANE_NOM(CREATEPALETTE) KESTRANE_NOM(
            SETBKMODE) KESTRANE_NOM(SETMAPMODE) KESTRANE_NOM(SETROP2) KESTRANE_NOM(SETRELABS)
            KESTRANE_NOM(SETPOLYFILLMODE) KESTRANE_NOM(SETSTRETCHBLTMODE) KESTRANE_NOM(
                SETTEXTCHAREXTRA) KESTRANE_NOM(RESTOREDC) KESTRANE_NOM(INVERTREGION) KESTRANE_NOM(PAINTREGION)
                KESTRANE_NOM(SELECTCLIPREGION) KESTRANE_NOM(SELECTOBJECT) KESTRANE_NOM(
                    SETTEXTALIGN) KESTRANE_NOM(RESIZEPALETTE) KESTRANE_NOM(DIBCREATEPATTERNBRUSH)
                    KESTRANE_NOM(SETLAYOUT) KESTRANE_NOM(DELETEOBJECT) KESTRANE_NOM(
                        CREATEPATTERNBRUSH) KESTRANE_NOM(SETBKCOLOR) KESTRANE_NOM(SETTEXTCOLOR)
                        KESTRANE_NOM(SETTEXTJUSTIFICATION) KESTRANE_NOM(SETWINDOWORG) KESTRANE_NOM(
                            SETWINDOWEXT) KESTRANE_NOM(SETVIEWPORTORG) KESTRANE_NOM(SETVIEWPORTEXT)
                            KESTRANE_NOM(OFFSETWINDOWORG) KESTRANE_NOM(OFFSETVIEWPORTORG) KESTRANE_NOM(
                                LINETO) KESTRANE_NOM(MOVETO) KESTRANE_NOM(OFFSETCLIPRGN)
                                KESTRANE_NOM(FILLREGION) KESTRANE_NOM(SETMAPPERFLAGS) KESTRANE_NOM(
                                    SELECTPALETTE) KESTRANE_NOM(CREATEPENINDIRECT)
                                    KESTRANE_NOM(CREATEFONTINDIRECT) KESTRANE_NOM(
                                        CREATEBRUSHINDIRECT) KESTRANE_NOM(POLYGON) KESTRANE_NOM(POLYLINE)
                                        KESTRANE_NOM(SCALEWINDOWEXT) KESTRANE_NOM(
                                            SCALEVIEWPORTEXT) KESTRANE_NOM(EXCLUDECLIPRECT)
                                            KESTRANE_NOM(INTERSECTCLIPRECT) KESTRANE_NOM(
                                                ELLIPSE) KESTRANE_NOM(FLOODFILL) KESTRANE_NOM(RECTANGLE)
                                                KESTRANE_NOM(SETPIXEL) KESTRANE_NOM(FRAMEREGION) KESTRANE_NOM(
                                                    ANIMATEPALETTE) KESTRANE_NOM(TEXTOUT)
                                                    KESTRANE_NOM(POLYPOLYGON) KESTRANE_NOM(EXTFLOODFILL)
                                                        KESTRANE_NOM(ROUNDRECT) KESTRANE_NOM(PATBLT)
                                                            KESTRANE_NOM(ESCAPE) KESTRANE_NOM(CREATEREGION)
                                                                KESTRANE_NOM(ARC) KESTRANE_NOM(PIE)
                                                                    KESTRANE_NOM(CHORD) KESTRANE_NOM(
                                                                        BITBLT) KESTRANE_NOM(DIBBITBLT)
                                                                        KESTRANE_NOM(EXTTEXTOUT) KESTRANE_NOM(
                                                                            STRETCHBLT)
                                                                            KESTRANE_NOM(DIBSTRETCHBLT)
                                                                                KESTRANE_NOM(SETDIBTODEV)
                                                                                    KESTRANE_NOM(STRETCHDIB)
#undef KESTRANE_NOM
                                                                                        case EOF_
            : return "EOF";
    }
    char texte[8];
    std::snprintf(texte, sizeof texte, "0x%04X", static_cast<unsigned>(fonction));
    return texte;
}

}  // namespace kestrane::wmf

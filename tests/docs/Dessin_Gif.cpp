#include "Dessin_Gif.h"

#include <gif_lib.h>

#include <vector>

namespace kestrane::test {

bool Ecrit_Dessin_Gif(const std::string& chemin, int largeur, int hauteur) {
    int erreur = 0;
    GifFileType* gif = EGifOpenFileName(chemin.c_str(), false, &erreur);
    if (!gif)
        return false;
    // 256 colours: 16 levels of red across, 16 levels of green down.
    std::vector<GifColorType> couleurs(256);
    for (int i = 0; i < 256; ++i) {
        couleurs[static_cast<size_t>(i)] = {static_cast<GifByteType>((i % 16) * 17),
                                            static_cast<GifByteType>((i / 16) * 17), 90};
    }
    ColorMapObject* palette = GifMakeMapObject(256, couleurs.data());
    bool reussi = palette && EGifPutScreenDesc(gif, largeur, hauteur, 8, 0, palette) == GIF_OK &&
                  EGifPutImageDesc(gif, 0, 0, largeur, hauteur, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> ligne(static_cast<size_t>(largeur));
    for (int y = 0; reussi && y < hauteur; ++y) {
        // Bands 7 pixels wide across and 11 high down: the colour of a pixel tells its place
        // within 112 x 176 pixels.
        for (int x = 0; x < largeur; ++x)
            ligne[static_cast<size_t>(x)] = static_cast<GifPixelType>((x / 7) % 16 + 16 * ((y / 11) % 16));
        reussi = EGifPutLine(gif, ligne.data(), largeur) == GIF_OK;
    }
    GifFreeMapObject(palette);
    return EGifCloseFile(gif, &erreur) == GIF_OK && reussi;
}

}  // namespace kestrane::test

#pragma once
// Where the palette's pixel colours come from. The program renders the palette picture
// "couleur.wmf" as the splash window shows it and reads the band centres; tests hand colours in.

#include <cstdint>
#include <vector>

namespace kestrane {

class Palette_Sampler {
public:
    virtual ~Palette_Sampler() = default;
    // The colour (0x00BBGGRR) of each of the nb_couleurs bands, left to right. A sampler that
    // cannot read the picture returns fewer values; the missing colours stay 0.
    virtual std::vector<int32_t> Echantillonne(int nb_couleurs) = 0;
};

// A sampler that gives colours it was handed.
class Palette_Fixe : public Palette_Sampler {
public:
    explicit Palette_Fixe(std::vector<int32_t> couleurs) : couleurs_(std::move(couleurs)) {}
    std::vector<int32_t> Echantillonne(int nb_couleurs) override {
        std::vector<int32_t> out(couleurs_);
        if (static_cast<int>(out.size()) > nb_couleurs) out.resize(static_cast<size_t>(nb_couleurs));
        return out;
    }

private:
    std::vector<int32_t> couleurs_;
};

}  // namespace kestrane

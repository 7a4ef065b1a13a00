#pragma once
// A folder removed with everything in it when the object goes out of scope, unless kept: the
// builder's work folders, so that a failure leaves nothing behind.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <utility>

namespace kestrane::kb {

class Dossier_Provisoire {
  public:
    explicit Dossier_Provisoire(std::filesystem::path p) : chemin_(std::move(p)) {}
    // A folder beside `sortie`, hidden and named after it and `genre` with a random mark, so
    // that the final rename stays on one file system and two runs do not meet.
    Dossier_Provisoire(const std::filesystem::path& sortie, const std::string& genre)
        : chemin_(sortie.parent_path() / ("." + sortie.filename().string() + "." + genre + "-" +
                                          std::to_string(std::random_device{}() % 1000000))) {}
    ~Dossier_Provisoire() {
        std::error_code ec;
        if (!garde_)
            std::filesystem::remove_all(chemin_, ec);
    }
    Dossier_Provisoire(const Dossier_Provisoire&) = delete;
    Dossier_Provisoire& operator=(const Dossier_Provisoire&) = delete;
    void Garde() { garde_ = true; }
    // Creates the folder empty; false when it cannot be.
    bool Cree() {
        std::error_code ec;
        std::filesystem::remove_all(chemin_, ec);
        return std::filesystem::create_directory(chemin_, ec);
    }
    const std::filesystem::path& Chemin() const { return chemin_; }

  private:
    std::filesystem::path chemin_;
    bool garde_ = false;
};

// The output folder as given, made absolute and without a trailing separator; its parent is
// created so that a work folder can be made beside it.
inline std::filesystem::path Prepare_Sortie(const std::string& sortie_texte) {
    std::filesystem::path sortie =
        std::filesystem::absolute(std::filesystem::path(sortie_texte)).lexically_normal();
    if (!sortie.has_filename())
        sortie = sortie.parent_path();
    std::error_code ec;
    std::filesystem::create_directories(sortie.parent_path(), ec);
    return sortie;
}

}  // namespace kestrane::kb

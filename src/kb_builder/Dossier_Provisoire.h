#pragma once
// A folder removed with everything in it when the object goes out of scope, unless kept: the
// builder's work folders, so that a failure leaves nothing behind.
//
// A work folder lies beside the output and is named ".OUT.GENRE-PID-MARK" (the process that owns
// it and a random mark), so that the final rename stays on one file system, two runs do not meet,
// and a run killed before it could clean up is recognised later (Dossiers_Travail.h).

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

namespace kestrane::kb {

class Dossier_Provisoire {
  public:
    explicit Dossier_Provisoire(std::filesystem::path p) : chemin_(std::move(p)) {}
    Dossier_Provisoire(const std::filesystem::path& sortie, const std::string& genre);
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

}  // namespace kestrane::kb

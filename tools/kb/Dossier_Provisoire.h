#pragma once
// A folder removed with everything in it when the object goes out of scope, unless kept: the
// builder's work folders, so that a failure leaves nothing behind.

#include <filesystem>
#include <system_error>
#include <utility>

namespace kestrane::kb {

class Dossier_Provisoire {
  public:
    explicit Dossier_Provisoire(std::filesystem::path p) : chemin_(std::move(p)) {}
    ~Dossier_Provisoire() {
        std::error_code ec;
        if (!garde_)
            std::filesystem::remove_all(chemin_, ec);
    }
    Dossier_Provisoire(const Dossier_Provisoire&) = delete;
    Dossier_Provisoire& operator=(const Dossier_Provisoire&) = delete;
    void Garde() { garde_ = true; }
    const std::filesystem::path& Chemin() const { return chemin_; }

  private:
    std::filesystem::path chemin_;
    bool garde_ = false;
};

}  // namespace kestrane::kb

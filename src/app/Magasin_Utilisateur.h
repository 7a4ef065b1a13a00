#pragma once
// The per-user settings store: sections and keys under the program's name, read with a default
// and written by the options dialog. "Fin" and "-1" are the defaults that mark a value not stored.

#include <memory>
#include <string>

class QSettings;

namespace kestrane {

class Magasin_Utilisateur {
public:
    virtual ~Magasin_Utilisateur() = default;
    virtual std::string Lit(const std::string& section, const std::string& cle, const std::string& defaut) const = 0;
    virtual void Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) = 0;
};

// The store kept by QSettings: the user's own file for the application "Kestrane V.1.0", or the
// INI file given (tests).
class Magasin_QSettings : public Magasin_Utilisateur {
public:
    Magasin_QSettings();
    explicit Magasin_QSettings(const std::string& fichier_ini);
    ~Magasin_QSettings() override;

    std::string Lit(const std::string& section, const std::string& cle, const std::string& defaut) const override;
    void Ecrit(const std::string& section, const std::string& cle, const std::string& valeur) override;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace kestrane

#pragma once
// Tells a start whether another instance of the program is running, through lock files: every
// running instance holds one, the first free of "<chemin>", "<chemin>.2", ... "<chemin>.16".
// An instance that the user allowed to run beside another holds its own, so a later start is
// warned as long as any instance runs, whichever quits first. A lock left by an instance that
// died is taken over (its process no longer runs). Lock files sit in a folder that exists.

#include <QLockFile>

#include <memory>
#include <string>

namespace kestrane {

class Verrou_Instances {
  public:
    explicit Verrou_Instances(std::string chemin) : chemin_(std::move(chemin)) {}

    // True when a lock is held by another running instance.
    bool Autre_Instance() const;
    // Takes the first free lock and holds it until this object goes. False when every one is
    // held (the program then runs without one).
    bool Prend();

  private:
    static constexpr int kVerrous = 16;
    QString Chemin(int rang) const;

    std::string chemin_;
    std::unique_ptr<QLockFile> tenu_;
    int rang_tenu_ = -1;
};

}  // namespace kestrane

#pragma once
// What the engine asks of the person at the keyboard. The window answers with message boxes
// (titled with its caption); the command line answers from its options. Calls are synchronous.

#include <string>

namespace kestrane {

class Dialogue_Utilisateur {
  public:
    virtual ~Dialogue_Utilisateur() = default;
    // A message with an OK button only.
    virtual void Message(const std::string& texte) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool Question_Oui_Non(const std::string& texte) = 0;
};

}  // namespace kestrane

#pragma once
// Qt's own texts (the message-box buttons, the file, folder and print dialogs) in the interface
// language: Qt's Spanish and French catalogues, as the system ships them, installed in the
// application while that language is chosen; none for English. Without a catalogue Qt's texts
// stay English. Qt's default locale (sizes, dates, numbers) follows the language as well. One
// object per run, on the user-interface thread; it removes its catalogue and gives the default
// locale back to the system's when it goes.

#include <QTranslator>

namespace kestrane {

class Traductions_Qt {
  public:
    Traductions_Qt() = default;
    ~Traductions_Qt();
    Traductions_Qt(const Traductions_Qt&) = delete;
    Traductions_Qt& operator=(const Traductions_Qt&) = delete;

    // Language 0 English, 1 Spanish, 2 French (any other: English). True when Qt's texts are in
    // that language (always for English), false when its catalogue could not be read.
    bool Applique(int langue);

  private:
    QTranslator traducteur_;
    bool installe_ = false;
    int langue_ = 0;
};

}  // namespace kestrane

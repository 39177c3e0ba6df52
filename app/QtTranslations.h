// Qt's own texts in the player's language: the standard buttons ("Yes", "No", "Cancel") of its
// message boxes and dialogs come from the translations installed with Qt, not from our tables.
#pragma once

#include <QString>
#include <QTranslator>
#include <memory>

namespace tarvo {

// The name of Qt's translation file for a language index ("ru", "zh_CN"); empty for English.
QString QtTranslationName(int language);

class QtTranslations {
  public:
    ~QtTranslations();
    // Puts Qt's texts into `language`, replacing the language before; English, or a translation
    // that is not installed, leaves Qt's own English. False in that second case.
    bool Apply(int language);

  private:
    std::unique_ptr<QTranslator> translator_;
};

} // namespace tarvo

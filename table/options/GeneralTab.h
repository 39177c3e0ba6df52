// The "General" tab: language, window size, network play, the multimedia switches, the flight
// speed and the passport.
#pragma once

#include <QSize>

#include "table/options/OptionsPage.h"

class QGroupBox;

namespace tarvo {

// How many window sizes a screen can hold (2..5): items 3, 4 and 5 need 990 x 670, 1290 x 870
// and 1520 x 1020, and are taken from the end.
int OfferedWindowSizes(QSize screen);

class GeneralTab : public OptionsPage {
    Q_OBJECT
  public:
    GeneralTab(const OptionsContext& context, QSize screen);
    void Fill() override;
    void ApplyLanguage() override;

    QComboBox* languageList = nullptr;   // Language
    QComboBox* windowSizeList = nullptr; // WindowSize, item 0 is size 1
    QCheckBox* networkGameBox = nullptr; // NetGame
    QGroupBox* multimediaGroup = nullptr;
    QCheckBox* soundBox = nullptr;         // SoundOn
    QCheckBox* musicBox = nullptr;         // MusicOn
    QCheckBox* menuAnimationBox = nullptr; // GifAnimation
    QCheckBox* flyCardsBox = nullptr;      // FlyCards
    QCheckBox* ownCursorBox = nullptr;     // OwnCursor
    QCheckBox* newButtonsBox = nullptr;    // NewButtons
    TQobCardsButton* speedButton = nullptr;
    TQobCardsButton* passportButton = nullptr;

  signals:
    // Each comes after the setting was written and, but for the language, the window's hook was
    // called: the dialog re-captions itself before the window does.
    void languageChosen();
    void windowSizeChosen();
    void menuAnimationSwitched(bool on);
    void cursorSwitched();
    void buttonStyleChanged();
    // The speed dialog is drawn in the dialog's design, so the dialog shows it.
    void speedRequested();
    // The passport window too.
    void passportRequested();

  private:
    QSize screen_;
};

} // namespace tarvo

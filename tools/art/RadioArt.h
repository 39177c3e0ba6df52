// The radio's and the music player's pictures: the set on the menu shelf with its lamp, the
// player's buttons, the radio window's power switch, volume meter, logo frame and station logos,
// and the small country flags.
#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

#include "tools/art/Resources.h"

namespace tarvo::art {

// The wireless set that stands on the shelf (146 x 95).
QImage DrawRadioSet(QSize size);
// Its lamp and dial, drawn over the set: 0 unavailable (dark, crossed), 1 off (red), 2 on (green).
QImage DrawRadioLamp(QSize size, int state);

// Music player buttons (square): 0 play, 1 pause, 2 back and next (the left third goes back),
// 3 volume (minus on the left, plus on the right; the number is drawn by the game).
QImage DrawPlayerButton(int size, int kind);

// The radio window's power switch, on (green) or off (red).
QImage DrawPowerButton(QSize size, bool on);
// The volume meter with `lit` of its ten bars alight.
QImage DrawVolumeMeter(QSize size, int lit);
// The frame around a station logo, transparent inside.
QImage DrawLogoFrame(int size);
// A station's logo: its name on a round badge in a colour of its own.
QImage DrawStationLogo(int size, const QString& name);
// The radio window's header picture for the graphic design.
QImage DrawRadioHeader(QSize size);

// The system's small flag pictures, by two-letter country code.
inline const QString SystemFlagsFolder = QStringLiteral("/usr/share/flags/countries/16x11");

// The pictures built into the game: "GRadioA" and its lamps "GRadioB" (unavailable), "GRadioR"
// (off), "GRadioG" (on); the player's "MP_Play", "MP_Pause", "MP_Next", "MP_Volume"; and a 14 x 12
// "FlagR" + code for every flag the system has.
void AddRadioBuiltins(ResourceSet& set, const QString& flagsFolder = SystemFlagsFolder);
// The radio package: power switch, volume meter, logo frame, and one logo per (picture name,
// station name).
void AddRadioPackage(ResourceSet& set, const std::vector<std::pair<QString, QString>>& logos);

} // namespace tarvo::art

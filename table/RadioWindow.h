// The radio window: the country filter, the stations of the chosen country with their flags, the
// power switch, the volume meter and the station's logo. It works on the radio itself, so what is
// chosen here sounds at once and the main menu's radio follows.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "media/Radio.h"
#include "table/Fonts.h"

class QComboBox;
class QLabel;

namespace tarvo {

class TQobCardsButton;

struct RadioWindowOptions {
    // Texts from the language tables.
    QString caption = QStringLiteral("Radio");
    QString all = QStringLiteral("All");
    QString noAnswer = QStringLiteral("The station does not answer");
    QString connecting = QStringLiteral("Connecting...");
    QString ok = QStringLiteral("Ok");
    FontSettings fonts;
    PackageRegistry packages; // the radio's pictures and the graphic design's
    // The graphic window design, else the plain header variant 1..3.
    bool graphicDesign = false;
    int headerVariant = 2;
    QColor designText{0xFF, 0xE4, 0x9A};
    std::function<void(QWidget* button)> salute;
};

class TFormRadio : public QDialog {
  public:
    static constexpr int ClientWidth = 340, ClientHeight = 320;

    TFormRadio(Radio& radio, const RadioWindowOptions& options, QWidget* parent = nullptr);

    // Fills the station list with the stations the filter shows and selects the playing one; when
    // it is not among them, the first is chosen (and plays when the radio is on).
    void LoadStationList(int filter);
    // The station chosen in the list becomes the radio's.
    void SelectStation();
    // The stations in the list, in its order.
    const std::vector<Station>& ListedStations() const { return listed_; }
    bool GraphicDesign() const { return graphic_; }

    QLabel* Image0 = nullptr; // header
    QComboBox* ComboBoxCountry = nullptr;
    QComboBox* ComboBoxStation = nullptr;
    QLabel* Image1 = nullptr; // power switch
    QLabel* Image2 = nullptr; // logo in its frame
    QLabel* Image3 = nullptr; // volume meter
    TQobCardsButton* ButtonMinus = nullptr;
    TQobCardsButton* ButtonPlus = nullptr;
    QLabel* Status = nullptr; // connecting, or the station that did not answer
    TQobCardsButton* Button1 = nullptr;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Build();
    void Refresh();

    Radio& radio_;
    RadioWindowOptions options_;
    bool graphic_ = false;
    QImage background_, header_;
    std::vector<Station> listed_;
};

// Shows the radio window modally; it frees itself when closed. False when the graphic design was
// asked for but its background was missing, so that the caller can switch it off.
bool ShowRadioWindow(Radio& radio, const RadioWindowOptions& options, QWidget* parent = nullptr);

} // namespace tarvo

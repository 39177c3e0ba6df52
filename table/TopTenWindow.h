// The local top ten: the ten best cycle scores of the active records file written on a scroll,
// with the cup and the club badge animated below it.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

#include "records/Club.h"
#include "table/RecordsWindows.h"

namespace tarvo {

class TGifAnimation;
class TQobCardsButton;

// One text on the scroll: left edge x, top y, in the picture's coordinates.
struct TopTenText {
    QString text;
    int x = 0;
    int y = 0;
    QColor colour;
    bool bold = false;
};

// Everything written on the scroll, in drawing order: the heading, the two column headers, then
// for each place its number, name and score. `font` is the picture's font (not bold); entries
// that could not be read leave the ten rows out.
std::vector<TopTenText> TopTenTexts(const std::optional<Arr1<TopTenEntry, TopTenPlaces>>& entries,
                                    bool netGame, int language, const QFont& font);

class TFormTopTen : public QDialog {
  public:
    TFormTopTen(const std::filesystem::path& recordsFile, bool netGame, const RecordsWindowOptions& options,
                QWidget* parent = nullptr);

    // The texts drawn at the last activation.
    const std::vector<TopTenText>& Texts() const { return texts_; }
    QFont PictureFont() const { return pictureFont_; }
    // The scroll with its texts, as the picture area shows it.
    QImage Picture() const { return picture_; }

    QWidget* Image1 = nullptr;
    TQobCardsButton* Button1 = nullptr;
    TGifAnimation* RxGIFAn1 = nullptr; // "GTopTen"
    TGifAnimation* RxGIFAn2 = nullptr; // "GClubF" for local records, "GClubG" for network ones

    void reject() override; // Esc

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Activate();
    void Close(bool viaButton);

    std::filesystem::path recordsFile_;
    bool netGame_ = false;
    RecordsWindowOptions options_;
    QFont pictureFont_;
    std::vector<TopTenText> texts_;
    QImage picture_;
};

} // namespace tarvo

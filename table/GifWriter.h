// Writes an animated GIF one frame at a time, so that a long recording never sits whole in
// memory. Every frame gets a palette of its own (libimagequant); after the first, only the
// rectangle that changed is stored, and its pixels that did not change are transparent, so the
// picture under them shows through and the file stays small. giflib writes the file.
#pragma once

#include <QFile>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

struct GifFileType;
struct GifColorType;
struct liq_attr;

namespace tarvo {

// How a frame's colours are reduced: libimagequant's speed (1 best .. 10 fastest), the quality
// (0..100) at which it stops adding colours, and dithering (0 none .. 1 full). Fewer colours
// where they suffice keep a whole game's file small: measured on recorded games, a target of 50
// with light dithering looks like the table and makes files a third smaller than 256 colours
// everywhere.
struct GifQuality {
    int speed = 8;
    int target = 50;
    float dithering = 0.3f;
};

class GifWriter {
  public:
    explicit GifWriter(GifQuality quality = {});
    ~GifWriter(); // a file not closed is left as it is: its owner removes it
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Starts a new file at path (replacing one there). False, with Error() set, when it cannot.
    bool Open(const QString& path);

    enum class Added { Frame, Unchanged, Failed };
    // A picture equal to the previous one adds nothing. Every frame has the first frame's size:
    // a larger picture is cut, a smaller one padded with black.
    Added Add(const QImage& picture, int delayMs);

    // Gives the last frame lastDelayMs, ends the file and flushes it to the disk. A file without
    // frames stays empty.
    bool Close(int lastDelayMs);

    int Frames() const { return frames_; }
    const QString& Error() const { return error_; }

    // A delay in the file's hundredths of a second, at least one.
    static int Centiseconds(int ms);

  private:
    static int Output(GifFileType* gif, const unsigned char* bytes, int length);
    bool Fail(const QString& why);
    bool FlushPending();
    bool WriteHeader(int width, int height);
    void SnapPalette(const QRect& rect, std::vector<GifColorType>& map, int colours) const;

    GifQuality quality_;
    QFile file_;
    GifFileType* gif_ = nullptr;
    liq_attr* attr_ = nullptr;
    QImage last_; // the previous frame's picture, RGBX
    int frames_ = 0;
    bool failed_ = false;
    QString error_;
    // The bytes of the newest frame stay here until the next one comes, so that the last frame's
    // delay can still be set when the recording ends.
    std::vector<unsigned char> pending_;
    std::vector<unsigned char> indices_;
};

} // namespace tarvo

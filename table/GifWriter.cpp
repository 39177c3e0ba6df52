#include "GifWriter.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <gif_lib.h>
#include <libimagequant.h>
#include <unistd.h>

namespace tarvo {
namespace {

// The rectangle where two pictures of one size differ; empty when they are equal.
QRect ChangedRect(const QImage& a, const QImage& b) {
    const int width = a.width(), height = a.height();
    const auto bytes = static_cast<std::size_t>(width) * 4;
    auto rowDiffers = [&](int y) { return std::memcmp(a.constScanLine(y), b.constScanLine(y), bytes) != 0; };
    int top = 0;
    while (top < height && !rowDiffers(top)) ++top;
    if (top == height) return {};
    int bottom = height - 1;
    while (!rowDiffers(bottom)) --bottom;
    int left = width, right = -1;
    for (int y = top; y <= bottom; ++y) {
        auto pa = reinterpret_cast<const quint32*>(a.constScanLine(y));
        auto pb = reinterpret_cast<const quint32*>(b.constScanLine(y));
        int x = 0;
        while (x < left && pa[x] == pb[x]) ++x;
        left = std::min(left, x);
        x = width - 1;
        while (x > right && pa[x] == pb[x]) --x;
        right = std::max(right, x);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Opaque RGBX bytes at the recording's size.
QImage Normalised(const QImage& picture, QSize size) {
    QImage rgbx = picture.convertToFormat(QImage::Format_RGBX8888);
    if (size.isEmpty() || rgbx.size() == size) return rgbx;
    QImage canvas(size, QImage::Format_RGBX8888);
    canvas.fill(Qt::black);
    QPainter p(&canvas);
    p.drawImage(0, 0, rgbx);
    return canvas;
}

} // namespace

// The quantiser's colours come back a step off after its gamma round trip: a cloth or a card face
// of one colour would then differ from the window by one. Each palette colour moves to the mean
// of the pixels it stands for that lie that close to it.
void GifWriter::SnapPalette(const QRect& rect, std::vector<GifColorType>& map, int colours) const {
    constexpr int Near = 3;
    std::vector<std::array<long, 4>> sums(static_cast<std::size_t>(colours), {0, 0, 0, 0});
    for (int y = 0; y < rect.height(); ++y) {
        const uchar* source = last_.constScanLine(rect.top() + y) + rect.left() * 4;
        const unsigned char* index =
            indices_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rect.width());
        for (int x = 0; x < rect.width(); ++x, source += 4) {
            if (index[x] >= colours) continue;
            const GifColorType& c = map[index[x]];
            if (std::abs(source[0] - c.Red) > Near || std::abs(source[1] - c.Green) > Near ||
                std::abs(source[2] - c.Blue) > Near)
                continue;
            auto& sum = sums[index[x]];
            sum[0] += source[0], sum[1] += source[1], sum[2] += source[2], ++sum[3];
        }
    }
    for (std::size_t i = 0; i < sums.size(); ++i) {
        const auto& sum = sums[i];
        if (sum[3] == 0) continue;
        auto mean = [&](long total) { return static_cast<GifByteType>((total + sum[3] / 2) / sum[3]); };
        map[i] = {mean(sum[0]), mean(sum[1]), mean(sum[2])};
    }
}

GifWriter::GifWriter(GifQuality quality) : quality_(quality) {}

GifWriter::~GifWriter() {
    if (gif_) EGifCloseFile(gif_, nullptr);
    if (attr_) liq_attr_destroy(attr_);
}

int GifWriter::Centiseconds(int ms) {
    return std::clamp((ms + 5) / 10, 1, 0xFFFF);
}

bool GifWriter::Fail(const QString& why) {
    if (!failed_) error_ = why;
    failed_ = true;
    return false;
}

bool GifWriter::Open(const QString& path) {
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return Fail(file_.errorString());
    attr_ = liq_attr_create();
    if (!attr_) return Fail(QStringLiteral("out of memory"));
    liq_set_speed(attr_, std::clamp(quality_.speed, 1, 10));
    liq_set_quality(attr_, 0, std::clamp(quality_.target, 0, 100));
    return true;
}

int GifWriter::Output(GifFileType* gif, const unsigned char* bytes, int length) {
    auto* self = static_cast<GifWriter*>(gif->UserData);
    self->pending_.insert(self->pending_.end(), bytes, bytes + length);
    return length;
}

bool GifWriter::FlushPending() {
    if (pending_.empty()) return true;
    const auto size = static_cast<qint64>(pending_.size());
    if (file_.write(reinterpret_cast<const char*>(pending_.data()), size) != size)
        return Fail(file_.errorString());
    pending_.clear();
    return true;
}

bool GifWriter::WriteHeader(int width, int height) {
    int code = 0;
    gif_ = EGifOpen(this, &GifWriter::Output, &code);
    if (!gif_) return Fail(QString::fromLatin1(GifErrorString(code)));
    EGifSetGifVersion(gif_, true);
    // No global palette: every frame brings its own.
    if (EGifPutScreenDesc(gif_, width, height, 8, 0, nullptr) != GIF_OK)
        return Fail(QString::fromLatin1(GifErrorString(gif_->Error)));
    // Viewers play the recording over and over.
    unsigned char loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") != GIF_OK ||
        EGifPutExtensionBlock(gif_, 3, loop) != GIF_OK || EGifPutExtensionTrailer(gif_) != GIF_OK)
        return Fail(QString::fromLatin1(GifErrorString(gif_->Error)));
    return true;
}

GifWriter::Added GifWriter::Add(const QImage& picture, int delayMs) {
    if (failed_ || !file_.isOpen()) return Added::Failed;
    if (picture.isNull()) return Added::Unchanged;
    QImage next = Normalised(picture, last_.size());
    QRect rect = next.rect();
    if (!last_.isNull()) {
        rect = ChangedRect(last_, next);
        if (rect.isEmpty()) return Added::Unchanged;
    } else if (!WriteHeader(next.width(), next.height())) {
        return Added::Failed;
    }
    const bool transparency = !last_.isNull();
    // The frame before this one is complete now: to the file with it.
    if (!FlushPending()) return Added::Failed;
    std::swap(last_, next); // next holds the previous picture from here on
    const QImage& previous = next;

    // Reduce the rectangle's colours; with transparency one index is kept for the unchanged pixels.
    std::vector<void*> rows(static_cast<std::size_t>(rect.height()));
    for (int y = 0; y < rect.height(); ++y)
        rows[static_cast<std::size_t>(y)] =
            last_.bits() + last_.bytesPerLine() * (rect.top() + y) + rect.left() * 4;
    liq_set_max_colors(attr_, transparency ? 255 : 256);
    liq_image* image = liq_image_create_rgba_rows(attr_, rows.data(), rect.width(), rect.height(), 0);
    liq_result* result = nullptr;
    if (!image || liq_image_quantize(image, attr_, &result) != LIQ_OK) {
        if (image) liq_image_destroy(image);
        Fail(QStringLiteral("cannot reduce the colours of a frame"));
        return Added::Failed;
    }
    liq_set_dithering_level(result, quality_.dithering);
    indices_.resize(static_cast<std::size_t>(rect.width()) * static_cast<std::size_t>(rect.height()));
    const bool remapped = liq_write_remapped_image(result, image, indices_.data(), indices_.size()) == LIQ_OK;
    const liq_palette* palette = liq_get_palette(result);
    int colours = static_cast<int>(palette->count);
    std::vector<GifColorType> map(256, GifColorType{0, 0, 0});
    for (int i = 0; i < colours; ++i)
        map[static_cast<std::size_t>(i)] = {palette->entries[i].r, palette->entries[i].g,
                                            palette->entries[i].b};
    liq_result_destroy(result);
    liq_image_destroy(image);
    if (!remapped) {
        Fail(QStringLiteral("cannot reduce the colours of a frame"));
        return Added::Failed;
    }
    SnapPalette(rect, map, colours);

    int transparent = NO_TRANSPARENT_COLOR;
    if (transparency) {
        transparent = colours++;
        for (int y = 0; y < rect.height(); ++y) {
            auto now = reinterpret_cast<const quint32*>(last_.constScanLine(rect.top() + y)) + rect.left();
            auto before =
                reinterpret_cast<const quint32*>(previous.constScanLine(rect.top() + y)) + rect.left();
            unsigned char* out =
                indices_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rect.width());
            for (int x = 0; x < rect.width(); ++x)
                if (now[x] == before[x]) out[x] = static_cast<unsigned char>(transparent);
        }
    }

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT; // each frame paints over the picture before it
    control.DelayTime = Centiseconds(delayMs);
    control.TransparentColor = transparent;
    GifByteType extension[4];
    const auto length = static_cast<int>(EGifGCBToExtension(&control, extension));
    const int mapSize = 1 << GifBitSize(std::max(colours, 2));
    ColorMapObject* colourMap = GifMakeMapObject(mapSize, map.data());
    bool ok = colourMap && EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, length, extension) == GIF_OK &&
              EGifPutImageDesc(gif_, rect.left(), rect.top(), rect.width(), rect.height(), false,
                               colourMap) == GIF_OK;
    for (int y = 0; ok && y < rect.height(); ++y)
        ok = EGifPutLine(
                 gif_, indices_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(rect.width()),
                 rect.width()) == GIF_OK;
    if (colourMap) GifFreeMapObject(colourMap);
    if (!ok) {
        Fail(QString::fromLatin1(GifErrorString(gif_->Error)));
        return Added::Failed;
    }
    ++frames_;
    return Added::Frame;
}

bool GifWriter::Close(int lastDelayMs) {
    if (failed_ || !file_.isOpen()) return false;
    if (gif_) {
        // The held-back frame begins with its control block: introducer, label, size, flags, delay.
        const int delay = Centiseconds(lastDelayMs);
        if (pending_.size() >= 6 && pending_[0] == 0x21 && pending_[1] == GRAPHICS_EXT_FUNC_CODE) {
            pending_[4] = static_cast<unsigned char>(delay & 0xFF);
            pending_[5] = static_cast<unsigned char>(delay >> 8);
        }
        int code = 0;
        const int closed = EGifCloseFile(gif_, &code); // writes the trailer through Output
        gif_ = nullptr;
        if (closed != GIF_OK) return Fail(QString::fromLatin1(GifErrorString(code)));
    }
    if (!FlushPending() || !file_.flush()) return Fail(file_.errorString());
    // On the disk before the file gets its name, so that a crash leaves no empty picture behind.
    if (::fsync(file_.handle()) != 0) return Fail(QString::fromLocal8Bit(std::strerror(errno)));
    file_.close();
    return true;
}

} // namespace tarvo

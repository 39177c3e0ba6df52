// The photo store: GET /photos/<nick>.jpg reads an account's photo; POST /photos/ takes one as a
// multipart upload of "nick", "pw" and "photo", checked to be a JPEG of exactly 200 x 250 pixels.
// Photos are files in the data folder's "photos" folder, replaced whole.
#include <httplib.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "files/SafeWrite.h"
#include "online/FieldRules.h"
#include "server/Accounts.h"
#include "server/Service.h"
#include "server/Wire.h"

namespace tarvo::server {
namespace {

inline constexpr int kPhotoWidth = 200;
inline constexpr int kPhotoHeight = 250;

bool IsAccountPhoto(const std::string& bytes) {
    if (bytes.size() < 3 || bytes.compare(0, 3, "\xFF\xD8\xFF") != 0) return false;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    if (reader.size() != QSize(kPhotoWidth, kPhotoHeight)) return false;
    const QImage image = reader.read();
    return !image.isNull() && image.size() == QSize(kPhotoWidth, kPhotoHeight);
}

class PhotoService : public Service {
  public:
    void Register(ServerContext& c) override {
        c.http.Get(R"(/photos/([^/]+)\.jpg)", [&c](const httplib::Request& req, httplib::Response& res) {
            const std::string nick = req.matches[1];
            if (GradeAccountField(AccountField::Nick, nick) != Grade::Green)
                return Refuse(res, 404, "photo: not a nick");
            std::string bytes;
            if (ReadFileBytes(Folder(c) / (AccountKey(nick) + ".jpg"), bytes))
                return Refuse(res, 404, "photo: none for " + AccountKey(nick));
            res.set_content(std::move(bytes), "image/jpeg");
        });
        const auto upload = [&c](const httplib::Request& req, httplib::Response& res) {
            Upload(c, req, res);
        };
        c.http.Post("/photos/", upload);
        c.http.Post("/photos", upload);
    }

  private:
    static std::filesystem::path Folder(const ServerContext& c) { return c.dataDir / "photos"; }

    static void Upload(ServerContext& c, const httplib::Request& req, httplib::Response& res) {
        if (!req.is_multipart_form_data() || !req.has_file("nick") || !req.has_file("pw") ||
            !req.has_file("photo"))
            return Refuse(res, 400, "photo: not an upload of nick, pw and photo");
        const auto nick = WireText(req.get_file_value("nick").content);
        const auto pw = WireText(req.get_file_value("pw").content);
        if (!nick || !pw || GradeAccountField(AccountField::Nick, *nick) != Grade::Green)
            return Refuse(res, 400, "photo: bad nick or password field");
        const std::string key = AccountKey(*nick);
        std::string why;
        switch (CheckPassword(c, key, *pw, &why)) {
        case PasswordCheck::Right:
            break;
        case PasswordCheck::DatabaseFailed:
            return Refuse(res, 500, "photo: " + why);
        default:
            return Refuse(res, 403, "photo: " + why);
        }
        const std::string& jpeg = req.get_file_value("photo").content;
        if (!IsAccountPhoto(jpeg)) return Refuse(res, 400, "photo of " + key + ": not a 200 x 250 JPEG");
        std::error_code ec;
        std::filesystem::create_directories(Folder(c), ec);
        if (ReplaceFileContents(Folder(c) / (key + ".jpg"), jpeg))
            return Refuse(res, 500, "photo of " + key + ": cannot be written");
        Answer(res, reply::Ok);
    }
};

} // namespace

std::unique_ptr<Service> MakePhotoService() {
    return std::make_unique<PhotoService>();
}

} // namespace tarvo::server

// One form request to a service: its form, read raw or listed, and the reply being built.
#pragma once

#include <httplib.h>

#include <QSqlError>
#include <QSqlQuery>
#include <optional>
#include <string>
#include <string_view>

#include "server/Service.h"
#include "server/Wire.h"

namespace tarvo::server {

struct FormCall {
    ServerContext& c;
    const httplib::Request& req;
    httplib::Response& res;
    Form form;
    bool listed = false;

    // A field as UTF-8 text; nothing when it is missing or not Windows-1251 text.
    std::optional<std::string> Text(std::string_view name) const {
        const std::string* raw = form.Raw(name);
        if (!raw) return std::nullopt;
        std::optional<std::string> bytes = listed ? FormDecode(*raw) : std::optional<std::string>(*raw);
        if (!bytes) return std::nullopt;
        return WireText(*bytes);
    }
    std::optional<int> Number(std::string_view name) const {
        auto text = Text(name);
        return text ? Integer(*text) : std::nullopt;
    }

    // A failed query answers 500 and lets the storage connect afresh for the next request.
    bool Exec(QSqlQuery& q) {
        if (q.exec()) return true;
        const std::string why = "database: " + q.lastError().text().toStdString();
        c.storage.Forget();
        Refuse(res, 500, why);
        return false;
    }
    void DatabaseFailed() {
        c.storage.Forget();
        Refuse(res, 500, "database failed");
    }
};

} // namespace tarvo::server

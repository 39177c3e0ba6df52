#include "server/Storage.h"

#include <QSqlError>
#include <QThread>
#include <QUrl>
#include <QVariant>
#include <atomic>

namespace tarvo::server {
namespace {

std::atomic<int> nextStorageId{1};
std::atomic<int> nextConnectionId{1};

} // namespace

struct Storage::ThreadConnection {
    QString name;
    std::map<const char*, QSqlQuery> statements;
    ~ThreadConnection() {
        statements.clear(); // the statements go before their connection
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
};

std::optional<DatabaseOptions> ParsePostgresUrl(const QString& text, QString* error) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != "postgresql" && url.scheme() != "postgres")) {
        *error = QStringLiteral("--database takes postgresql://user@host/database");
        return std::nullopt;
    }
    DatabaseOptions o;
    o.kind = DatabaseKind::PostgreSQL;
    o.host = url.host();
    o.user = url.userName();
    o.password = url.password();
    o.port = url.port(5432);
    o.name = url.path().mid(1);
    if (o.host.isEmpty() || o.name.isEmpty() || o.name.contains('/') || o.port <= 0) {
        *error =
            QStringLiteral("--database needs a host and a database name: postgresql://user@host/database");
        return std::nullopt;
    }
    return o;
}

Storage::Storage(DatabaseOptions options) : options_(std::move(options)), id_(nextStorageId++) {}

Storage::~Storage() = default;

QString Storage::Describe() const {
    if (options_.kind == DatabaseKind::SQLite) return "sqlite " + options_.file;
    return QStringLiteral("postgresql %1@%2:%3/%4")
        .arg(options_.user, options_.host)
        .arg(options_.port)
        .arg(options_.name);
}

QSqlDatabase Storage::OpenConnection(const QString& name, QString* error) const {
    QSqlDatabase db =
        QSqlDatabase::addDatabase(options_.kind == DatabaseKind::SQLite ? "QSQLITE" : "QPSQL", name);
    if (options_.kind == DatabaseKind::SQLite) {
        db.setDatabaseName(options_.file);
        // Writers wait for each other instead of failing at once.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        db.setHostName(options_.host);
        db.setPort(options_.port);
        db.setUserName(options_.user);
        db.setPassword(options_.password);
        db.setDatabaseName(options_.name);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }
    if (!db.open()) {
        if (error) *error = db.lastError().text();
        return db;
    }
    if (options_.kind == DatabaseKind::SQLite) {
        QSqlQuery q(db);
        // Readers do not wait for the writer, and a crash never leaves half a write.
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    return db;
}

// This thread's connections, one per storage, removed when the thread ends.
std::map<int, std::unique_ptr<Storage::ThreadConnection>>& Storage::ThreadConnections() {
    thread_local std::map<int, std::unique_ptr<ThreadConnection>> connections;
    return connections;
}

Storage::ThreadConnection& Storage::Mine() {
    auto& slot = ThreadConnections()[id_];
    if (!slot) {
        slot = std::make_unique<ThreadConnection>();
        slot->name = QStringLiteral("tarvo3-%1-%2").arg(id_).arg(nextConnectionId++);
        OpenConnection(slot->name, nullptr);
    }
    return *slot;
}

void Storage::Forget() {
    ThreadConnections().erase(id_);
}

QSqlQuery& Storage::Statement(const char* sql) {
    ThreadConnection& c = Mine();
    auto it = c.statements.find(sql);
    if (it == c.statements.end()) {
        QSqlQuery q(QSqlDatabase::database(c.name, false));
        q.prepare(QString::fromUtf8(sql));
        it = c.statements.emplace(sql, std::move(q)).first;
    }
    it->second.finish();
    return it->second;
}

bool Storage::Transaction(const std::function<bool()>& work) {
    std::unique_lock<std::mutex> turn;
    if (options_.kind == DatabaseKind::SQLite) turn = std::unique_lock(writing_);
    QSqlDatabase db = QSqlDatabase::database(Mine().name, false);
    if (options_.kind == DatabaseKind::SQLite) {
        // The write lock is taken at the start: a transaction that read first and then meets a
        // write committed meanwhile by a statement outside these turns would fail at once, the
        // busy wait notwithstanding.
        QSqlQuery begin(db);
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) return false;
    } else if (!db.transaction()) {
        return false;
    }
    if (work() && db.commit()) return true;
    db.rollback();
    return false;
}

bool Storage::Upgrade(QSqlDatabase& db, const Schema& schema, QString* error) {
    // Two servers starting at once on one PostgreSQL may race here: the loser's transaction
    // fails and it reads the winner's version on its next try.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!db.transaction()) break;
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT version FROM schema_versions WHERE service = ?"));
        q.addBindValue(QString::fromStdString(schema.service));
        int version = 0;
        bool known = false;
        if (q.exec() && q.next()) {
            version = q.value(0).toInt();
            known = true;
        }
        bool ok = q.lastError().type() == QSqlError::NoError;
        for (std::size_t step = static_cast<std::size_t>(version); ok && step < schema.steps.size(); ++step)
            for (const std::string& sql : schema.steps[step]) {
                QSqlQuery s(db);
                if (!s.exec(QString::fromStdString(sql))) {
                    *error = QString::fromStdString(schema.service) + ": " + s.lastError().text();
                    ok = false;
                    break;
                }
            }
        if (ok && static_cast<std::size_t>(version) < schema.steps.size()) {
            QSqlQuery v(db);
            v.prepare(known ? QStringLiteral("UPDATE schema_versions SET version = ? WHERE service = ?")
                            : QStringLiteral("INSERT INTO schema_versions (version, service) VALUES (?, ?)"));
            v.addBindValue(static_cast<int>(schema.steps.size()));
            v.addBindValue(QString::fromStdString(schema.service));
            ok = v.exec();
            if (!ok) *error = v.lastError().text();
        }
        if (ok && db.commit()) return true;
        db.rollback();
    }
    if (error->isEmpty()) *error = db.lastError().text();
    return false;
}

bool Storage::Open(const std::vector<Schema>& schemas, QString* error) {
    const QString name = QStringLiteral("tarvo3-%1-setup").arg(id_);
    bool ok = true;
    {
        QSqlDatabase db = OpenConnection(name, error);
        ok = db.isOpen();
        if (ok) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_versions "
                                  "(service VARCHAR(32) PRIMARY KEY, version INTEGER NOT NULL)"));
            for (const Schema& s : schemas) {
                ok = Upgrade(db, s, error);
                if (!ok) break;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace tarvo::server
